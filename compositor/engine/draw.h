#pragma once
// Lumoscope, the compositing draw: puts the material onto the view, optionally turned, scaled
// by a zoom factor, centred on a point, colour-keyed and blended with a constant strength.
#include "common/run_error.h"
#include "compositor/engine/numeric_arg.h"
#include "compositor/engine/rotation.h"
#include "compositor/engine/surface.h"

namespace lumo {

struct ControlSurfaces;

struct DrawArgs {
    NumericArg& x;
    NumericArg& y;
    NumericArg& alpha;      // clamped to 0..255 in place
    NumericArg& r360;       // reduced modulo 360 in place when not 0
    NumericArg& zoom;
    NumericArg& smoothing;  // a Boolean parameter: only True (-1) turns the extra pass on
    NumericArg* qt;         // optional; 1.0 when absent
};

// Errors end the call; what earlier steps changed stays changed.
RunError drawLumoscope(ControlSurfaces& s, const DrawArgs& args);

}  // namespace lumo
