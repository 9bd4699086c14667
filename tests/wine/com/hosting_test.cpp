// In-place hosting by a standard OLE control container (Wine's ATL): the control's window
// shows the view and takes the container's size.
#include <oleidl.h>

#include "atl_host.h"
#include "com_fixture.h"

namespace comtest {
namespace {

class Hosting : public ComTest {};

TEST_F(Hosting, InitialExtentIsTheDesignSize) {
    ComPtr<IDispatch> d = createControl();
    ComPtr<IOleObject> ole;
    ASSERT_HRESULT_SUCCEEDED(d.As(&ole));
    SIZEL extent{};
    ASSERT_HRESULT_SUCCEEDED(ole->GetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_EQ(extent.cx, 12435);  // 7050 twips
    EXPECT_EQ(extent.cy, 6509);   // 3690 twips
    EXPECT_NE(pointAt(d.Get(), 469, 245), -1);
    EXPECT_EQ(pointAt(d.Get(), 470, 245), -1);
    DWORD misc = 0;
    ole->GetMiscStatus(DVASPECT_CONTENT, &misc);
    EXPECT_TRUE(misc & OLEMISC_ACTIVATEWHENVISIBLE);
}

TEST_F(Hosting, AtlHostsTheControlInPlaceAndItsWindowShowsTheView) {
    AtlHost host(100, 100, 200, 150);
    ASSERT_TRUE(host.ok());
    ComPtr<IDispatch> d;
    ASSERT_HRESULT_SUCCEEDED(host.control().As(&d));
    HWND w = host.controlWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(GetParent(w), host.container());
    RECT r{};
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, 200);
    EXPECT_EQ(r.bottom, 150);
    EXPECT_NE(pointAt(d.Get(), 199, 149), -1);
    EXPECT_EQ(pointAt(d.Get(), 200, 0), -1);

    Call bg, redraw;
    put(bg, d.Get(), DispId::PicViewBgColor, i4(0x000080FF));
    method(redraw, d.Get(), DispId::ReDraw);
    pumpMessages(50);
    HDC screen = GetDC(w);
    EXPECT_EQ(GetPixel(screen, 50, 50), COLORREF(0x000080FF));
    ReleaseDC(w, screen);
}

TEST_F(Hosting, ViewFollowsTheContainersSize) {
    AtlHost host(100, 100, 200, 150);
    ASSERT_TRUE(host.ok());
    ComPtr<IDispatch> d;
    ASSERT_HRESULT_SUCCEEDED(host.control().As(&d));
    MoveWindow(host.container(), 0, 0, 120, 90, TRUE);
    pumpMessages(50);
    EXPECT_NE(pointAt(d.Get(), 119, 89), -1);
    EXPECT_EQ(pointAt(d.Get(), 120, 0), -1);
    EXPECT_EQ(pointAt(d.Get(), 0, 90), -1);
}

TEST_F(Hosting, DeactivationRemovesTheWindowAndTheControlStaysUsable) {
    AtlHost host(100, 100, 200, 150);
    ASSERT_TRUE(host.ok());
    ComPtr<IOleInPlaceObject> ipo;
    ASSERT_HRESULT_SUCCEEDED(host.control().As(&ipo));
    HWND w = host.controlWindow();
    ASSERT_HRESULT_SUCCEEDED(ipo->InPlaceDeactivate());
    EXPECT_FALSE(IsWindow(w));
    HWND none = nullptr;
    EXPECT_EQ(ipo->GetWindow(&none), E_FAIL);
    ComPtr<IDispatch> d;
    ASSERT_HRESULT_SUCCEEDED(ipo.As(&d));
    Call redraw;
    method(redraw, d.Get(), DispId::ReDraw);
    EXPECT_HRESULT_SUCCEEDED(redraw.hr);
}

}  // namespace
}  // namespace comtest
