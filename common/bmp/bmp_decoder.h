#pragma once
// Our own BMP decoder for Pointer.bmp and test artwork: never reads past its input, caps the
// dimensions it accepts before allocating, and says what is wrong with a file it refuses.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quill::bmp {

// The largest image accepted: the compositor's largest surface.
constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

struct Image {
    int width = 0;
    int height = 0;
    // Top-down rows, stride = width, 0x00RRGGBB with a zero top byte (the engine's pixel order).
    std::vector<std::uint32_t> pixels;
};

struct DecodeResult {
    std::optional<Image> image;
    std::string error;  // why there is no image, in plain words; empty on success
};

DecodeResult decode(const std::uint8_t* data, std::size_t size);
// Reads the whole file first (at most 256 MiB); a file that cannot be opened or read is an
// error too. `path` is UTF-8.
DecodeResult decodeFile(const std::string& path);

}  // namespace quill::bmp
