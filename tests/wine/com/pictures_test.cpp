// Picture objects in both directions, with exact reference counts, and the drawn pixels
// against the engine's own results for the same inputs.
#include <cstring>
#include <optional>

#include "com_fixture.h"
#include "compositor/com/picture_reader.h"
#include "compositor/engine/lumo_control.h"

namespace comtest {
namespace {

ULONG refsOf(IUnknown* u) {
    u->AddRef();
    return u->Release();
}

class Pictures : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        d = createControl();
        ASSERT_TRUE(d);
    }
    void TearDown() override {
        d.Reset();
        ComTest::TearDown();
    }
    ComPtr<IDispatch> d;
};

TEST_F(Pictures, MaterialIsCopiedAndTheHostsPictureKeepsItsCount) {
    ComPtr<IPictureDisp> pic = pictureOf(artwork(64, 61));
    const ULONG before = refsOf(pic.Get());
    Call c;
    method(c, d.Get(), DispId::setPicMaterial, {dispatch(pic.Get())});
    ASSERT_HRESULT_SUCCEEDED(c.hr);
    EXPECT_EQ(refsOf(pic.Get()), before);
}

TEST_F(Pictures, ViewPictureIsHeldOnceAndHandedBackAsTheSameObject) {
    ComPtr<IPictureDisp> pic = pictureOf(artwork(40, 30));
    const ULONG before = refsOf(pic.Get());
    Call set, read;
    method(set, d.Get(), DispId::setPicView, {dispatch(pic.Get())});
    ASSERT_HRESULT_SUCCEEDED(set.hr);
    EXPECT_EQ(refsOf(pic.Get()), before + 1);
    get(read, d.Get(), DispId::Picture);
    ASSERT_EQ(read.result.vt, VT_DISPATCH);
    EXPECT_EQ(read.result.pdispVal, pic.Get());
    VariantClear(&read.result);
    EXPECT_EQ(pointAt(d.Get(), 0, 0), LONG(kKey));  // the picture is on the view at (0, 0)

    Call unload, empty;
    method(unload, d.Get(), DispId::setPicView, {dispatch(nullptr)});
    ASSERT_HRESULT_SUCCEEDED(unload.hr);
    EXPECT_EQ(refsOf(pic.Get()), before);
    get(empty, d.Get(), DispId::Picture);
    ComPtr<IPicture> none;
    ASSERT_HRESULT_SUCCEEDED(empty.result.pdispVal->QueryInterface(IID_PPV_ARGS(&none)));
    SHORT type = -2;
    none->get_Type(&type);
    EXPECT_EQ(type, PICTYPE_NONE);
}

lumo::Pixel firstPixel(const VARIANT& picture) {
    lumo::PictureRef px;
    EXPECT_TRUE(lumo::com::pixelsOfPicture(static_cast<IPictureDisp*>(picture.pdispVal), px).succeeded());
    return px ? px->pixels[0] : 0;
}

TEST_F(Pictures, ImageIsABitmapPictureOfTheViewThatLaterDrawingNeverChanges) {
    Call bg, a, b;
    put(bg, d.Get(), DispId::PicViewBgColor, i4(0x00336699));
    get(a, d.Get(), DispId::Image);
    ASSERT_EQ(a.result.vt, VT_DISPATCH);
    lumo::PictureRef px;
    ASSERT_TRUE(lumo::com::pixelsOfPicture(static_cast<IPictureDisp*>(a.result.pdispVal), px).succeeded());
    EXPECT_EQ(px->width, 470);
    EXPECT_EQ(px->height, 246);
    EXPECT_EQ(px->pixels[0], quill::pixelFromColour(0x00336699));

    // The host holds the first picture while it takes more: each is new and keeps its pixels.
    for (LONG colour : {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC}) {
        Call set, next;
        put(set, d.Get(), DispId::PicViewBgColor, i4(colour));
        get(next, d.Get(), DispId::Image);
        EXPECT_NE(next.result.pdispVal, a.result.pdispVal);
        EXPECT_EQ(firstPixel(next.result), quill::pixelFromColour(colour));
    }
    EXPECT_EQ(firstPixel(a.result), quill::pixelFromColour(0x00336699));
}

TEST_F(Pictures, AnyBitmapPictureIsAcceptedAndOtherKindsAreInvalid) {
    // A 16-colour DIB section and a device-dependent bitmap.
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[16];
    } bi{};
    bi.h = {sizeof(BITMAPINFOHEADER), 8, 4, 1, 4, BI_RGB, 0, 0, 0, 16, 0};
    bi.colours[3] = {0x30, 0x20, 0x10, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    std::memset(bits, 0x33, 4 * 4);
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 5, 5);
    ReleaseDC(nullptr, screen);
    for (HBITMAP bmp : {dib, ddb}) {
        PICTDESC desc{};
        desc.cbSizeofstruct = sizeof desc;
        desc.picType = PICTYPE_BITMAP;
        desc.bmp.hbitmap = bmp;
        ComPtr<IPictureDisp> pic;
        ASSERT_HRESULT_SUCCEEDED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &pic));
        Call c;
        method(c, d.Get(), DispId::setPicView, {dispatch(pic.Get())});
        EXPECT_HRESULT_SUCCEEDED(c.hr);
    }
    EXPECT_EQ(pointAt(d.Get(), 0, 0), 0);  // the DDB: black
    Call dibView;
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    ComPtr<IPictureDisp> icon;
    ASSERT_HRESULT_SUCCEEDED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE, &icon));
    method(dibView, d.Get(), DispId::setPicMaterial, {dispatch(icon.Get())});
    EXPECT_EQ(dibView.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(dibView.excep.scode, CTL_E_INVALIDPICTURE);
}

// A 32-bit DIB section, 2 wide and 3 high, its rows top-down or bottom-up in memory.
struct Section {
    HBITMAP bmp = nullptr;
    lumo::Pixel* bits = nullptr;
    ComPtr<IPictureDisp> picture;

    explicit Section(bool topDown) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, topDown ? -3 : 3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* p = nullptr;
        bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<lumo::Pixel*>(p);
        PICTDESC desc{};
        desc.cbSizeofstruct = sizeof desc;
        desc.picType = PICTYPE_BITMAP;
        desc.bmp.hbitmap = bmp;
        OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &picture);
    }
    void setMemoryRows(lumo::Pixel r0, lumo::Pixel r1, lumo::Pixel r2) {
        const lumo::Pixel rows[] = {r0, r1, r2};
        for (int i = 0; i < 6; ++i) bits[i] = rows[i / 2];
    }
};

// The control reads a picture again only when its memory changed; whichever way the rows run,
// and however the host changed them, the view shows the picture as it is now.
TEST_F(Pictures, PicturesChangedInPlaceAreReadAfreshInTheirOwnRowOrder) {
    for (bool topDown : {true, false}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        Section s(topDown);
        ASSERT_TRUE(s.picture);
        const lumo::Pixel a = 0x000011, b = 0x000022, c = 0x000033;
        auto topRowAfterLoading = [&] {
            Call set;
            method(set, d.Get(), DispId::setPicView, {dispatch(s.picture.Get())});
            EXPECT_HRESULT_SUCCEEDED(set.hr);
            return pointAt(d.Get(), 0, 0);
        };
        auto colour = [](lumo::Pixel p) { return LONG(quill::colourFromPixel(p)); };
        const LONG firstTop = colour(topDown ? a : c);
        s.setMemoryRows(a, b, c);
        EXPECT_EQ(topRowAfterLoading(), firstTop);
        EXPECT_EQ(topRowAfterLoading(), firstTop);  // unchanged: the same picture again
        s.setMemoryRows(c, b, a);                   // the same rows, the other way up
        EXPECT_EQ(topRowAfterLoading(), colour(topDown ? c : a));
        s.setMemoryRows(b, a, b);  // symmetric top to bottom
        EXPECT_EQ(topRowAfterLoading(), colour(b));
        s.setMemoryRows(a, b, c);
        EXPECT_EQ(topRowAfterLoading(), firstTop);
        HDC dc = CreateCompatibleDC(nullptr);  // drawing through GDI, the handle unchanged
        HGDIOBJ old = SelectObject(dc, s.bmp);
        SetPixelV(dc, 0, 0, RGB(0x44, 0, 0));
        SetPixelV(dc, 1, 0, RGB(0x44, 0, 0));
        SelectObject(dc, old);
        DeleteDC(dc);
        EXPECT_EQ(topRowAfterLoading(), LONG(RGB(0x44, 0, 0)));
    }
}

// The same draw through COM and on the engine directly.
struct DrawCase {
    int w, h;
    short angle, alpha;
    double zoom;
    bool smooth;
    short x, y;
    std::optional<double> qt;
};

class PixelsMatchTheEngine : public Pictures, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(PixelsMatchTheEngine, ForTheSameInputs) {
    const DrawCase& k = GetParam();
    const lumo::PictureRef art = artwork(k.w, k.h);
    lumo::LumoControl engine;
    engine.setPicViewBgColor(kKey);
    engine.setPicMaterial(art);
    using lumo::NumericArg;
    NumericArg x = NumericArg::integer(k.x), y = NumericArg::integer(k.y), alpha = NumericArg::integer(k.alpha),
               angle = NumericArg::integer(k.angle), zoom = NumericArg::doubleValue(k.zoom),
               smooth = NumericArg::boolean(k.smooth), qt = NumericArg::doubleValue(k.qt.value_or(1));
    ASSERT_EQ(engine.lumoscope({x, y, alpha, angle, zoom, smooth, k.qt ? &qt : nullptr}), quill::RunError::None);

    ComPtr<IPictureDisp> pic = pictureOf(art);
    Call bg, mat, draw;
    put(bg, d.Get(), DispId::PicViewBgColor, i4(LONG(kKey)));
    method(mat, d.Get(), DispId::setPicMaterial, {dispatch(pic.Get())});
    std::vector<VARIANT> args{i2(k.x), i2(k.y), i2(k.alpha), i2(k.angle), r8(k.zoom), boolean(k.smooth)};
    if (k.qt) args.push_back(r8(*k.qt));
    method(draw, d.Get(), DispId::Lumoscope, args);
    ASSERT_HRESULT_SUCCEEDED(draw.hr);

    const int reachX = int(k.w * k.zoom / 2) + 2, reachY = int(k.h * k.zoom / 2) + 2;
    int compared = 0;
    for (int py = std::max(0, k.y - reachY); py < std::min(246, k.y + reachY); ++py)
        for (int px = std::max(0, k.x - reachX); px < std::min(470, k.x + reachX); ++px, ++compared) {
            std::int32_t expected = 0;
            engine.getPoint(NumericArg::integer(px), NumericArg::integer(py), expected);
            ASSERT_EQ(pointAt(d.Get(), px, py), expected) << px << "," << py;
        }
    EXPECT_GT(compared, k.w * k.h / 2);
}

INSTANTIATE_TEST_SUITE_P(HostAndOtherCalls, PixelsMatchTheEngine,
                         ::testing::Values(DrawCase{130, 130, 0, 255, 1, true, 65, 65, {}},
                                           DrawCase{130, 130, 45, 255, 1, true, 65, 65, {}},
                                           DrawCase{189, 189, 90, 255, 1, true, 65, 65, {}},
                                           DrawCase{64, 61, 315, 100, 1, true, 65, 65, {}},
                                           DrawCase{64, 61, 180, 255, 2, false, 200, 120, {}},
                                           DrawCase{60, 60, 30, 200, 1, true, 100, 100, 2.0}));

}  // namespace
}  // namespace comtest
