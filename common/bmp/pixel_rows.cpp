#include "common/bmp/pixel_rows.h"

#include "common/bmp/channel_scale.h"

namespace quill::bmp {
namespace {

template <int Bits>
void indexedRow(const std::uint8_t* src, int width, const Palette& palette, std::uint32_t* out) {
    constexpr int kPerByte = 8 / Bits;
    constexpr unsigned kIndexMask = (1u << Bits) - 1;
    for (int x = 0; x < width; ++x) {
        // The leftmost pixel sits in the byte's highest bits.
        const int shift = 8 - Bits * (x % kPerByte + 1);
        out[x] = palette[(src[x / kPerByte] >> shift) & kIndexMask];
    }
}

void bgrRow(const std::uint8_t* src, int width, std::uint32_t* out) {
    for (int x = 0; x < width; ++x, src += 3) {
        out[x] = std::uint32_t{src[2]} << 16 | std::uint32_t{src[1]} << 8 | src[0];
    }
}

template <int Bytes>
void maskedRow(const std::uint8_t* src, int width, const MaskedPixels& masked, std::uint32_t* out) {
    for (int x = 0; x < width; ++x, src += Bytes) {
        std::uint32_t raw = 0;
        for (int b = Bytes - 1; b >= 0; --b) raw = raw << 8 | src[b];
        out[x] = masked(raw);
    }
}

class RowDecoder {
public:
    RowDecoder(const Layout& layout, const Palette& palette)
        : bits_(layout.bitsPerPixel), palette_(palette), masked_(layout.masks) {}

    void operator()(const std::uint8_t* src, int width, std::uint32_t* out) const {
        switch (bits_) {
            case 1: return indexedRow<1>(src, width, palette_, out);
            case 4: return indexedRow<4>(src, width, palette_, out);
            case 8: return indexedRow<8>(src, width, palette_, out);
            case 16: return maskedRow<2>(src, width, masked_, out);
            case 24: return bgrRow(src, width, out);
            default: return maskedRow<4>(src, width, masked_, out);
        }
    }

private:
    int bits_;
    const Palette& palette_;
    MaskedPixels masked_;
};

}  // namespace

std::string decodeRows(const ByteView& file, const Layout& layout, const Palette& palette,
                       Image& image) {
    // Sides are capped already, so none of these products comes near 64 bits.
    const std::uint64_t rowBytes = (std::uint64_t(layout.width) * layout.bitsPerPixel + 7) / 8;
    const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
    const std::uint64_t needed = stride * (layout.height - 1) + rowBytes;
    if (!file.covers(layout.pixelOffset, needed)) {
        return truncatedMessage("pixel data ends", file.size(), layout.pixelOffset + needed);
    }
    const int width = static_cast<int>(layout.width);
    const int height = static_cast<int>(layout.height);
    image = Image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    const RowDecoder decodeRow(layout, palette);
    for (int row = 0; row < height; ++row) {
        const int outRow = layout.topDown ? row : height - 1 - row;
        decodeRow(file.span(layout.pixelOffset + row * stride, rowBytes), width,
                  image.pixels.data() + std::size_t(outRow) * width);
    }
    return {};
}

}  // namespace quill::bmp
