#include "compositor/engine/bitmap.h"

#include <utility>

namespace lumo {

PictureRef makePicture(int width, int height, std::vector<Pixel> pixels) {
    auto bmp = std::make_shared<Bitmap>();
    bmp->width = width;
    bmp->height = height;
    for (Pixel& p : pixels) p &= 0x00FFFFFFu;
    bmp->pixels = std::move(pixels);
    return bmp;
}

}  // namespace lumo
