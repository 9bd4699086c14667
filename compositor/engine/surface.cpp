#include "compositor/engine/surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/picture.h"

namespace lumo {
namespace {

void fillRect(SurfaceView v, int x0, int y0, int x1, int y1, Pixel p) {
    for (int y = y0; y < y1; ++y) std::fill(v.row(y) + x0, v.row(y) + x1, p);
}

void copyOverlap(ConstSurfaceView src, SurfaceView dst) {
    int w = std::min(src.w, dst.w);
    int h = std::min(src.h, dst.h);
    if (w <= 0) return;
    for (int y = 0; y < h; ++y) std::memcpy(dst.row(y), src.row(y), sizeof(Pixel) * w);
}

ConstSurfaceView viewOf(const Bitmap& b) { return {b.pixels.data(), b.width, b.height, b.width}; }

}  // namespace

Surface::Surface(int width, int height, Colour background, bool autoSize,
                 PixelStorageFactory storage)
    : background_(background), autoSize_(autoSize), makeStorage_(std::move(storage)) {
    if (reallocate(std::max(width, 0), std::max(height, 0)) == RunError::None) clear();
}

Pixel Surface::backgroundPixel() const { return quill::pixelFromColour(quill::resolveColour(background_)); }

RunError Surface::setBackgroundColour(Colour c) {
    if (!quill::isValidColourProperty(c)) return RunError::InvalidPropertyValue;
    background_ = c;
    clear();
    return RunError::None;
}

RunError Surface::setPicture(PictureRef p) {
    if (p && autoSize_) {
        if (RunError e = resize(p->width, p->height); e != RunError::None) return e;
    }
    picture_ = std::move(p);
    clear();
    return RunError::None;
}

RunError Surface::resize(int width, int height) {
    if (width == w_ && height == h_) return RunError::None;
    if (RunError e = quill::checkPictureSize(width, height); e != RunError::None) return e;
    materialise();
    const int oldW = w_, oldH = h_;
    if (storage_ && !storage_->exactSize() && width <= storage_->width() &&
        height <= storage_->height()) {
        w_ = width;
        h_ = height;
    } else {
        std::unique_ptr<PixelStorage> old = std::move(storage_);
        if (RunError e = reallocate(width, height); e != RunError::None) {
            storage_ = std::move(old);
            return e;
        }
        if (old) copyOverlap({old->data(), oldW, oldH, old->width()}, pixels());
    }
    const Pixel bg = backgroundPixel();
    SurfaceView v = pixels();
    fillRect(v, std::min(oldW, w_), 0, w_, std::min(oldH, h_), bg);
    fillRect(v, 0, std::min(oldH, h_), w_, h_, bg);
    return RunError::None;
}

RunError Surface::reallocate(int width, int height) {
    std::unique_ptr<PixelStorage> s = makeStorage_(width, height);
    if (!s) return RunError::OutOfMemory;
    storage_ = std::move(s);
    spares_.clear();
    w_ = width;
    h_ = height;
    imageIsPicture_ = false;
    return RunError::None;
}

void Surface::clear() {
    if (picture_ && picture_->width == w_ && picture_->height == h_ && storage_ &&
        !storage_->exactSize()) {
        imageIsPicture_ = true;
        return;
    }
    imageIsPicture_ = false;
    SurfaceView v = writable(false);
    fillRect(v, 0, 0, w_, h_, backgroundPixel());
    if (picture_) copyOverlap(viewOf(*picture_), v);
}

void Surface::materialise() {
    if (imageIsPicture_) pixels();
}

// A buffer that a picture shares is exchanged for a spare; the pixels move along only when the
// caller keeps some of them, so a write that covers everything costs no copy.
SurfaceView Surface::writable(bool keepPixels) {
    if (!storage_) return {};
    if (storage_->shared()) {
        PixelStorage& shared = *storage_;  // stays alive among the spares
        spares_.exchange(storage_);
        if (keepPixels)
            copyOverlap({shared.data(), shared.width(), shared.height(), shared.width()},
                        {storage_->data(), storage_->width(), storage_->height(), storage_->width()});
    }
    return {storage_->data(), w_, h_, storage_->width()};
}

SurfaceView Surface::pixels() {
    if (!imageIsPicture_) return writable(true);
    imageIsPicture_ = false;
    SurfaceView v = writable(false);
    copyOverlap(viewOf(*picture_), v);
    return v;
}

ConstSurfaceView Surface::constPixels() const {
    if (imageIsPicture_) return viewOf(*picture_);
    if (!storage_) return {};
    return {storage_->data(), w_, h_, storage_->width()};
}

// The storage itself as a picture, when it has the surface's exact size and a spare buffer
// is at hand for the writes that follow.
PictureRef Surface::shareStorage() const {
    if (!storage_ || storage_->width() != w_ || storage_->height() != h_) return nullptr;
    PictureRef own = storage_->share();
    if (!own) return nullptr;
    return spares_.reserve(w_, h_, makeStorage_) ? own : nullptr;
}

PictureRef Surface::snapshot() const {
    if (imageIsPicture_) return picture_;
    if (PictureRef own = shareStorage()) return own;
    // Surface pixels already have a clear top byte, so the copy needs no masking pass.
    ConstSurfaceView v = constPixels();
    auto bmp = std::make_shared<Bitmap>();
    bmp->width = w_;
    bmp->height = h_;
    bmp->pixels.reserve(static_cast<std::size_t>(w_) * h_);
    for (int y = 0; y < h_; ++y) bmp->pixels.insert(bmp->pixels.end(), v.row(y), v.row(y) + w_);
    return bmp;
}

void Surface::bake() {
    if (imageIsPicture_) return;
    picture_ = snapshot();
}

Pixel Surface::pixel(int x, int y) const {
    ConstSurfaceView v = constPixels();
    return v.contains(x, y) ? v.row(y)[x] : quill::kNoPixel;
}

void Surface::setPixel(int x, int y, Pixel p) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    pixels().row(y)[x] = p;
}

}  // namespace lumo
