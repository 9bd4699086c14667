#include "compositor/com/picture_reader.h"

namespace lumo::com {
namespace {

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
    HBITMAP bmp = nullptr;
    if (RunError e = quill::win32::bitmapOfPicture(disp, bmp); e != RunError::None) return Outcome::failed(e);
    return bmp ? readBitmap(bmp, out) : Outcome::ok();
}

Outcome PictureReader::readBitmap(HBITMAP bmp, PictureRef& out) {
    // The host loads the same artwork on every redraw: comparing the section's bits in place
    // is cheaper than converting them again.
    if (unchangedSinceLastRead(bmp)) {
        out = last_;
        return Outcome::ok();
    }
    int w = 0, h = 0;
    if (RunError e = quill::win32::readBitmap(dc_.get(), bmp, scratch_, w, h); e != RunError::None)
        return Outcome::failed(e);
    if (!samePixels(scratch_.data(), w, h, last_)) last_ = makePicture(w, h, scratch_);
    rememberSection(bmp);
    out = last_;
    return Outcome::ok();
}

}  // namespace lumo::com
