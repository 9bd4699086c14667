#pragma once
// to[k] = from[k] unless from[k] is the key colour: the inner loop of every keyed stretch.
#include "common/colour.h"

namespace lumo::detail {

using quill::Pixel;
using KeyedCopyFn = void (*)(const Pixel* from, Pixel* to, int n, Pixel key);

void keyedCopyPortable(const Pixel* from, Pixel* to, int n, Pixel key);
KeyedCopyFn keyedCopyAvx2();  // null without AVX2
// The fastest version this processor runs; both give the same pixels.
KeyedCopyFn keyedCopy();

}  // namespace lumo::detail
