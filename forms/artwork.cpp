#include "forms/artwork.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ports/picture_file.h"

namespace quill::forms {

// Generated from the bitmaps beside this file.
extern const std::uint8_t kAboutBmp[];
extern const std::size_t kAboutBmp_size;
extern const std::uint8_t kSilhouetteBmp[];
extern const std::size_t kSilhouetteBmp_size;
extern const std::uint8_t kBodyBmp[];
extern const std::size_t kBodyBmp_size;

namespace {
PictureRef lamp(quill::Pixel centre) {
    constexpr quill::Pixel kWhite = 0xFFFFFF, kGrey = 0x808080;
    std::vector<quill::Pixel> px(static_cast<std::size_t>(kLampWidth) * kLampHeight, kWhite);
    const double cx = (kLampWidth - 1) / 2.0, cy = (kLampHeight - 1) / 2.0;
    for (int y = 0; y < kLampHeight; ++y) {
        for (int x = 0; x < kLampWidth; ++x) {
            const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (d2 <= 13.5 * 13.5) px[static_cast<std::size_t>(y) * kLampWidth + x] = d2 <= 10.5 * 10.5 ? centre : kGrey;
        }
    }
    return makePicture(kLampWidth, kLampHeight, std::move(px));
}
}  // namespace

PictureRef lampOnPicture() {
    static const PictureRef p = lamp(0xFF2020);
    return p;
}

PictureRef lampOffPicture() {
    static const PictureRef p = lamp(0x600000);
    return p;
}

PictureRef aboutPicture() {
    static const PictureRef p = platform::pictureFromBmp(kAboutBmp, kAboutBmp_size).picture;
    return p;
}

PictureRef silhouettePicture() {
    static const PictureRef p = platform::pictureFromBmp(kSilhouetteBmp, kSilhouetteBmp_size).picture;
    return p;
}

PictureRef bodyPicture() {
    static const PictureRef p = platform::pictureFromBmp(kBodyBmp, kBodyBmp_size).picture;
    return p;
}

}  // namespace quill::forms
