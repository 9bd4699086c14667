#pragma once
// The switch lamps the windows carry from the start, drawn in code: 30 by 29 pixels, a red
// centre in a grey ring on white (the white is keyed out with the switch window's background).
#include "compositor/engine/bitmap.h"

namespace quill::forms {

constexpr int kLampWidth = 30;
constexpr int kLampHeight = 29;

lumo::PictureRef lampOnPicture();   // bright red: the switch is on
lumo::PictureRef lampOffPicture();  // dark red: the switch is off

}  // namespace quill::forms
