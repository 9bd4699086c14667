#pragma once
// Where a surface's pixels live. The engine allocates plain heap buffers; the Windows control
// supplies DIB sections so that a device context sees the same memory.
#include <functional>
#include <memory>
#include <vector>

#include "common/colour.h"
#include "compositor/engine/bitmap.h"

namespace lumo {

using quill::Pixel;

class PixelStorage {
public:
    virtual ~PixelStorage() = default;
    virtual Pixel* data() = 0;
    virtual int width() const = 0;   // also the stride, in pixels
    virtual int height() const = 0;
    // True when the storage must match the surface's size exactly (a DIB that a device
    // context shows); false lets a surface reuse a larger buffer when it shrinks.
    virtual bool exactSize() const { return false; }
    // A picture that is this very buffer, handed out instead of a copy; null where the buffer
    // cannot be given away (a DIB: drawing through its device context would change a picture
    // already handed out).
    virtual PictureRef share() const { return nullptr; }
    // True while a picture from share() is alive somewhere: the pixels must then stay as they are.
    virtual bool shared() const { return false; }
};

// Returns null when the memory cannot be had.
using PixelStorageFactory = std::function<std::unique_ptr<PixelStorage>(int width, int height)>;

std::unique_ptr<PixelStorage> makeHeapStorage(int width, int height);

// Buffers a surface draws into while pictures share its own. A host holds on to the last
// image while it takes the next, so a few are kept to go round without allocating.
class SpareStorage {
public:
    // Makes sure a w by h buffer that no picture shares is at hand; false when none can be had.
    bool reserve(int w, int h, const PixelStorageFactory& make);
    // Exchanges current for the buffer that reserve() made sure of, which is still unshared:
    // only the surface hands buffers out, and it never hands out a spare.
    void exchange(std::unique_ptr<PixelStorage>& current);
    void clear() { kept_.clear(); }

private:
    static constexpr std::size_t kKept = 2;
    std::vector<std::unique_ptr<PixelStorage>> kept_;
};

}  // namespace lumo
