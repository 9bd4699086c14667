#include "compositor/engine/axis_map.h"

#include <algorithm>

namespace lumo {

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
    for (std::int64_t i = lo; i < hi; ++i) {
        std::int64_t s = srcPos + nearestSourceIndex(i, srcLen, dstLen);
        if (s < 0) continue;          // source indices only grow with i
        if (s >= srcLimit) break;
        if (m.src.empty()) m.first = static_cast<int>(dstPos + i);
        m.src.push_back(static_cast<int>(s));
    }
    return m;
}

std::vector<AxisMap::Run> AxisMap::runs() const {
    std::vector<Run> out;
    for (int i = 0; i < count(); ++i) {
        if (!out.empty() && out.back().src + out.back().length == src[i]) {
            ++out.back().length;
        } else {
            out.push_back({i, src[i], 1});
        }
    }
    return out;
}

}  // namespace lumo
