#pragma once
// RLE8 and RLE4 pixel data. Pixels the stream never sets (skipped by a delta, or left when it
// ends early) are black; runs that reach past the right edge are cut there.
#include <string>

#include "common/bmp/bmp_decoder.h"
#include "common/bmp/byte_view.h"
#include "common/bmp/layout.h"
#include "common/bmp/palette.h"

namespace quill::bmp {

std::string decodeRle(const ByteView& file, const Layout& layout, const Palette& palette,
                      Image& image);

}  // namespace quill::bmp
