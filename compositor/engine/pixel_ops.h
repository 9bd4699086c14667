#pragma once
// The six pixel operations the control is built from, as kernels over plain buffers.
// Destination pixels outside the destination surface are never written; a rectangle with a
// non-positive width or height does nothing, as the platform refuses such a blit.
#include <cstdint>

#include "compositor/engine/axis_map.h"
#include "compositor/engine/surface_view.h"

namespace lumo {

// Copies a w by h rectangle from (sx, sy) of src to (dx, dy) of dst. Source pixels beyond the
// source's edges take the colour of the nearest edge pixel, so a uniform background stays
// uniform however far the rectangle reaches; from an empty source nothing is copied.
void copyRectExtendingEdges(ConstSurfaceView src, int sx, int sy, int w, int h, SurfaceView dst,
                            int dx, int dy);

// Nearest-neighbour stretch of s onto d; source pixels equal to key, or outside the source
// surface, are not drawn.
void stretchColorKey(ConstSurfaceView src, Rect s, SurfaceView dst, Rect d, Pixel key);

// Nearest-neighbour stretch of s onto d, each channel mixed as
// dst = round((src * alpha + dst * (255 - alpha)) / 255). alpha outside 0..255 is clamped.
void blendConstantAlpha(ConstSurfaceView src, Rect s, SurfaceView dst, Rect d, int alpha);

// Stretch copy within one surface in the platform's default mode: enlarging repeats pixels
// (nearest neighbour); shrinking combines the source pixels that fall on one destination
// pixel with a bitwise AND. Source pixels outside the surface count as white, the identity of
// the AND.
void stretchCopyBlackOnWhite(SurfaceView surface, Rect s, Rect d);

// Row kernels: one destination row of a stretch whose column map is given. The full-surface
// kernels above are loops over these, and the draw streams its rows through them.
void keyedStretchRow(const Pixel* srcRow, const AxisMap& cols, Pixel* dstRow, Pixel key);
void blendRow(const Pixel* srcRow, const AxisMap& cols, Pixel* dstRow, int alpha);
// dst[0 .. w) = src row pixels from x on, the edge pixels repeated beyond the row's ends.
void copyRowExtendingEdges(const Pixel* srcRow, int srcW, std::int64_t x, Pixel* dst, int w);

// round(t / 255) for t in 0 .. 65535, without a division.
inline unsigned div255Round(unsigned t) { return (t + 128 + ((t + 128) >> 8)) >> 8; }

// One pixel of a constant-alpha blend, alpha in 0 .. 255: each channel
// div255Round(src * alpha + dst * (255 - alpha)). Red and blue share one multiply, green gets its
// own; each lane stays below 2^16, so the packed rounding division is exact lane by lane.
inline Pixel blendPixel(Pixel src, Pixel dst, unsigned alpha) {
    const unsigned rest = 255 - alpha;
    std::uint32_t rb = (src & 0x00FF00FFu) * alpha + (dst & 0x00FF00FFu) * rest + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t g = ((src >> 8) & 0xFFu) * alpha + ((dst >> 8) & 0xFFu) * rest + 0x80u;
    g = ((g + (g >> 8)) >> 8) & 0xFFu;
    return rb | (g << 8);
}

}  // namespace lumo
