#pragma once
// Aiming the body: from the body centre and where the switch lay, the new switch position
// (1000 twips behind), the pointer tip (900 twips ahead), the status LED's place on its circle
// and the body's angle. Plain data in, data out.
#include "common/rounding.h"
#include "common/twips.h"

namespace quill::mouse_window {

constexpr double kPi = 3.1415;  // the value every degree conversion uses
constexpr double kSwitchDistance = 1000;
constexpr double kPointerDistance = 900;
constexpr double kLedRadius = 200;
constexpr double kLedLead = 70;
constexpr int kAngleOffset = 135;
constexpr double kDriftDivisor = 100;

struct AimInput {
    double switchX, switchY;          // where the previous pass left the switch
    double centerX, centerY;          // the body centre now
    double lastCenterX, lastCenterY;  // the centre before the latest drag step
    Single scaleWidth, scaleHeight;   // client size of the body window
    Single ledWidth, ledHeight;
    Long pointerX, pointerY;          // kept when a new value cannot be computed
    Integer bodyAngle;
};

struct Aim {
    double switchX, switchY;
    Long pointerX, pointerY;
    double ledLeft, ledTop;
    Integer bodyAngle;  // 0 to 359
};

Aim aimBody(const AimInput& in);

}  // namespace quill::mouse_window
