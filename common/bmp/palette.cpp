#include "common/bmp/palette.h"

namespace quill::bmp {

Palette readPalette(const ByteView& file, const Layout& layout) {
    Palette palette{};
    for (int i = 0; i < layout.paletteEntries; ++i) {
        const std::uint64_t at = layout.paletteOffset + std::uint64_t(i) * layout.paletteEntrySize;
        // Entries are stored blue, green, red (and a reserved byte the colour ignores).
        palette[i] = std::uint32_t{file.u8(at + 2)} << 16 | std::uint32_t{file.u8(at + 1)} << 8 |
                     file.u8(at);
    }
    return palette;
}

}  // namespace quill::bmp
