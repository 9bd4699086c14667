// The connection point of the event interface, and the events the control's window raises.
#include <olectl.h>

#include "atl_host.h"
#include "com_fixture.h"
#include "event_sink.h"

namespace comtest {
namespace {

class Events : public ComTest {};

ComPtr<IConnectionPoint> eventPoint(IUnknown* control) {
    ComPtr<IConnectionPointContainer> cpc;
    ComPtr<IConnectionPoint> cp;
    EXPECT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&cpc)));
    EXPECT_HRESULT_SUCCEEDED(cpc->FindConnectionPoint(DIID___LumoCTRL, &cp));
    return cp;
}

TEST_F(Events, ContainerOffersOnePointForTheEventInterface) {
    ComPtr<IDispatch> d = createControl();
    ComPtr<IConnectionPointContainer> cpc;
    ASSERT_HRESULT_SUCCEEDED(d.As(&cpc));
    ComPtr<IConnectionPoint> cp, other;
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, &other), CONNECT_E_NOCONNECTION);
    ASSERT_HRESULT_SUCCEEDED(cpc->FindConnectionPoint(DIID___LumoCTRL, &cp));
    IID iid{};
    cp->GetConnectionInterface(&iid);
    EXPECT_EQ(iid, DIID___LumoCTRL);
    ComPtr<IConnectionPointContainer> back;
    ASSERT_HRESULT_SUCCEEDED(cp->GetConnectionPointContainer(&back));
    EXPECT_EQ(back.Get(), cpc.Get());

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_HRESULT_SUCCEEDED(cpc->EnumConnectionPoints(&points));
    IConnectionPoint* got[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(2, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(got[0], cp.Get());
    got[0]->Release();
}

TEST_F(Events, AdviseEnumerateAndUnadviseByCookieWithExactCounts) {
    ComPtr<IDispatch> d = createControl();
    ComPtr<IConnectionPoint> cp = eventPoint(d.Get());
    RecordingSink a, b;
    DWORD ca = 0, cb = 0;
    ASSERT_HRESULT_SUCCEEDED(cp->Advise(&a, &ca));
    ASSERT_HRESULT_SUCCEEDED(cp->Advise(&b, &cb));
    EXPECT_NE(ca, 0u);
    EXPECT_NE(ca, cb);
    EXPECT_EQ(a.refs, 2u);

    ComPtr<IEnumConnections> conns;
    ASSERT_HRESULT_SUCCEEDED(cp->EnumConnections(&conns));
    CONNECTDATA data[3] = {};
    ULONG fetched = 0;
    conns->Next(3, data, &fetched);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, ca);
    EXPECT_EQ(data[1].dwCookie, cb);
    for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();
    conns.Reset();
    EXPECT_EQ(a.refs, 2u);

    EXPECT_EQ(cp->Unadvise(0), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(cp->Unadvise(ca + cb + 100), CONNECT_E_NOCONNECTION);
    EXPECT_HRESULT_SUCCEEDED(cp->Unadvise(ca));
    EXPECT_EQ(cp->Unadvise(ca), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(a.refs, 1u);
    EXPECT_EQ(cp->Advise(nullptr, &ca), E_POINTER);
    d.Reset();
    cp.Reset();
    EXPECT_EQ(b.refs, 1u);  // the last release of the control lets go of its sinks
}

class HostedEvents : public Events {
protected:
    void SetUp() override {
        Events::SetUp();
        host = std::make_unique<AtlHost>(40, 40, 200, 150);
        ASSERT_TRUE(host->ok());
        control = host->control();
        ASSERT_TRUE(control);
        ASSERT_HRESULT_SUCCEEDED(eventPoint(control.Get())->Advise(&sink, &cookie));
        window = host->controlWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (control) eventPoint(control.Get())->Unadvise(cookie);
        control.Reset();
        host.reset();
        Events::TearDown();
    }
    std::unique_ptr<AtlHost> host;
    ComPtr<IUnknown> control;
    HWND window = nullptr;
    RecordingSink sink;
    DWORD cookie = 0;
};

TEST_F(HostedEvents, MouseMessagesRaiseMouseEventsInControlPixelsAndNeverClick) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(15, 36));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(15, 36));
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(1, 2));
    ASSERT_EQ(sink.events.size(), 4u);
    EXPECT_EQ(describe(sink.events[0]), "5: 1 0 12 34");
    EXPECT_EQ(describe(sink.events[1]), "6: 1 1 15 36");
    EXPECT_EQ(describe(sink.events[2]), "7: 1 0 15 36");
    EXPECT_EQ(describe(sink.events[3]), "5: 2 2 1 2");
}

TEST_F(HostedEvents, KeyMessagesRaiseKeyEvents) {
    SendMessageW(window, WM_KEYDOWN, 'A', 0);
    SendMessageW(window, WM_CHAR, 'a', 0);
    SendMessageW(window, WM_KEYUP, 'A', 0);
    ASSERT_EQ(sink.events.size(), 3u);
    EXPECT_EQ(describe(sink.events[0]), "4: 65 0");
    EXPECT_EQ(describe(sink.events[1]), "3: 97");
    EXPECT_EQ(describe(sink.events[2]), "2: 65 0");
}

TEST_F(HostedEvents, FrozenEventsAndADisabledControlRaiseNothing) {
    ComPtr<IOleControl> ole;
    ASSERT_HRESULT_SUCCEEDED(control.As(&ole));
    ole->FreezeEvents(TRUE);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ole->FreezeEvents(FALSE);
    EXPECT_TRUE(sink.events.empty());
    ComPtr<IDispatch> d;
    ASSERT_HRESULT_SUCCEEDED(control.As(&d));
    Call off;
    put(off, d.Get(), DispId::Enabled, boolean(false));
    EXPECT_FALSE(IsWindowEnabled(window));
}

}  // namespace
}  // namespace comtest
