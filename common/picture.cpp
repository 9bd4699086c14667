#include "common/picture.h"

#include <utility>

namespace quill {

RunError checkPictureSize(std::int64_t w, std::int64_t h) {
    if (w < 0 || h < 0) return RunError::InvalidPropertyValue;
    if (w > kMaxPictureSide || h > kMaxPictureSide || w * h > kMaxPicturePixels) return RunError::OutOfMemory;
    return RunError::None;
}

PictureRef makePicture(int width, int height, std::vector<Pixel> pixels) {
    auto picture = std::make_shared<Picture>();
    picture->width = width;
    picture->height = height;
    for (Pixel& p : pixels) p &= 0x00FFFFFFu;
    picture->pixels = std::move(pixels);
    return picture;
}

}  // namespace quill
