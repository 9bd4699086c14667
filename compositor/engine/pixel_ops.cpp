#include "compositor/engine/pixel_ops.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "compositor/engine/axis_map.h"
#include "compositor/engine/layer_pick.h"

namespace lumo {
namespace {

struct Span {
    int lo;
    int hi;  // exclusive
};

// The destination indices of [pos, pos + len) that lie inside 0 .. limit.
Span clipSpan(int pos, int len, int limit) {
    std::int64_t lo = std::max<std::int64_t>(pos, 0);
    std::int64_t hi = std::min<std::int64_t>(std::int64_t{pos} + len, limit);
    return {static_cast<int>(lo), static_cast<int>(std::max(lo, hi))};
}

int clampIndex(std::int64_t v, int size) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, size - 1));
}

// Source ranges of a BLACKONWHITE stretch along one axis, per destination index.
struct RangeMap {
    int first = 0;
    std::vector<std::int64_t> lo, hi;  // source range [lo, hi), may reach outside the surface
};

RangeMap mapAxisBlackOnWhite(int dstPos, int dstLen, int dstLimit, int srcPos, int srcLen) {
    RangeMap m;
    Span span = clipSpan(dstPos, dstLen, dstLimit);
    m.first = span.lo;
    for (int dAbs = span.lo; dAbs < span.hi; ++dAbs) {
        std::int64_t i = std::int64_t{dAbs} - dstPos;
        std::int64_t lo, hi;
        if (srcLen <= dstLen) {
            lo = nearestSourceIndex(i, srcLen, dstLen);
            hi = lo + 1;
        } else {
            lo = i * srcLen / dstLen;
            hi = (i + 1) * srcLen / dstLen;
        }
        m.lo.push_back(srcPos + lo);
        m.hi.push_back(srcPos + hi);
    }
    return m;
}

}  // namespace

void copyRowExtendingEdges(const Pixel* srcRow, int srcW, std::int64_t x, Pixel* dst, int w) {
    if (w <= 0 || srcW <= 0) return;
    // Destination k takes source x + k: split into the part left of the source, the part over
    // it and the part right of it.
    const int midLo = static_cast<int>(std::clamp<std::int64_t>(-x, 0, w));
    const int midHi = static_cast<int>(std::clamp<std::int64_t>(srcW - x, midLo, w));
    std::fill(dst, dst + midLo, srcRow[0]);
    if (midHi > midLo) std::memmove(dst + midLo, srcRow + (x + midLo), sizeof(Pixel) * (midHi - midLo));
    std::fill(dst + midHi, dst + w, srcRow[srcW - 1]);
}

void copyRectExtendingEdges(ConstSurfaceView src, int sx, int sy, int w, int h, SurfaceView dst,
                            int dx, int dy) {
    if (w <= 0 || h <= 0 || src.w <= 0 || src.h <= 0) return;
    const Span cols = clipSpan(dx, w, dst.w);
    const Span rows = clipSpan(dy, h, dst.h);
    if (cols.lo >= cols.hi) return;
    const std::int64_t firstSrcCol = std::int64_t{sx} + (cols.lo - dx);
    for (int y = rows.lo; y < rows.hi; ++y) {
        const Pixel* s = src.row(clampIndex(std::int64_t{sy} + (y - dy), src.h));
        copyRowExtendingEdges(s, src.w, firstSrcCol, dst.row(y) + cols.lo, cols.hi - cols.lo);
    }
}

void keyedStretchRow(const Pixel* srcRow, const AxisMap& cols, Pixel* dstRow, Pixel key) {
    const detail::PickLayersFn pick = detail::pickLayers();
    for (const AxisMap::Run& run : cols.runs) {
        const Pixel* from = srcRow + run.src;
        Pixel* to = dstRow + run.dst;
        pick(to, from, from, to, run.length, key);
    }
}

void blendRow(const Pixel* srcRow, const AxisMap& cols, Pixel* dstRow, int alpha) {
    const unsigned a = static_cast<unsigned>(std::clamp(alpha, 0, 255));
    if (a == 0) return;  // dst * 255 / 255: nothing changes
    for (const AxisMap::Run& run : cols.runs) {
        const Pixel* from = srcRow + run.src;
        Pixel* to = dstRow + run.dst;
        if (a == 255) {  // src * 255 / 255 is src exactly
            std::memmove(to, from, sizeof(Pixel) * run.length);
        } else {
            for (int k = 0; k < run.length; ++k) to[k] = blendPixel(from[k], to[k], a);
        }
    }
}

void stretchColorKey(ConstSurfaceView src, Rect s, SurfaceView dst, Rect d, Pixel key) {
    const AxisMap cols = mapAxisNearest(d.x, d.w, dst.w, s.x, s.w, src.w);
    const AxisMap rows = mapAxisNearest(d.y, d.h, dst.h, s.y, s.h, src.h);
    for (int r = 0; r < rows.count(); ++r)
        keyedStretchRow(src.row(rows.src[r]), cols, dst.row(rows.first + r), key);
}

void blendConstantAlpha(ConstSurfaceView src, Rect s, SurfaceView dst, Rect d, int alpha) {
    const AxisMap cols = mapAxisNearest(d.x, d.w, dst.w, s.x, s.w, src.w);
    const AxisMap rows = mapAxisNearest(d.y, d.h, dst.h, s.y, s.h, src.h);
    for (int r = 0; r < rows.count(); ++r) blendRow(src.row(rows.src[r]), cols, dst.row(rows.first + r), alpha);
}

void stretchCopyBlackOnWhite(SurfaceView surface, Rect s, Rect d) {
    if (s.w <= 0 || s.h <= 0 || d.w <= 0 || d.h <= 0) return;
    if (s.x == d.x && s.y == d.y && s.w == d.w && s.h == d.h) return;  // copies onto itself
    const RangeMap cols = mapAxisBlackOnWhite(d.x, d.w, surface.w, s.x, s.w);
    const RangeMap rows = mapAxisBlackOnWhite(d.y, d.h, surface.h, s.y, s.h);
    if (cols.lo.empty() || rows.lo.empty()) return;
    // Source and destination share the surface: read from a copy.
    std::vector<Pixel> copy(static_cast<std::size_t>(surface.w) * surface.h);
    for (int y = 0; y < surface.h; ++y)
        std::memcpy(copy.data() + std::size_t(y) * surface.w, surface.row(y), sizeof(Pixel) * surface.w);
    auto clampLo = [](std::int64_t v) { return std::max<std::int64_t>(v, 0); };
    for (std::size_t r = 0; r < rows.lo.size(); ++r) {
        const std::int64_t y0 = clampLo(rows.lo[r]), y1 = std::min<std::int64_t>(rows.hi[r], surface.h);
        Pixel* out = surface.row(rows.first + static_cast<int>(r)) + cols.first;
        for (std::size_t c = 0; c < cols.lo.size(); ++c) {
            const std::int64_t x0 = clampLo(cols.lo[c]), x1 = std::min<std::int64_t>(cols.hi[c], surface.w);
            Pixel acc = 0x00FFFFFFu;
            for (std::int64_t y = y0; y < y1; ++y)
                for (std::int64_t x = x0; x < x1; ++x) acc &= copy[std::size_t(y) * surface.w + x];
            out[c] = acc;
        }
    }
}

}  // namespace lumo
