#include "common/bmp/layout.h"

#include <algorithm>

#include "common/bmp/bmp_decoder.h"

namespace quill::bmp {
namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint64_t kCoreHeaderSize = 12;
constexpr std::uint64_t kMasksAt = 54;  // right after a 40-byte header, or inside a longer one

std::string checkSignature(const ByteView& file) {
    if (file.size() == 0) return "empty file";
    if (file.u8(0) != 'B' || file.u8(1) != 'M') return "not a BMP file (bad signature)";
    if (!file.covers(0, kFileHeaderSize + 4)) {
        return truncatedMessage("header ends", file.size(), kFileHeaderSize + 4);
    }
    return {};
}

bool isKnownHeaderSize(std::uint32_t size) {
    // Core, info, the two unnamed extensions with masks inside, V4 and V5.
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// The 12-byte header has 16-bit unsigned sides, so its images are always bottom-up.
void readCoreHeader(const ByteView& file, Layout& layout) {
    layout.width = file.u16(18);
    layout.height = file.u16(20);
    layout.bitsPerPixel = file.u16(24);
    layout.paletteEntrySize = 3;
}

void readInfoHeader(const ByteView& file, Layout& layout) {
    layout.width = file.i32(18);
    const std::int64_t height = file.i32(22);  // 64-bit: negating INT32_MIN must not wrap
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    layout.bitsPerPixel = file.u16(28);
    layout.compression = file.u32(30);
}

std::string readHeader(const ByteView& file, Layout& layout) {
    const std::uint32_t size = file.u32(kFileHeaderSize);
    if (!isKnownHeaderSize(size)) return "unsupported header size " + std::to_string(size);
    if (!file.covers(0, kFileHeaderSize + size)) {
        return truncatedMessage("header ends", file.size(), kFileHeaderSize + size);
    }
    if (size == kCoreHeaderSize) {
        readCoreHeader(file, layout);
    } else {
        readInfoHeader(file, layout);
    }
    layout.pixelOffset = file.u32(10);
    return {};
}

std::string checkDimensions(const Layout& layout) {
    if (layout.width == 0) return "width 0";
    if (layout.width < 0) return "negative width " + std::to_string(layout.width);
    if (layout.height == 0) return "height 0";
    // Both sides are at most 2^31 here, so the product fits in 64 bits.
    if (layout.width > kMaxSide || layout.height > kMaxSide ||
        layout.width * layout.height > kMaxPixels) {
        return "image too large: " + std::to_string(layout.width) + " x " +
               std::to_string(layout.height) + " (the limit is " + std::to_string(kMaxSide) +
               " a side and " + std::to_string(kMaxPixels) + " pixels)";
    }
    return {};
}

const char* compressionName(std::uint32_t compression) {
    switch (compression) {
        case kRle8: return "RLE8";
        case kRle4: return "RLE4";
        case kBitFields: return "BITFIELDS";
        case kJpeg: return "JPEG";
        case kPng: return "PNG";
        case kAlphaBitFields: return "ALPHABITFIELDS";
        case 11: return "CMYK";
        case 12: return "CMYK RLE8";
        case 13: return "CMYK RLE4";
        default: return nullptr;
    }
}

std::string unsupportedCompression(std::uint32_t compression) {
    const char* name = compressionName(compression);
    return "unsupported compression " + std::to_string(compression) +
           (name ? std::string(" (") + name + ")" : std::string());
}

std::string depthMismatch(std::uint32_t compression, const char* needed, int bits) {
    return std::string(compressionName(compression)) + " compression needs " + needed +
           " bits per pixel, not " + std::to_string(bits);
}

std::string checkEncoding(const Layout& layout) {
    const std::uint32_t c = layout.compression;
    const int bits = layout.bitsPerPixel;
    if (c != kRgb && c != kRle8 && c != kRle4 && c != kBitFields && c != kAlphaBitFields) {
        return unsupportedCompression(c);
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return "unsupported bit depth " + std::to_string(bits);
    }
    if (c == kRle8 && bits != 8) return depthMismatch(c, "8", bits);
    if (c == kRle4 && bits != 4) return depthMismatch(c, "4", bits);
    if ((c == kBitFields || c == kAlphaBitFields) && bits != 16 && bits != 32) {
        return depthMismatch(c, "16 or 32", bits);
    }
    return {};
}

bool hasMasks(const Layout& layout) {
    return layout.compression == kBitFields || layout.compression == kAlphaBitFields;
}

// Without bit fields, 16 bits are 5-5-5 and 32 bits are 8-8-8 with an unused top byte;
// masks a V4 or V5 header carries anyway do not apply then.
ChannelMasks defaultMasks(int bitsPerPixel) {
    if (bitsPerPixel == 16) return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

// Bits a 16-bit pixel does not have can never be set: a mask reaching past them is cut, so
// that the channel's full range is what the pixel can hold.
ChannelMasks fileMasks(const ByteView& file, int bitsPerPixel) {
    const std::uint32_t usable = bitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    return {file.u32(kMasksAt) & usable, file.u32(kMasksAt + 4) & usable,
            file.u32(kMasksAt + 8) & usable};
}

// Also finds where the headers end: after the masks when a 40-byte header is followed by them.
std::string readMasks(const ByteView& file, Layout& layout, std::uint64_t& headersEnd) {
    headersEnd = kFileHeaderSize + file.u32(kFileHeaderSize);
    if (!hasMasks(layout)) {
        layout.masks = defaultMasks(layout.bitsPerPixel);
        return {};
    }
    // Longer headers hold at least the three colour masks; alpha is never used.
    if (headersEnd == kMasksAt) headersEnd += layout.compression == kAlphaBitFields ? 16 : 12;
    if (!file.covers(0, headersEnd)) {
        return truncatedMessage("colour masks end", file.size(), headersEnd);
    }
    layout.masks = fileMasks(file, layout.bitsPerPixel);
    return {};
}

std::uint64_t declaredPaletteEntries(const ByteView& file, const Layout& layout) {
    if (layout.bitsPerPixel > 8) return 0;
    const std::uint64_t full = std::uint64_t{1} << layout.bitsPerPixel;
    const std::uint64_t used = layout.paletteEntrySize == 3 ? 0 : file.u32(46);
    return used == 0 ? full : std::min(used, full);
}

// The palette sits between the headers and the pixel data; a writer may store fewer entries
// than the file claims, so only those that fit before the pixel data count.
std::string placePalette(const ByteView& file, Layout& layout, std::uint64_t headersEnd) {
    const std::uint64_t offset = layout.pixelOffset;
    if (offset < headersEnd) {
        return "pixel data offset " + std::to_string(offset) + " lies inside the headers (they end at byte " +
               std::to_string(headersEnd) + ")";
    }
    const std::uint64_t room = (offset - headersEnd) / layout.paletteEntrySize;
    const std::uint64_t entries = std::min(declaredPaletteEntries(file, layout), room);
    const std::uint64_t paletteEnd = headersEnd + entries * layout.paletteEntrySize;
    if (!file.covers(0, paletteEnd)) return truncatedMessage("palette ends", file.size(), paletteEnd);
    if (offset > file.size()) {
        return "pixel data offset " + std::to_string(offset) + " is past the end of the file (" +
               std::to_string(file.size()) + " bytes)";
    }
    layout.paletteOffset = headersEnd;
    layout.paletteEntries = static_cast<int>(entries);
    return {};
}

}  // namespace

std::string truncatedMessage(const char* what, std::uint64_t size, std::uint64_t needed) {
    return "truncated: " + std::string(what) + " at byte " + std::to_string(size) + " of " +
           std::to_string(needed);
}

std::string parseLayout(const ByteView& file, Layout& layout) {
    std::uint64_t headersEnd = 0;
    std::string error = checkSignature(file);
    if (error.empty()) error = readHeader(file, layout);
    if (error.empty()) error = checkDimensions(layout);
    if (error.empty()) error = checkEncoding(layout);
    if (error.empty()) error = readMasks(file, layout, headersEnd);
    if (error.empty()) error = placePalette(file, layout, headersEnd);
    return error;
}

}  // namespace quill::bmp
