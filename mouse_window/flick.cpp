#include "mouse_window/flick.h"

#include <algorithm>

namespace quill::mouse_window {

namespace {
constexpr double kFlickWindowMs = 1000;

// The count is capped before it becomes an Integer: a sub-millisecond dt would otherwise give
// a count beyond the Integer range and fail instead of flicking at full speed.
Integer cappedTicks(double ticks) {
    return *roundToInteger(std::min(ticks, static_cast<double>(kMaxThrowTicks)));
}

// A release within a second of a step that moved, and after it on the clock (the clock
// restarts at midnight), flicks; anything else glides no ticks.
Flick flick(double dt, double dx, double dy, double factor) {
    if (dt < kFlickWindowMs && (dx != 0 || dy != 0) && dt > 0) {
        return {cappedTicks(1 / (dt / 1000.0) * factor), true};
    }
    return {0, false};
}
}  // namespace

Long clockMillis(Single secondsSinceMidnight) {
    return roundToLong(static_cast<Single>(secondsSinceMidnight * 1000.0f)).value_or(0);
}

double clockMillisExact(Single secondsSinceMidnight) {
    return static_cast<Single>(secondsSinceMidnight * 1000.0f);
}

Flick bodyFlick(Long dt, double dx, double dy) { return flick(dt, dx, dy, 5); }

Flick buttonFlick(double dt, double dx, double dy) { return flick(dt, dx, dy, 1); }

}  // namespace quill::mouse_window
