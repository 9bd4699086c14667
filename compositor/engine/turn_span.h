#pragma once
// The inner loop of the rotation: one row of destination pixels whose samples all lie inside
// the master. A portable version and, where the processor has them, AVX2 and AVX-512 versions that
// form the same doubles and floors four or eight pixels at a time; all give the same pixels.
#include <cstddef>

#include "common/colour.h"

namespace lumo::detail {

using quill::Pixel;

struct TurnRow {
    const double* xc;  // X * cos for each destination column
    const double* xs;  // X * sin
    double yc;         // Y * cos for this row
    double ys;         // Y * sin
    const Pixel* samples;          // the master's pixels
    std::ptrdiff_t stride;         // pixels per master row
    std::ptrdiff_t centre;         // index of the sample at offset (0, 0)
};

// out[i] = the sample at offset (floor(xc[i] - ys), floor(yc + xs[i])) for i in [lo, hi);
// the caller has made sure every such sample lies inside the master.
using TurnSpanFn = void (*)(const TurnRow& r, int lo, int hi, Pixel* out);

void turnSpanPortable(const TurnRow& r, int lo, int hi, Pixel* out);
// Null where the processor or the compiler lacks the instructions.
TurnSpanFn turnSpanAvx2();
TurnSpanFn turnSpanAvx512();
// The fastest version this processor runs.
TurnSpanFn turnSpan();

}  // namespace lumo::detail
