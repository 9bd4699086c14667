#pragma once
// A slow, obviously correct model of the control: per-pixel loops written straight from the
// rules, no tables, no skipped work. The engine's fast kernels are compared against it.
#include <cstdint>
#include <vector>

#include "common/run_error.h"

namespace reference {

struct Image {
    int w = 0, h = 0;
    std::vector<std::uint32_t> px;  // pixels, top byte 0
    Image() = default;
    Image(int width, int height, std::uint32_t fill) : w(width), h(height), px(std::size_t(width) * height, fill) {}
    std::uint32_t get(long long x, long long y) const {  // 0xFFFFFFFF outside
        return x >= 0 && y >= 0 && x < w && y < h ? px[std::size_t(y) * w + x] : 0xFFFFFFFFu;
    }
    void set(long long x, long long y, std::uint32_t v) {
        if (x >= 0 && y >= 0 && x < w && y < h) px[std::size_t(y) * w + x] = v;
    }
    bool operator==(const Image& o) const { return w == o.w && h == o.h && px == o.px; }
};

// The six operations.
void copyEdgeExtended(const Image& src, long long sx, long long sy, long long w, long long h,
                      Image& dst, long long dx, long long dy);
void stretchKeyed(const Image& src, int sx, int sy, long long sw, long long sh, Image& dst,
                  long long dx, long long dy, long long dw, long long dh, std::uint32_t key);
void blend(const Image& src, int sx, int sy, long long sw, long long sh, Image& dst, long long dx,
           long long dy, long long dw, long long dh, int alpha);
void stretchBlackOnWhite(Image& img, long long sw, long long sh, long long dw, long long dh);

// A resize keeps the overlap and fills the rest with the background.
Image resized(const Image& img, int w, int h, std::uint32_t background);

struct Control {
    Image view, material, master, work;
    Image masterPicture;                 // the picture loaded into picMaterial_T
    bool materialHasPicture = false;     // whether picMaterial holds a loaded picture
    Image materialPicture;
    std::uint32_t viewBg = 0;
};

struct Result {
    quill::RunError error = quill::RunError::None;
    double alphaOut = 0;  // Alpha after the call
    long long angleOut = 0;
};

// Lumoscope with plain doubles for every argument.
Result draw(Control& c, double x, double y, double alpha, double r360, double zoom,
            bool smoothing, double qt);

}  // namespace reference
