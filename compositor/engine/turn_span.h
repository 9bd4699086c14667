#pragma once
// The inner loop of the rotation: one row of destination pixels whose samples all lie inside
// the grid. A portable version and, where the processor has it, an AVX2 version that forms the
// same doubles and floors four pixels at a time; both give the same pixels.
#include <cstddef>

#include "common/colour.h"

namespace lumo::detail {

using quill::Pixel;

struct TurnRow {
    const double* xc;  // X * cos for each destination column
    const double* xs;  // X * sin
    double yc;         // Y * cos for this row
    double ys;         // Y * sin
    const Pixel* centre;           // the sample at offset (0, 0)
    std::ptrdiff_t gridWidth;      // samples per grid row
    Pixel key;                     // replaces samples that read outside the master
};

// out[i] = the sample at (floor(xc[i] - ys), floor(yc + xs[i])) for i in [lo, hi).
using TurnSpanFn = void (*)(const TurnRow& r, int lo, int hi, Pixel* out);

void turnSpanPortable(const TurnRow& r, int lo, int hi, Pixel* out);
// Null where the processor or the compiler has no AVX2.
TurnSpanFn turnSpanAvx2();
// The fastest version this processor runs.
TurnSpanFn turnSpan();

}  // namespace lumo::detail
