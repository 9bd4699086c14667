#include "mouse_window/aim.h"

#include <cmath>

namespace quill::mouse_window {

namespace {
double rad(double degrees) { return degrees * kPi / 180; }
}  // namespace

Aim aimBody(const AimInput& in) {
    Aim out{in.switchX, in.switchY, in.pointerX, in.pointerY, 0, 0, in.bodyAngle};
    // With the switch exactly level in x the quotient fails and the angle keeps its start, 0.
    double a = 0;
    const double dx = in.switchX - in.centerX;
    if (dx != 0) a = std::atan((in.switchY - in.centerY) / dx);
    a = a * (180 / kPi);

    // The switch keeps its side of the centre; the tip goes to the other side.
    const double side = dx > 0 ? -1.0 : 1.0;
    const double c = std::cos(rad(a)), s = std::sin(rad(a));
    if (auto px = roundToLong(side * kPointerDistance * c + in.centerX)) out.pointerX = *px;
    if (auto py = roundToLong(side * kPointerDistance * s + in.centerY)) out.pointerY = *py;
    out.switchX = -side * kSwitchDistance * c + in.centerX;
    out.switchY = -side * kSwitchDistance * s + in.centerY;
    const double ledRadius = -side * kLedRadius;
    out.ledLeft = in.scaleWidth / 2 + std::cos(rad(a - kLedLead)) * ledRadius - in.ledWidth / 2;
    out.ledTop = in.scaleHeight / 2 + std::sin(rad(a - kLedLead)) * ledRadius - in.ledHeight / 2;

    // Drift: the switch follows 1/100 of the latest drag step.
    out.switchX = (in.centerX - in.lastCenterX) / kDriftDivisor + out.switchX;
    out.switchY = (in.centerY - in.lastCenterY) / kDriftDivisor + out.switchY;

    if (auto angle = roundToInteger(a + kAngleOffset)) out.bodyAngle = *angle;
    if (out.pointerX < in.centerX) out.bodyAngle = static_cast<Integer>(out.bodyAngle + 180);
    if (out.bodyAngle >= 360) out.bodyAngle = static_cast<Integer>(out.bodyAngle - 360);
    return out;
}

}  // namespace quill::mouse_window
