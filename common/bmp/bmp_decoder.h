#pragma once
// Our own BMP decoder for Pointer.bmp and test artwork: never reads past its input, caps the
// dimensions it accepts before allocating, and says what is wrong with a file it refuses.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/picture.h"

namespace quill::bmp {

// The decoder's names for the one picture type and its caps (common/picture.h).
using Image = quill::Picture;
constexpr int kMaxSide = kMaxPictureSide;
constexpr std::int64_t kMaxPixels = kMaxPicturePixels;

struct DecodeResult {
    std::optional<Image> image;
    std::string error;  // why there is no image, in plain words; empty on success
};

DecodeResult decode(const std::uint8_t* data, std::size_t size);
// Reads the whole file first (at most 256 MiB); a file that cannot be opened or read is an
// error too. `path` is UTF-8.
DecodeResult decodeFile(const std::string& path);

}  // namespace quill::bmp
