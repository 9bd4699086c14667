// The host's redraw sequence through IDispatch::Invoke, as the program calls it, against the
// same sequence on the engine directly: ClsPicView, setPicMaterial, Lumoscope, ReDraw, Image.
// A Windows program (Google Benchmark is native only); run on demand, e.g. under Wine:
//   wine build/mingw/bench/lumoscope_com_timing.exe [size=189] [degrees=45]
// Prints the median time of one redraw for each path and the COM path's extra cost.
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "common/twips.h"
#include "compositor/interface/lumo_dispids.h"
#include "compositor/com/lumoscope_h.h"
#include "compositor/com/picture_writer.h"
#include "compositor/engine/lumo_control.h"

namespace {

using lumo::DispId;
using Microsoft::WRL::ComPtr;

constexpr lumo::Pixel kKey = 0x0000FF00u;

lumo::PictureRef artwork(int w, int h) {
    std::vector<lumo::Pixel> px(std::size_t(w) * h, kKey);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double u = (x - w / 2.0) / (w * 0.45), v = (y - h / 2.0) / (h * 0.35), r = u * u + v * v;
            if (r < 1) px[std::size_t(y) * w + x] = r > 0.8 ? 0x000000 : (x + y) % 17 ? 0xFFFFFF : 0xC0C0C0;
        }
    return lumo::makePicture(w, h, std::move(px));
}

double nowUs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1e6 / double(freq.QuadPart);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Batches of the two sequences alternate, so both see the same load on a shared machine.
// Returns the median of the per-redraw means of the batches, for a and for b.
std::pair<double, double> medianUs(const std::function<void()>& a, const std::function<void()>& b,
                                   int batches, int perBatch) {
    auto batch = [perBatch](const std::function<void()>& redraw) {
        const double t0 = nowUs();
        for (int i = 0; i < perBatch; ++i) redraw();
        return (nowUs() - t0) / perBatch;
    };
    batch(a);  // warm-up
    batch(b);
    std::vector<double> ta, tb;
    for (int i = 0; i < batches; ++i) {
        ta.push_back(batch(a));
        tb.push_back(batch(b));
    }
    return {median(ta), median(tb)};
}

HRESULT invoke(IDispatch* d, DispId id, WORD flags, std::vector<VARIANT> argsLastFirst, VARIANT* result) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS p{argsLastFirst.data(), nullptr, UINT(argsLastFirst.size()), 0};
    if (flags & DISPATCH_PROPERTYPUT) {
        p.rgdispidNamedArgs = &named;
        p.cNamedArgs = 1;
    }
    return d->Invoke(DISPID(id), IID_NULL, LOCALE_USER_DEFAULT, flags, &p, result, nullptr, nullptr);
}

VARIANT ref(VARTYPE vt, void* p) {
    VARIANT v;
    v.vt = VARTYPE(vt | VT_BYREF);
    v.byref = p;
    return v;
}

struct ComHost {
    ComPtr<IDispatch> control;
    ComPtr<IPictureDisp> body;
    ComPtr<IDispatch> shown;  // the window's picture: the last Image
    short angle = 45;

    void redraw() {
        short x = 65, y = 65, alpha = 255, r360 = angle, zoom = 1;
        VARIANT_BOOL smooth = VARIANT_TRUE;
        IDispatch* pic = body.Get();
        invoke(control.Get(), DispId::ClsPicView, DISPATCH_METHOD, {}, nullptr);
        invoke(control.Get(), DispId::setPicMaterial, DISPATCH_METHOD, {ref(VT_DISPATCH, &pic)}, nullptr);
        invoke(control.Get(), DispId::Lumoscope, DISPATCH_METHOD,
               {ref(VT_BOOL, &smooth), ref(VT_I2, &zoom), ref(VT_I2, &r360), ref(VT_I2, &alpha), ref(VT_I2, &y),
                ref(VT_I2, &x)},
               nullptr);
        invoke(control.Get(), DispId::ReDraw, DISPATCH_METHOD, {}, nullptr);
        VARIANT image;
        VariantInit(&image);
        invoke(control.Get(), DispId::Image, DISPATCH_PROPERTYGET, {}, &image);
        // Not ComPtr::Attach: MinGW's adds a reference where Microsoft's takes one over.
        shown = image.pdispVal;
        VariantClear(&image);
    }
};

using DllEntry = HRESULT(WINAPI*)();

HRESULT callExport(HMODULE dll, const char* name) {
    auto fn = reinterpret_cast<DllEntry>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
    return fn ? fn() : E_NOTIMPL;
}

}  // namespace

int main(int argc, char** argv) {
    const int size = argc > 1 ? std::atoi(argv[1]) : 189;
    const auto angle = short(argc > 2 ? std::atoi(argv[2]) : 45);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HMODULE dll = LoadLibraryW(L"Lumoscope.dll");  // the copy beside this program
    if (!dll || FAILED(callExport(dll, "DllRegisterServer"))) {
        std::printf("cannot load and register Lumoscope.dll\n");
        return 1;
    }
    const lumo::PictureRef body = artwork(size, size);

    lumo::LumoControl engine(size, size);
    engine.setPicViewBgColor(quill::colourFromPixel(kKey));
    lumo::PictureRef image;
    auto engineRedraw = [&] {
        engine.clsPicView();
        engine.setPicMaterial(body);
        auto x = lumo::NumericArg::integer(65), y = lumo::NumericArg::integer(65);
        auto alpha = lumo::NumericArg::integer(255), r360 = lumo::NumericArg::integer(angle);
        auto zoom = lumo::NumericArg::integer(1), smooth = lumo::NumericArg::boolean(true);
        engine.lumoscope({x, y, alpha, r360, zoom, smooth, nullptr});
        engine.reDraw();
        image = engine.image();
    };

    ComHost host;
    host.angle = angle;
    CLSID clsid{};
    CLSIDFromProgID(L"Lumoscope.LumoCTRL", &clsid);
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&host.control));
    lumo::com::newPictureObject({body->pixels.data(), size, size, size}, &host.body);
    ComPtr<IOleObject> ole;
    host.control.As(&ole);
    // The view: size by size pixels at 96 dots per inch.
    SIZEL extent{MulDiv(size, quill::kHimetricPerInch, 96), MulDiv(size, quill::kHimetricPerInch, 96)};
    ole->SetExtent(DVASPECT_CONTENT, &extent);
    LONG bg = LONG(quill::colourFromPixel(kKey));
    invoke(host.control.Get(), DispId::PicViewBgColor, DISPATCH_PROPERTYPUT, {ref(VT_I4, &bg)}, nullptr);

    const int batches = 25, perBatch = 200;
    const auto [engineUs, comUs] = medianUs(engineRedraw, [&] { host.redraw(); }, batches, perBatch);
    std::printf("redraw %dx%d at %d degrees, median of %d batches of %d\n", size, size, angle, batches, perBatch);
    std::printf("  engine directly:        %8.1f us\n", engineUs);
    std::printf("  IDispatch::Invoke path: %8.1f us\n", comUs);
    std::printf("  COM path extra cost:    %+7.1f %%\n", (comUs / engineUs - 1) * 100);

    host = ComHost{};
    callExport(dll, "DllUnregisterServer");
    CoUninitialize();
    return 0;
}
