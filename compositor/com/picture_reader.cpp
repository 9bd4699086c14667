#include "compositor/com/picture_reader.h"

#include <olectl.h>
#include <wrl/client.h>

#include <cstring>

#include "compositor/com/picture_writer.h"
#include "compositor/engine/limits.h"

namespace lumo::com {
namespace {

using Microsoft::WRL::ComPtr;
using quill::RunError;

bool sameRow(const Pixel* fresh, const Pixel* old, int w) {
    // Bitmaps usually carry a zero top byte, as the engine's pictures do: memcmp decides.
    if (std::memcmp(fresh, old, sizeof(Pixel) * w) == 0) return true;
    Pixel diff = 0;  // the top byte is not part of the colour
    for (int x = 0; x < w; ++x) diff |= (fresh[x] ^ old[x]) & 0x00FFFFFFu;
    return diff == 0;
}

bool samePixels(ConstSurfaceView fresh, const PictureRef& old) {
    if (!old || old->width != fresh.w || old->height != fresh.h) return false;
    for (int y = 0; y < fresh.h; ++y)
        if (!sameRow(fresh.row(y), old->pixels.data() + std::size_t(y) * fresh.w, fresh.w)) return false;
    return true;
}

}  // namespace

PictureReader::PictureReader() : dc_(CreateCompatibleDC(nullptr)) {}

Outcome PictureReader::read(IPictureDisp* disp, PictureRef& out) {
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
    return readBitmap(reinterpret_cast<HBITMAP>(LONG_PTR(LONG(handle))), out);
}

Outcome PictureReader::readBitmap(HBITMAP bmp, PictureRef& out) {
    // Always through GetDIBits: a DIB section's own bits would be quicker to read, but whether
    // they run top-down is not reported reliably on every platform.
    BITMAP info{};
    if (!dc_ || !GetObjectW(bmp, sizeof info, &info)) return Outcome::failed(RunError::InvalidPicture);
    const int w = info.bmWidth, h = info.bmHeight;
    if (RunError e = checkSurfaceSize(w, h); e != RunError::None) return Outcome::failed(e);
    scratch_.resize(std::size_t(w) * h);
    BITMAPINFO bi = topDown32(w, h);
    if (h > 0 && GetDIBits(dc_.get(), bmp, 0, UINT(h), scratch_.data(), &bi, DIB_RGB_COLORS) != h)
        return Outcome::failed(RunError::InvalidPicture);
    const ConstSurfaceView px{scratch_.data(), w, h, w};
    if (!samePixels(px, last_)) last_ = makePicture(w, h, scratch_);
    out = last_;
    return Outcome::ok();
}

Outcome pixelsOfPicture(IPictureDisp* pic, PictureRef& out) {
    PictureReader reader;
    return reader.read(pic, out);
}

}  // namespace lumo::com
