#pragma once
// The inner loop of every keyed stretch and of the draw at full strength: per pixel, the first of
// three layers whose pixel is not the key colour. A portable version and, where the processor has
// them, AVX2 and AVX-512 versions; all give the same pixels.
#include "common/colour.h"

namespace lumo::detail {

using quill::Pixel;

// out[k] = top[k] unless it is the key, else middle[k] unless it is the key, else under[k].
// A caller without a middle layer passes top twice. out may be under itself, or lie before it
// in the same row: each pixel of under is read before any write reaches it.
using PickLayersFn = void (*)(const Pixel* under, const Pixel* middle, const Pixel* top, Pixel* out,
                              int n, Pixel key);

void pickLayersPortable(const Pixel* under, const Pixel* middle, const Pixel* top, Pixel* out, int n,
                        Pixel key);
// Null where the processor or the compiler lacks the instructions.
PickLayersFn pickLayersAvx2();
PickLayersFn pickLayersAvx512();
// The fastest version this processor runs.
PickLayersFn pickLayers();

}  // namespace lumo::detail
