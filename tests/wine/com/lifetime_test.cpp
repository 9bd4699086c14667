// Lifetime: DllCanUnloadNow follows live objects and locks, and thousands of redraws leave
// handle, memory and reference counts where they were.
#include "com_fixture.h"

namespace comtest {
namespace {

class Lifetime : public ComTest {};

TEST_F(Lifetime, CanUnloadNowReflectsLiveObjectsAndLocks) {
    ASSERT_EQ(canUnloadNow(), S_OK);
    ComPtr<IDispatch> d = createControl();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    ComPtr<IEnumConnectionPoints> points;  // a helper object counts too
    ComPtr<IConnectionPointContainer> cpc;
    ASSERT_HRESULT_SUCCEEDED(d.As(&cpc));
    ASSERT_HRESULT_SUCCEEDED(cpc->EnumConnectionPoints(&points));
    cpc.Reset();
    d.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    points.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(CoGetClassObject(CLSID_LumoCTRL, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory)));
    factory->LockServer(TRUE);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow(), S_OK);
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.Get()), IID_IUnknown, &aggregated),
              CLASS_E_NOAGGREGATION);
}

TEST_F(Lifetime, ThousandsOfRedrawsLeaveCountsFlat) {
    ComPtr<IDispatch> d = createControl();
    ComPtr<IPictureDisp> body = pictureOf(artwork(189, 189));
    Call bg;
    put(bg, d.Get(), DispId::PicViewBgColor, i4(LONG(kKey)));
    auto redrawAndTakeImage = [&](int times) {
        for (int i = 0; i < times; ++i) {
            hostRedraw(d.Get(), body.Get(), short(i % 360));
            Call image;
            get(image, d.Get(), DispId::Image);
            ASSERT_EQ(image.result.vt, VT_DISPATCH);
        }
    };
    redrawAndTakeImage(100);  // warm-up: caches and heaps settle
    body.Get()->AddRef();
    const ULONG bodyRefs = body.Get()->Release();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const SIZE_T memory = privateBytes();
    redrawAndTakeImage(3000);
    body.Get()->AddRef();
    EXPECT_EQ(body.Get()->Release(), bodyRefs);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);  // 0 where not counted
    // One leaked view image would be 460 KB a redraw; allow heap noise only.
    EXPECT_LT(privateBytes(), memory + 1024 * 1024) << "grew from " << memory << " to " << privateBytes();
}

}  // namespace
}  // namespace comtest
