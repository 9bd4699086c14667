#pragma once
// Pictures the windows carry from the start. The switch lamps are drawn in code: 30 by 29
// pixels, a red centre in a grey ring on white (the white is keyed out with the switch
// window's background). The about box's picture is forms/about.bmp, built into the program.
#include "compositor/engine/bitmap.h"

namespace quill::forms {

constexpr int kLampWidth = 30;
constexpr int kLampHeight = 29;

lumo::PictureRef lampOnPicture();   // bright red: the switch is on
lumo::PictureRef lampOffPicture();  // dark red: the switch is off
lumo::PictureRef aboutPicture();    // 531 by 326

}  // namespace quill::forms
