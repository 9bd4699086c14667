#pragma once
// Pictures from BMP files, through the project's own decoder.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/desktop.h"

namespace quill::platform {

PictureLoad pictureFromBmp(const std::uint8_t* data, std::size_t size);
PictureLoad pictureFromBmpFile(const std::string& path);

}  // namespace quill::platform
