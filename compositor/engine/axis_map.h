#pragma once
// Per-axis index tables for nearest-neighbour stretches. Every stretch of the engine picks,
// for destination index i of a stretch from srcLen to dstLen, the source index under the
// centre of the destination pixel: floor((2i + 1) * srcLen / (2 * dstLen)). Enlarging repeats
// source pixels evenly and shrinking drops them evenly; an unchanged size maps i to i.
#include <cstdint>
#include <vector>

namespace lumo {

std::int64_t nearestSourceIndex(std::int64_t i, std::int64_t srcLen, std::int64_t dstLen);

// The part of a stretch along one axis that touches both surfaces: destination indices
// first .. first + src.size() - 1 (absolute), each with its absolute source index.
struct AxisMap {
    int first = 0;
    std::vector<int> src;
    int count() const { return static_cast<int>(src.size()); }

    // Stretches by a pixel or two, the usual case, consist of a few long stretches of
    // consecutive source pixels; row kernels copy those as whole runs.
    struct Run {
        int dst;     // absolute destination index of the run's first pixel
        int src;     // absolute source index of the run's first pixel
        int length;
    };
    std::vector<Run> runs;
};

// dstPos/dstLen: the destination rectangle along this axis; dstLimit: the destination
// surface's extent. Likewise for the source. Non-positive lengths give an empty map.
AxisMap mapAxisNearest(int dstPos, int dstLen, int dstLimit, int srcPos, int srcLen, int srcLimit);

}  // namespace lumo
