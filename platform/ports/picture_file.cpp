#include "platform/ports/picture_file.h"

#include "common/bmp/bmp_decoder.h"

namespace quill::platform {

namespace {
PictureLoad toPicture(bmp::DecodeResult r) {
    if (!r.image) return {nullptr, r.error.empty() ? "not a picture" : r.error};
    return {makePicture(r.image->width, r.image->height, std::move(r.image->pixels)), {}};
}
}  // namespace

PictureLoad pictureFromBmp(const std::uint8_t* data, std::size_t size) {
    return toPicture(bmp::decode(data, size));
}

}  // namespace quill::platform
