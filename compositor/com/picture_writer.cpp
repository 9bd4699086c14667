#include "compositor/com/picture_writer.h"

#include <olectl.h>

#include <cstring>

#include "common/win32/unique_handle.h"

namespace lumo::com {
namespace {

using Microsoft::WRL::ComPtr;
using quill::win32::UniqueBitmap;

HRESULT wrapBitmap(UniqueBitmap bmp, IPictureDisp** out) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = bmp ? PICTYPE_BITMAP : PICTYPE_NONE;
    desc.bmp.hbitmap = bmp.get();
    HRESULT hr = OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(out));
    if (SUCCEEDED(hr)) bmp.release();  // the picture owns it now
    return hr;
}

void copyRows(ConstSurfaceView src, SurfaceView dst) {
    for (int y = 0; y < src.h; ++y) std::memcpy(dst.row(y), src.row(y), sizeof(Pixel) * src.w);
}

HBITMAP bitmapOf(IPictureDisp* disp) {
    ComPtr<IPicture> pic;
    OLE_HANDLE h = 0;
    if (FAILED(disp->QueryInterface(IID_PPV_ARGS(&pic))) || FAILED(pic->get_Handle(&h))) return nullptr;
    return reinterpret_cast<HBITMAP>(LONG_PTR(LONG(h)));
}

// The bits of a DIB section that newPictureObject made (32 bits, top-down).
SurfaceView ownDibPixels(HBITMAP bmp) {
    DIBSECTION ds{};
    if (GetObjectW(bmp, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32) return {};
    return {static_cast<Pixel*>(ds.dsBm.bmBits), ds.dsBm.bmWidth, ds.dsBm.bmHeight, ds.dsBm.bmWidth};
}

// True when the pool's reference is the only one left.
bool onlyPoolHolds(IPictureDisp* p) {
    p->AddRef();
    return p->Release() == 1;
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

HRESULT newPictureObject(ConstSurfaceView px, IPictureDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (px.w <= 0 || px.h <= 0) return emptyPictureObject(out);
    BITMAPINFO bi = topDown32(px.w, px.h);
    void* bits = nullptr;
    UniqueBitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp) return E_OUTOFMEMORY;
    copyRows(px, {static_cast<Pixel*>(bits), px.w, px.h, px.w});
    return wrapBitmap(std::move(bmp), out);
}

HRESULT emptyPictureObject(IPictureDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return wrapBitmap(UniqueBitmap(), out);
}

HRESULT ImagePool::picture(ConstSurfaceView px, IPictureDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (ComPtr<IPictureDisp>& p : pool_) {
        if (!onlyPoolHolds(p.Get())) continue;
        SurfaceView bits = ownDibPixels(bitmapOf(p.Get()));
        if (!bits.px || bits.w != px.w || bits.h != px.h) continue;
        GdiFlush();
        copyRows(px, bits);
        return p.CopyTo(out);
    }
    HRESULT hr = newPictureObject(px, out);
    if (FAILED(hr) || px.w <= 0 || px.h <= 0) return hr;
    if (pool_.size() < kSize) {
        pool_.emplace_back(*out);
    } else {
        pool_[next_] = *out;  // the host still holds the one replaced: it keeps its reference
        next_ = (next_ + 1) % kSize;
    }
    return hr;
}

}  // namespace lumo::com
