#include "tests/common/bmp/bmp_builder.h"

#include <algorithm>

namespace quill::bmp::test {
namespace {

void put(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void packRow(Bytes& out, const std::vector<std::uint32_t>& row, int bits) {
    const std::size_t start = out.size();
    if (bits >= 16) {
        for (std::uint32_t v : row) put(out, v, bits / 8);  // 0xRRGGBB stores as B, G, R
    } else {
        const std::size_t bytes = (row.size() * bits + 7) / 8;
        out.resize(start + bytes);
        for (std::size_t x = 0; x < row.size(); ++x) {
            const int shift = 8 - bits * int(x % (8 / bits) + 1);
            out[start + x * bits / 8] |= static_cast<std::uint8_t>(row[x] << shift);
        }
    }
    while ((out.size() - start) % 4) out.push_back(0);
}

}  // namespace

Bytes packRows(const Rows& rows, int bitsPerPixel) {
    Bytes out;
    for (const auto& row : rows) packRow(out, row, bitsPerPixel);
    return out;
}

BmpBuilder::BmpBuilder(std::int32_t width, std::int32_t height, int bitsPerPixel)
    : width_(width), height_(height), bits_(bitsPerPixel) {}

BmpBuilder& BmpBuilder::headerSize(std::uint32_t size) { headerSize_ = size; return *this; }
BmpBuilder& BmpBuilder::compression(std::uint32_t c) { compression_ = c; return *this; }
BmpBuilder& BmpBuilder::palette(std::vector<std::uint32_t> c) { palette_ = std::move(c); return *this; }
BmpBuilder& BmpBuilder::coloursUsed(std::uint32_t n) { coloursUsed_ = n; return *this; }
BmpBuilder& BmpBuilder::rows(const Rows& rows) { pixels_ = packRows(rows, bits_); return *this; }
BmpBuilder& BmpBuilder::pixelBytes(Bytes bytes) { pixels_ = std::move(bytes); return *this; }
BmpBuilder& BmpBuilder::pixelOffset(std::uint32_t offset) { pixelOffset_ = offset; return *this; }

BmpBuilder& BmpBuilder::masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                              std::uint32_t alpha) {
    masks_ = {red, green, blue, alpha};
    return *this;
}

// The info header and the masks that follow or belong to it; no palette.
Bytes BmpBuilder::headers() const {
    Bytes info;
    put(info, headerSize_, 4);
    const int sideBytes = headerSize_ == 12 ? 2 : 4;
    put(info, std::uint32_t(width_), sideBytes);
    put(info, std::uint32_t(height_), sideBytes);
    put(info, 1, 2);
    put(info, bits_, 2);
    if (headerSize_ > 12) {
        for (std::uint32_t field : {compression_, std::uint32_t(pixels_.size()), 2835u, 2835u,  // 72 dpi
                                    coloursUsed_.value_or(std::uint32_t(palette_.size())), 0u}) {
            put(info, field, 4);
        }
    }
    // A long header holds its masks; after a 40-byte one come the three or four the
    // compression needs.
    const std::size_t room = headerSize_ > 40 ? (headerSize_ - 40) / 4 : compression_ == 6 ? 4 : 3;
    for (std::size_t i = 0; i < masks_.size() && i < room; ++i) put(info, masks_[i], 4);
    info.resize(std::max<std::size_t>(info.size(), headerSize_));
    return info;
}

Bytes BmpBuilder::build() const {
    Bytes info = headers();
    const std::size_t headersEnd = 14 + info.size();
    for (std::uint32_t c : palette_) put(info, c, headerSize_ == 12 ? 3 : 4);

    const std::uint32_t offset = pixelOffset_.value_or(std::uint32_t(14 + info.size()));
    Bytes file{'B', 'M'};
    for (std::uint32_t field : {std::uint32_t(offset + pixels_.size()), 0u, offset}) put(file, field, 4);
    file.insert(file.end(), info.begin(), info.end());
    // An offset inside the palette overwrites its tail, as a writer that miscounted would.
    file.resize(std::max<std::size_t>(offset, headersEnd));
    file.insert(file.end(), pixels_.begin(), pixels_.end());
    return file;
}

}  // namespace quill::bmp::test
