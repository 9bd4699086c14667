#pragma once
// The shared state of the mouse window: its 26 fields in declaration order, and the record of
// one recorded gesture step.
#include <vector>

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

// One recorded step of a gesture.
struct RecEvent {
    Long X = 0;  // pointer tip, screen pixels
    Long Y = 0;
    Long BodyLeft = 0;  // Form1, twips
    Long BodyTop = 0;
    Integer Angle = 0;
    Long SwitchLeft = 0;  // Form2, twips
    Long SwitchTop = 0;
    Long Code = 0;
    double Tick = 0;
};

// Event codes of the recorder.
enum : Long {
    kNoButtonEvent = 0,
    kLeftDown = 1,
    kLeftUp = 2,
    kRightDown = 3,
    kRightUp = 4,
    kMiddleDown = 7,
    kMiddleUp = 8,
};

struct Form1State {
    Long TargetHwnd = 0;
    Long EventCode = 0;
    VariantNumber GrabX;
    VariantNumber GrabY;
    std::vector<RecEvent> RecBuf;  // empty: not allocated
    Long RecCount = 0;
    bool Recording = false;
    Long LastRecTick = 0;
    Long LastDownCode = 0;
    Long WaitCount = 0;
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
    Integer ReleasedButton = 0;
};

}  // namespace quill::mouse_window
