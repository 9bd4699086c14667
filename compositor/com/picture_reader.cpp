#include "compositor/com/picture_reader.h"

#include <olectl.h>
#include <wrl/client.h>


#include "common/picture.h"
#include "compositor/com/picture_writer.h"

namespace lumo::com {
namespace {

using Microsoft::WRL::ComPtr;
using quill::RunError;

// The top byte is not part of the colour. One plain loop over the whole buffer, which the
// compiler vectorises: this runs on every redraw.
bool samePixels(const Pixel* fresh, int w, int h, const PictureRef& old) {
    if (!old || old->width != w || old->height != h) return false;
    const Pixel* b = old->pixels.data();
    Pixel diff = 0;
    for (std::size_t i = 0, n = std::size_t(w) * h; i < n; ++i) diff |= (fresh[i] ^ b[i]) & 0x00FFFFFFu;
    return diff == 0;
}

// The pixels of a 32-bit DIB section as they lie in memory, in whichever row order; null for
// other bitmaps.
struct SectionPixels {
    const Pixel* data = nullptr;
    int w = 0, h = 0;
};

SectionPixels sectionPixelsOf(HBITMAP bmp) {
    DIBSECTION ds{};
    if (GetObjectW(bmp, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32)
        return {};
    GdiFlush();  // drawing the host has queued must have reached the bits
    return {static_cast<const Pixel*>(ds.dsBm.bmBits), ds.dsBm.bmWidth, ds.dsBm.bmHeight};
}

}  // namespace

// The same section whose memory still equals the picture read from it last time holds that
// picture again, when at that read its memory equalled the picture row for row. If its rows
// run top-down that is plain; if they run bottom-up, the earlier equality means the picture
// was symmetric top to bottom, and memory equal to it now means the rows, read upwards, are
// that same picture. Comparing in place against the picture the engine already holds costs
// one read of the section, where converting it again would cost two passes and a write.
bool PictureReader::unchangedSinceLastRead(HBITMAP bmp) const {
    if (!last_ || bmp != lastSection_) return false;
    const SectionPixels sp = sectionPixelsOf(bmp);
    return sp.data && samePixels(sp.data, sp.w, sp.h, last_);
}

void PictureReader::rememberSection(HBITMAP bmp) {
    const SectionPixels sp = sectionPixelsOf(bmp);
    lastSection_ = sp.data && samePixels(sp.data, sp.w, sp.h, last_) ? bmp : nullptr;
}

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
    // The host loads the same artwork on every redraw: comparing the section's bits in place
    // is cheaper than converting them again.
    if (unchangedSinceLastRead(bmp)) {
        out = last_;
        return Outcome::ok();
    }
    // Converted through GetDIBits: a DIB section's own bits would be quicker to read, but
    // whether they run top-down is not reported reliably on every platform.
    BITMAP info{};
    if (!dc_ || !GetObjectW(bmp, sizeof info, &info)) return Outcome::failed(RunError::InvalidPicture);
    const int w = info.bmWidth, h = info.bmHeight;
    if (RunError e = quill::checkPictureSize(w, h); e != RunError::None) return Outcome::failed(e);
    scratch_.resize(std::size_t(w) * h);
    BITMAPINFO bi = topDown32(w, h);
    if (h > 0 && GetDIBits(dc_.get(), bmp, 0, UINT(h), scratch_.data(), &bi, DIB_RGB_COLORS) != h)
        return Outcome::failed(RunError::InvalidPicture);
    if (!samePixels(scratch_.data(), w, h, last_)) last_ = makePicture(w, h, scratch_);
    rememberSection(bmp);
    out = last_;
    return Outcome::ok();
}

Outcome pixelsOfPicture(IPictureDisp* pic, PictureRef& out) {
    PictureReader reader;
    return reader.read(pic, out);
}

}  // namespace lumo::com
