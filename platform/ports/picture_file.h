#pragma once
// Pictures from BMP files, through the project's own decoder: what both backends' FilePort
// gives for a file's bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ports/file_port.h"

namespace quill::platform {

PictureLoad pictureFromBmp(const std::uint8_t* data, std::size_t size);

}  // namespace quill::platform
