#pragma once
// Writes BMP files for tests, so a case reads as "a 4-bit bottom-up image with a 3-entry
// palette" instead of a wall of bytes.
#include <cstdint>
#include <optional>
#include <vector>

#include "common/bmp/bmp_decoder.h"

namespace quill::bmp::test {

using Bytes = std::vector<std::uint8_t>;
using Rows = std::vector<std::vector<std::uint32_t>>;

class BmpBuilder {
public:
    // A negative height makes a top-down image.
    BmpBuilder(std::int32_t width, std::int32_t height, int bitsPerPixel);

    BmpBuilder& headerSize(std::uint32_t size);  // 12, 40, 52, 56, 108 or 124
    BmpBuilder& compression(std::uint32_t c);
    BmpBuilder& palette(std::vector<std::uint32_t> colours);  // 0x00RRGGBB
    BmpBuilder& coloursUsed(std::uint32_t n);  // defaults to the palette's length
    // After a 40-byte header, or inside a longer one.
    BmpBuilder& masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t alpha = 0);
    // In file order: indices for 1 to 8 bits, raw values for 16 and 32, 0xRRGGBB for 24.
    BmpBuilder& rows(const Rows& rows);
    BmpBuilder& pixelBytes(Bytes bytes);  // pixel data as stored (RLE streams, odd cases)
    BmpBuilder& pixelOffset(std::uint32_t offset);  // instead of right after the palette

    Bytes build() const;

private:
    Bytes headers() const;

    std::int32_t width_, height_;
    int bits_;
    std::uint32_t headerSize_ = 40, compression_ = 0;
    std::vector<std::uint32_t> palette_;
    std::optional<std::uint32_t> coloursUsed_, pixelOffset_;
    std::vector<std::uint32_t> masks_;
    Bytes pixels_;
};

// Packs rows as rows() does, each padded to 4 bytes.
Bytes packRows(const Rows& rows, int bitsPerPixel);

inline DecodeResult decodeBytes(const Bytes& file) { return decode(file.data(), file.size()); }

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000,
                        kGreen = 0x00FF00, kBlue = 0x0000FF;

}  // namespace quill::bmp::test
