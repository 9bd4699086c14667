#include "compositor/engine/axis_map.h"

#include <algorithm>

namespace lumo {
namespace {

void collectRuns(AxisMap& m) {
    for (int i = 0; i < m.count(); ++i) {
        AxisMap::Run* last = m.runs.empty() ? nullptr : &m.runs.back();
        if (last && last->src + last->length == m.src[i]) {
            ++last->length;
        } else {
            m.runs.push_back({m.first + i, m.src[i], 1});
        }
    }
}

}  // namespace

std::int64_t nearestSourceIndex(std::int64_t i, std::int64_t srcLen, std::int64_t dstLen) {
    return (2 * i + 1) * srcLen / (2 * dstLen);
}

AxisMap mapAxisNearest(int dstPos, int dstLen, int dstLimit, int srcPos, int srcLen, int srcLimit) {
    AxisMap m;
    if (dstLen <= 0 || srcLen <= 0) return m;
    // Only destination indices inside the destination surface are ever visited, so the work
    // is bounded by the surface even for absurd rectangles.
    const std::int64_t lo = std::max<std::int64_t>(0, -std::int64_t{dstPos});
    const std::int64_t hi = std::min<std::int64_t>(dstLen, std::int64_t{dstLimit} - dstPos);
    if (lo >= hi) return m;
    m.src.reserve(static_cast<std::size_t>(hi - lo));
    // The source index floor((srcLen + i * 2 * srcLen) / (2 * dstLen)), stepped exactly with
    // a quotient and a remainder instead of a division per pixel.
    const std::int64_t step = 2 * std::int64_t{srcLen}, den = 2 * std::int64_t{dstLen};
    const std::int64_t num = srcLen + lo * step;
    std::int64_t q = num / den, r = num % den;
    const std::int64_t stepQ = step / den, stepR = step % den;
    for (std::int64_t i = lo; i < hi; ++i) {
        const std::int64_t s = srcPos + q;
        if (s >= srcLimit) break;  // source indices only grow with i
        if (s >= 0) {
            if (m.src.empty()) m.first = static_cast<int>(dstPos + i);
            m.src.push_back(static_cast<int>(s));
        }
        q += stepQ;
        r += stepR;
        if (r >= den) {
            r -= den;
            ++q;
        }
    }
    collectRuns(m);
    return m;
}

}  // namespace lumo
