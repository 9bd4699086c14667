#pragma once
// The glide's decisions over plain values: bouncing a gliding body off the edges
// of its monitor, pushing an idle body back onto it, and counting a glide down.
#include "common/rounding.h"
#include "common/run_error.h"
#include "common/twips.h"

namespace quill::mouse_window {

constexpr Single kBounceMarginTwips = 50;
constexpr double kPushStepTwips = 100.0;
constexpr double kSlowDown = 0.8;

struct BodyBox {  // Form1 in twips
    Single left, top, width, height;
};

struct MonitorBox {  // the monitor in pixels
    Long left, top, width, height;
};

struct Step {
    double dx, dy;
};

// Reverses a step that carries the body more than the margin past an edge, then slows it.
RunError bounceOffEdges(const BodyBox& body, const MonitorBox& mon, Single tppX, Single tppY, Step& step);

// For a body beyond an edge, steps of 100 twips back towards the monitor; then slows the step.
// Returns through pushed whether any edge was crossed.
RunError pushBack(const BodyBox& body, const MonitorBox& mon, Single tppX, Single tppY, Step& step, bool& pushed);

struct GlideCount {
    Integer throwTicks;
    bool glideOver;  // the step, the count and Throwing are cleared
    bool releaseDue;  // the glide ended on this tick: a held-back release may be recorded now
};

// One tick of the countdown: an idle tick clears the step; a glide stops when the count
// reaches 1, so a count of n moves the body max(1, n - 1) times.
GlideCount countDown(Integer throwTicks);

}  // namespace quill::mouse_window
