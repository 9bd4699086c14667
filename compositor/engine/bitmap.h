#pragma once
// The engine's names for the one picture type (common/picture.h).
#include "common/picture.h"

namespace lumo {

using quill::Pixel;
using Bitmap = quill::Picture;
using quill::PictureRef;
using quill::makePicture;

}  // namespace lumo
