#include "compositor/com/picture_writer.h"

#include <cstring>

namespace lumo::com {
namespace {

using Microsoft::WRL::ComPtr;

void copyRows(ConstSurfaceView src, SurfaceView dst) {
    for (int y = 0; y < src.h; ++y) std::memcpy(dst.row(y), src.row(y), sizeof(Pixel) * src.w);
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

HRESULT ImagePool::picture(ConstSurfaceView px, IPictureDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (ComPtr<IPictureDisp>& p : pool_) {
        if (!onlyPoolHolds(p.Get())) continue;
        HBITMAP bmp = nullptr;
        if (quill::win32::bitmapOfPicture(p.Get(), bmp) != quill::RunError::None) continue;
        SurfaceView bits = ownDibPixels(bmp);
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
