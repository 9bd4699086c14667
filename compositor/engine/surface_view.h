#pragma once
// Plain views of pixel memory that the kernels work on: no ownership, no platform types.
#include <cstddef>

#include "common/colour.h"

namespace lumo {

using quill::Pixel;

struct SurfaceView {
    Pixel* px = nullptr;
    int w = 0;
    int h = 0;
    std::ptrdiff_t stride = 0;  // in pixels
    Pixel* row(int y) const { return px + y * stride; }
};

struct ConstSurfaceView {
    const Pixel* px = nullptr;
    int w = 0;
    int h = 0;
    std::ptrdiff_t stride = 0;
    ConstSurfaceView() = default;
    ConstSurfaceView(const Pixel* p, int width, int height, std::ptrdiff_t s)
        : px(p), w(width), h(height), stride(s) {}
    ConstSurfaceView(const SurfaceView& v) : px(v.px), w(v.w), h(v.h), stride(v.stride) {}  // NOLINT
    const Pixel* row(int y) const { return px + y * stride; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

}  // namespace lumo
