#pragma once
// Pictures the windows carry from the start. The switch lamps are drawn in code: 30 by 29
// pixels, a red centre in a grey ring on white (the white is keyed out with the switch
// window's background). The mouse window's silhouette and body and the about box's picture are
// bitmaps built into the program (forms/*.bmp, drawn by tools/artwork).
#include "common/picture.h"

namespace quill::forms {

constexpr int kLampWidth = 30;
constexpr int kLampHeight = 29;

PictureRef lampOnPicture();   // bright red: the switch is on
PictureRef lampOffPicture();  // dark red: the switch is off
PictureRef aboutPicture();    // 531 by 326
// The mouse window's design-time pictures, on pure green (0x00FF00).
PictureRef silhouettePicture();  // 127 by 127: Form1's background and Picture2
PictureRef bodyPicture();        // 64 by 61: Picture1 until Pointer.bmp replaces it

}  // namespace quill::forms
