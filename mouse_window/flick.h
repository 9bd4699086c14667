#pragma once
// Flick decisions: how many heartbeat ticks a released body glides on. The body's own release
// uses 5000 / dt, the on-screen button's release 1000 / dt; both cap at 200.
#include "common/rounding.h"
#include "common/twips.h"

namespace quill::mouse_window {

constexpr Integer kMaxThrowTicks = 200;

struct Flick {
    Integer throwTicks = 0;
    bool startsGlide = false;  // false leaves Throwing as it was
};

// The clock in whole milliseconds: the seconds-since-midnight timer times 1000, rounded.
Long clockMillis(Single secondsSinceMidnight);
// The same product, not rounded, as the button's release reads it.
double clockMillisExact(Single secondsSinceMidnight);

// dt: milliseconds since the latest drag step; (dx, dy): that step.
Flick bodyFlick(Long dt, double dx, double dy);
Flick buttonFlick(double dt, double dx, double dy);

}  // namespace quill::mouse_window
