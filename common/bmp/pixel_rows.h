#pragma once
// Uncompressed pixel data: rows padded to 4 bytes, bottom-up unless the height was negative.
#include <string>

#include "common/bmp/bmp_decoder.h"
#include "common/bmp/byte_view.h"
#include "common/bmp/layout.h"
#include "common/bmp/palette.h"

namespace quill::bmp {

// Checks that every row is in the file (the last row may lack its padding), then decodes.
std::string decodeRows(const ByteView& file, const Layout& layout, const Palette& palette,
                       Image& image);

}  // namespace quill::bmp
