#include "com_fixture.h"

#include "compositor/com/picture_writer.h"

namespace comtest {
namespace {

// gtest_main provides main(); the environment joins through a static registration.
::testing::Environment* const g_registered = ::testing::AddGlobalTestEnvironment(new winetest::RegisteredControl);

}  // namespace

HRESULT canUnloadNow() { return winetest::callControlExport("DllCanUnloadNow"); }

ComPtr<IDispatch> createControl() {
    CLSID clsid{};
    EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Lumoscope.LumoCTRL", &clsid));
    ComPtr<IDispatch> d;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&d)));
    return d;
}

void invoke(Call& c, IDispatch* d, DispId id, WORD flags, std::vector<VARIANT> args) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS p{reversed.data(), nullptr, UINT(reversed.size()), 0};
    if (flags & DISPATCH_PROPERTYPUT) {
        p.rgdispidNamedArgs = &named;
        p.cNamedArgs = 1;
    }
    c.hr = d->Invoke(DISPID(id), IID_NULL, LOCALE_USER_DEFAULT, flags, &p, &c.result, &c.excep, &c.argErr);
}

void put(Call& c, IDispatch* d, DispId id, VARIANT value) { invoke(c, d, id, DISPATCH_PROPERTYPUT, {value}); }

VARIANT i2(short v) {
    VARIANT r;
    r.vt = VT_I2;
    r.iVal = v;
    return r;
}
VARIANT i4(LONG v) {
    VARIANT r;
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}
VARIANT r4(float v) {
    VARIANT r;
    r.vt = VT_R4;
    r.fltVal = v;
    return r;
}
VARIANT r8(double v) {
    VARIANT r;
    r.vt = VT_R8;
    r.dblVal = v;
    return r;
}
VARIANT boolean(bool v) {
    VARIANT r;
    r.vt = VT_BOOL;
    r.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
    return r;
}
VARIANT dispatch(IDispatch* d) {
    VARIANT r;
    r.vt = VT_DISPATCH;
    r.pdispVal = d;
    return r;
}
VARIANT missing() {
    VARIANT r;
    r.vt = VT_ERROR;
    r.scode = DISP_E_PARAMNOTFOUND;
    return r;
}
VARIANT refTo(VARIANT& v) { return lumo::com::byRef(VT_VARIANT, &v); }
VARIANT refI2(short* p) { return lumo::com::byRef(VT_I2, p); }
VARIANT refR8(double* p) { return lumo::com::byRef(VT_R8, p); }
VARIANT refBool(VARIANT_BOOL* p) { return lumo::com::byRef(VT_BOOL, p); }

ComPtr<IPictureDisp> pictureOf(const lumo::PictureRef& px) {
    ComPtr<IPictureDisp> pic;
    EXPECT_HRESULT_SUCCEEDED(lumo::com::newPictureObject({px->pixels.data(), px->width, px->height, px->width}, &pic));
    return pic;
}

lumo::PictureRef artwork(int w, int h) {
    std::vector<lumo::Pixel> px(std::size_t(w) * h, quill::pixelFromColour(kKey));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double u = (x - w / 2.0) / (w * 0.45), v = (y - h / 2.0) / (h * 0.35), r = u * u + v * v;
            if (r < 1) px[std::size_t(y) * w + x] = r > 0.8 ? 0x000000 : (x + y) % 7 ? 0xF0E0D0 : lumo::Pixel(0x102030 + x);
        }
    return lumo::makePicture(w, h, std::move(px));
}

void hostRedraw(IDispatch* d, IPictureDisp* material, short angle) {
    Call cls, mat, draw, redraw;
    method(cls, d, DispId::ClsPicView);
    IDispatch* m = material;
    method(mat, d, DispId::setPicMaterial, {lumo::com::byRef(VT_DISPATCH, &m)});
    short x = 65, y = 65, alpha = 255, zoom = 1;
    VARIANT_BOOL smooth = VARIANT_TRUE;
    method(draw, d, DispId::Lumoscope,
           {refI2(&x), refI2(&y), refI2(&alpha), refI2(&angle), refI2(&zoom), refBool(&smooth)});
    method(redraw, d, DispId::ReDraw);
    ASSERT_HRESULT_SUCCEEDED(cls.hr);
    ASSERT_HRESULT_SUCCEEDED(mat.hr);
    ASSERT_HRESULT_SUCCEEDED(draw.hr);
    ASSERT_HRESULT_SUCCEEDED(redraw.hr);
}

LONG pointAt(IDispatch* d, int x, int y) {
    Call c;
    method(c, d, DispId::getPoint, {i4(x), i4(y)});
    EXPECT_HRESULT_SUCCEEDED(c.hr);
    return c.result.lVal;
}

SIZE_T privateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    for (const char* p = nullptr; VirtualQuery(p, &mbi, sizeof mbi) == sizeof mbi;
         p = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
    }
    return total;
}

}  // namespace comtest
