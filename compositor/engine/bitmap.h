#pragma once
// A picture: an immutable bitmap shared by reference, like the platform's picture objects.
#include <memory>
#include <vector>

#include "common/colour.h"

namespace lumo {

using quill::Pixel;

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;  // top-down rows, stride = width, 0x00RRGGBB with a zero top byte
};

using PictureRef = std::shared_ptr<const Bitmap>;

// Takes ownership of the pixels; the top byte of every pixel is cleared so that colour-key
// comparisons see only the colour.
PictureRef makePicture(int width, int height, std::vector<Pixel> pixels);

}  // namespace lumo
