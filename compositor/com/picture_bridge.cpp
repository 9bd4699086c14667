#include "compositor/com/picture_bridge.h"

#include <olectl.h>
#include <wrl/client.h>

#include <cstring>
#include <vector>

#include "common/win32/unique_handle.h"
#include "compositor/engine/limits.h"

namespace lumo::com {
namespace {

using Microsoft::WRL::ComPtr;
using quill::RunError;
using quill::win32::UniqueBitmap;
using quill::win32::WindowDc;

BITMAPINFO topDown32(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // negative: rows top-down, as the engine stores them
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

HRESULT wrapBitmap(UniqueBitmap bmp, IPictureDisp** out) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = bmp ? PICTYPE_BITMAP : PICTYPE_NONE;
    desc.bmp.hbitmap = bmp.get();
    HRESULT hr = OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(out));
    if (SUCCEEDED(hr)) bmp.release();  // the picture owns it now
    return hr;
}

}  // namespace

Outcome pixelsOfBitmap(HBITMAP bmp, PictureRef& out) {
    BITMAP info{};
    if (!GetObjectW(bmp, sizeof info, &info)) return Outcome::failed(RunError::InvalidPicture);
    const int w = info.bmWidth, h = info.bmHeight;
    if (RunError e = checkSurfaceSize(w, h); e != RunError::None) return Outcome::failed(e);
    std::vector<Pixel> px(std::size_t(w) * h);
    BITMAPINFO bi = topDown32(w, h);
    WindowDc screen(nullptr);
    if (h > 0 && GetDIBits(screen.get(), bmp, 0, UINT(h), px.data(), &bi, DIB_RGB_COLORS) != h)
        return Outcome::failed(RunError::InvalidPicture);
    out = makePicture(w, h, std::move(px));
    return Outcome::ok();
}

Outcome pixelsOfPicture(IPictureDisp* disp, PictureRef& out) {
    out.reset();
    if (!disp) return Outcome::ok();
    ComPtr<IPicture> pic;
    if (FAILED(disp->QueryInterface(IID_PPV_ARGS(&pic)))) return Outcome::failed(RunError::InvalidPicture);
    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(pic->get_Type(&type))) return Outcome::failed(RunError::InvalidPicture);
    if (type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED) return Outcome::ok();
    OLE_HANDLE handle = 0;
    if (type != PICTYPE_BITMAP || FAILED(pic->get_Handle(&handle)) || !handle)
        return Outcome::failed(RunError::InvalidPicture);
    // Handles travel as 32 bits and are sign-extended back, as the platform does.
    return pixelsOfBitmap(reinterpret_cast<HBITMAP>(LONG_PTR(LONG(handle))), out);
}

HRESULT newPictureObject(ConstSurfaceView px, IPictureDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (px.w <= 0 || px.h <= 0) return emptyPictureObject(out);
    BITMAPINFO bi = topDown32(px.w, px.h);
    void* bits = nullptr;
    UniqueBitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp) return E_OUTOFMEMORY;
    auto* dst = static_cast<Pixel*>(bits);
    for (int y = 0; y < px.h; ++y)
        std::memcpy(dst + std::size_t(y) * px.w, px.row(y), sizeof(Pixel) * px.w);
    return wrapBitmap(std::move(bmp), out);
}

HRESULT emptyPictureObject(IPictureDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return wrapBitmap(UniqueBitmap(), out);
}

}  // namespace lumo::com
