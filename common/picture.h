#pragma once
// A picture: an immutable bitmap shared by reference, like the platform's picture objects. The
// one picture type of the program and the control: the BMP decoder makes them, the forms show
// them and the engine draws them.
#include <cstdint>
#include <memory>
#include <vector>

#include "common/colour.h"
#include "common/run_error.h"

namespace quill {

// The largest picture or surface anyone allocates. A side of 16,384 pixels is more than any
// screen could show, and 2^24 pixels (64 MiB) in all keeps a request born of a huge zoom, a
// supersampling factor or a hostile file from costing gigabytes: it fails with a clear error
// before anything is allocated.
constexpr int kMaxPictureSide = 16384;
constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 24;

// None when a w by h picture may be allocated; InvalidPropertyValue for a negative side;
// OutOfMemory beyond the caps above.
RunError checkPictureSize(std::int64_t w, std::int64_t h);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;  // top-down rows, stride = width, 0x00RRGGBB with a zero top byte
};

using PictureRef = std::shared_ptr<const Picture>;

// Takes ownership of the pixels; the top byte of every pixel is cleared so that colour-key
// comparisons see only the colour.
PictureRef makePicture(int width, int height, std::vector<Pixel> pixels);

}  // namespace quill
