#include "common/win32/picture_object.h"

#include <olectl.h>
#include <wrl/client.h>

#include <cstring>
#include <utility>

#include "common/win32/unique_handle.h"

namespace quill::win32 {
namespace {

using Microsoft::WRL::ComPtr;

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

BITMAPINFO topDown32(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // negative: rows top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

HRESULT newPictureObject(const Pixel* px, int w, int h, std::ptrdiff_t stride, IPictureDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (w <= 0 || h <= 0) return emptyPictureObject(out);
    BITMAPINFO bi = topDown32(w, h);
    void* bits = nullptr;
    UniqueBitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp) return E_OUTOFMEMORY;
    Pixel* rows = static_cast<Pixel*>(bits);
    for (int y = 0; y < h; ++y) std::memcpy(rows + std::ptrdiff_t(y) * w, px + y * stride, sizeof(Pixel) * w);
    return wrapBitmap(std::move(bmp), out);
}

HRESULT newPictureObject(const Picture* picture, IPictureDisp** out) {
    if (!picture) return emptyPictureObject(out);
    return newPictureObject(picture->pixels.data(), picture->width, picture->height, picture->width, out);
}

HRESULT emptyPictureObject(IPictureDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return wrapBitmap(UniqueBitmap(), out);
}

RunError bitmapOfPicture(IPictureDisp* disp, HBITMAP& out) {
    out = nullptr;
    if (!disp) return RunError::None;
    ComPtr<IPicture> pic;
    if (FAILED(disp->QueryInterface(IID_PPV_ARGS(&pic)))) return RunError::InvalidPicture;
    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(pic->get_Type(&type))) return RunError::InvalidPicture;
    if (type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED) return RunError::None;
    OLE_HANDLE handle = 0;
    if (type != PICTYPE_BITMAP || FAILED(pic->get_Handle(&handle)) || !handle) return RunError::InvalidPicture;
    // Handles travel as 32 bits and are sign-extended back, as the platform does.
    out = reinterpret_cast<HBITMAP>(LONG_PTR(LONG(handle)));
    return RunError::None;
}

// Converted through GetDIBits: a DIB section's own bits would be quicker to read, but whether
// they run top-down is not reported reliably on every platform.
RunError readBitmap(HDC dc, HBITMAP bmp, std::vector<Pixel>& pixels, int& w, int& h) {
    BITMAP info{};
    if (!dc || !GetObjectW(bmp, sizeof info, &info)) return RunError::InvalidPicture;
    w = info.bmWidth;
    h = info.bmHeight;
    QUILL_RETURN_IF_ERROR(checkPictureSize(w, h));
    pixels.resize(std::size_t(w) * h);
    BITMAPINFO bi = topDown32(w, h);
    if (h > 0 && GetDIBits(dc, bmp, 0, UINT(h), pixels.data(), &bi, DIB_RGB_COLORS) != h)
        return RunError::InvalidPicture;
    return RunError::None;
}

RunError readPicture(IPictureDisp* pic, PictureRef& out) {
    out.reset();
    HBITMAP bmp = nullptr;
    QUILL_RETURN_IF_ERROR(bitmapOfPicture(pic, bmp));
    if (!bmp) return RunError::None;
    UniqueDc dc(CreateCompatibleDC(nullptr));
    std::vector<Pixel> pixels;
    int w = 0, h = 0;
    QUILL_RETURN_IF_ERROR(readBitmap(dc.get(), bmp, pixels, w, h));
    out = makePicture(w, h, std::move(pixels));
    return RunError::None;
}

}  // namespace quill::win32
