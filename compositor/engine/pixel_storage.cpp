#include "compositor/engine/pixel_storage.h"

#include <new>
#include <vector>

namespace lumo {
namespace {

class HeapStorage final : public PixelStorage {
public:
    HeapStorage(int w, int h) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h) {}
    Pixel* data() override { return px_.data(); }
    int width() const override { return w_; }
    int height() const override { return h_; }

private:
    int w_;
    int h_;
    std::vector<Pixel> px_;
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
