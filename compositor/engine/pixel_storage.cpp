#include "compositor/engine/pixel_storage.h"

#include <algorithm>
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

bool SpareStorage::reserve(int w, int h, const PixelStorageFactory& make) {
    kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                               [&](const auto& s) { return s->width() != w || s->height() != h; }),
                kept_.end());
    if (std::any_of(kept_.begin(), kept_.end(), [](const auto& s) { return !s->shared(); })) return true;
    std::unique_ptr<PixelStorage> fresh = make(w, h);
    if (!fresh) return false;
    // Every kept buffer is held by some picture; the oldest is the least likely to come back.
    if (kept_.size() >= kKept) kept_.erase(kept_.begin());
    kept_.push_back(std::move(fresh));
    return true;
}

void SpareStorage::exchange(std::unique_ptr<PixelStorage>& current) {
    for (auto& s : kept_) {
        if (!s->shared() && s->width() == current->width() && s->height() == current->height()) {
            std::swap(s, current);
            return;
        }
    }
}

}  // namespace lumo
