#pragma once
// Builds small 24-bit bottom-up BMP files for start-up tests.
#include <cstdint>
#include <functional>
#include <vector>

namespace quilltest {

// pixel(x, y) gives 0x00RRGGBB for the top-down position (x, y).
inline std::vector<std::uint8_t> bmp24(int w, int h, const std::function<std::uint32_t(int, int)>& pixel) {
    const int stride = (w * 3 + 3) / 4 * 4;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(stride * h), fileSize = 54 + dataSize;
    std::vector<std::uint8_t> b(fileSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    put32(34, dataSize);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = pixel(x, y);
            const std::size_t at = 54 + static_cast<std::size_t>(h - 1 - y) * stride + x * 3;
            b[at] = static_cast<std::uint8_t>(p);
            b[at + 1] = static_cast<std::uint8_t>(p >> 8);
            b[at + 2] = static_cast<std::uint8_t>(p >> 16);
        }
    }
    return b;
}

inline std::vector<std::uint8_t> solidBmp(int w, int h, std::uint32_t rgb) {
    return bmp24(w, h, [rgb](int, int) { return rgb; });
}

}  // namespace quilltest
