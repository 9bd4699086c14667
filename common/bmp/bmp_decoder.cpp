#include "common/bmp/bmp_decoder.h"

#include "common/bmp/byte_view.h"
#include "common/bmp/layout.h"
#include "common/bmp/palette.h"
#include "common/bmp/pixel_rows.h"
#include "common/bmp/rle.h"

namespace quill::bmp {

DecodeResult decode(const std::uint8_t* data, std::size_t size) {
    const ByteView file(data, data ? size : 0);
    Layout layout;
    std::string error = parseLayout(file, layout);
    Image image;
    if (error.empty()) {
        const Palette palette = readPalette(file, layout);
        const bool rle = layout.compression == kRle8 || layout.compression == kRle4;
        error = rle ? decodeRle(file, layout, palette, image) : decodeRows(file, layout, palette, image);
    }
    if (!error.empty()) return {std::nullopt, error};
    return {std::move(image), {}};
}

}  // namespace quill::bmp
