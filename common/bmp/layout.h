#pragma once
// Where everything lies in a BMP file and how its pixels are encoded, validated against the
// file's real size before any pixel is touched.
#include <cstdint>
#include <string>

#include "common/bmp/byte_view.h"

namespace quill::bmp {

// The compression field's values this decoder knows by name.
enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kJpeg = 4,
    kPng = 5,
    kAlphaBitFields = 6,
};

struct ChannelMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
};

struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive; `topDown` keeps the sign
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kRgb;
    ChannelMasks masks;               // 16 and 32 bits: the file's own or the defaults
    std::uint64_t paletteOffset = 0;
    int paletteEntries = 0;           // entries really present before the pixel data
    int paletteEntrySize = 4;         // 3 with the 12-byte core header
    std::uint64_t pixelOffset = 0;
};

// Reads and checks the headers, masks and offsets; returns why the file is refused, or an
// empty string with `layout` filled in.
std::string parseLayout(const ByteView& file, Layout& layout);

// "truncated: <what> at byte <size> of <needed>", the wording of every short file.
std::string truncatedMessage(const char* what, std::uint64_t size, std::uint64_t needed);

}  // namespace quill::bmp
