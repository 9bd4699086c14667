#include "compositor/engine/pixel_storage.h"

#include <new>

namespace lumo {
namespace {

// The pixels are a picture from the start, so a surface can hand them out as its image.
class HeapStorage final : public PixelStorage {
public:
    HeapStorage(int w, int h) : bitmap_(std::make_shared<Bitmap>()) {
        bitmap_->width = w;
        bitmap_->height = h;
        bitmap_->pixels.resize(static_cast<std::size_t>(w) * h);
    }
    Pixel* data() override { return bitmap_->pixels.data(); }
    int width() const override { return bitmap_->width; }
    int height() const override { return bitmap_->height; }
    PictureRef share() const override { return bitmap_; }
    // Only the surface hands the picture out, so a count of one cannot grow behind its back; a
    // picture let go on another thread at worst costs the surface a copy.
    bool shared() const override { return bitmap_.use_count() > 1; }

private:
    std::shared_ptr<Bitmap> bitmap_;
};

}  // namespace

std::unique_ptr<PixelStorage> makeHeapStorage(int width, int height) {
    try {
        return std::make_unique<HeapStorage>(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace lumo
