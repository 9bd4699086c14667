#pragma once
// The colour table of a 1-, 4- or 8-bit image, always 256 entries long: indices the file's
// table does not reach are black, so a pixel can never index past it.
#include <array>
#include <cstdint>

#include "common/bmp/byte_view.h"
#include "common/bmp/layout.h"

namespace quill::bmp {

using Palette = std::array<std::uint32_t, 256>;  // 0x00RRGGBB

Palette readPalette(const ByteView& file, const Layout& layout);

}  // namespace quill::bmp
