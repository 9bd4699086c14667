#include "common/bmp/bmp_decoder.h"

#include <new>

#include "common/bmp/byte_view.h"
#include "common/bmp/layout.h"
#include "common/bmp/palette.h"
#include "common/bmp/pixel_rows.h"
#include "common/bmp/rle.h"

namespace quill::bmp {
namespace {

std::string decodePixels(const ByteView& file, const Layout& layout, Image& image) {
    const Palette palette = readPalette(file, layout);
    const bool rle = layout.compression == kRle8 || layout.compression == kRle4;
    try {
        return rle ? decodeRle(file, layout, palette, image) : decodeRows(file, layout, palette, image);
    } catch (const std::bad_alloc&) {
        // Even a size within the caps can fail on a busy machine; start-up must still say why.
        return "not enough memory for a " + std::to_string(layout.width) + " x " +
               std::to_string(layout.height) + " image";
    }
}

}  // namespace

DecodeResult decode(const std::uint8_t* data, std::size_t size) {
    const ByteView file(data, data ? size : 0);
    Layout layout;
    std::string error = parseLayout(file, layout);
    Image image;
    if (error.empty()) error = decodePixels(file, layout, image);
    if (!error.empty()) return {std::nullopt, error};
    return {std::move(image), {}};
}

}  // namespace quill::bmp
