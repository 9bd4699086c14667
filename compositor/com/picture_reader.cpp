#include "compositor/com/picture_reader.h"

#include <olectl.h>
#include <wrl/client.h>


#include "compositor/com/picture_writer.h"
#include "compositor/engine/limits.h"

namespace lumo::com {
namespace {

using Microsoft::WRL::ComPtr;
using quill::RunError;

// The top byte is not part of the colour. One plain loop over the whole buffer, which the
// compiler vectorises: this runs on every redraw.
bool samePixels(const std::vector<Pixel>& fresh, int w, int h, const PictureRef& old) {
    if (!old || old->width != w || old->height != h) return false;
    const Pixel* a = fresh.data();
    const Pixel* b = old->pixels.data();
    Pixel diff = 0;
    for (std::size_t i = 0, n = fresh.size(); i < n; ++i) diff |= (a[i] ^ b[i]) & 0x00FFFFFFu;
    return diff == 0;
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
    if (!samePixels(scratch_, w, h, last_)) last_ = makePicture(w, h, scratch_);
    out = last_;
    return Outcome::ok();
}

Outcome pixelsOfPicture(IPictureDisp* pic, PictureRef& out) {
    PictureReader reader;
    return reader.read(pic, out);
}

}  // namespace lumo::com
