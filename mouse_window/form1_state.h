#pragma once
// The mouse window's state: the drag anchor, the aim of the body and its switch, the key colour
// and the flick. The gesture being recorded is not here: the click engine owns it, and the
// mouse window reaches it through StepRecorder.
#include "common/rounding.h"
#include "common/twips.h"

namespace quill::mouse_window {

// A variant number as the drag anchor uses it: single-precision twips from a press, or a
// Long cursor pixel parked there before a replay. Arithmetic follows the tag.
struct VariantNumber {
    enum class Kind { Empty, Single, Long };
    Kind kind = Kind::Empty;
    double value = 0;
    static VariantNumber single(Single v) { return {Kind::Single, v}; }
    static VariantNumber longValue(Long v) { return {Kind::Long, static_cast<double>(v)}; }
};

struct Form1State {
    VariantNumber GrabX;
    VariantNumber GrabY;
    double SwitchX = 0;
    double SwitchY = 0;
    double LastCenterX = 0;
    double LastCenterY = 0;
    double CenterX = 0;
    double CenterY = 0;
    Long PointerX = 0;
    Long PointerY = 0;
    Integer BodyAngle = 0;
    Long KeyColor = 0;
    Integer ThrowTicks = 0;
    Long LastMoveTime = 0;
    bool Throwing = false;
    double ThrowDX = 0;
    double ThrowDY = 0;
};

}  // namespace quill::mouse_window
