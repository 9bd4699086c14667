#pragma once
// The draw's composition onto the view: the background copy (what lies under the drawing area,
// into the scratch surface), the smoothing pass (the material keyed over all of it, blended onto
// the view at a third of the strength), the main keyed stretch (the material keyed over it again,
// one pixel in) and the main blend (the scratch surface onto the view at full strength), in one
// pass over the view.
#include "compositor/engine/compose_plan.h"
#include "compositor/engine/surface_view.h"

namespace lumo {

struct Composition {
    Pixel key;       // material pixels of this colour are not drawn
    bool smoothing;  // whether the smoothing pass runs
    int alpha;       // the main blend's strength, 0 .. 255
};

// Writes exactly the view pixels the blends write, as the four steps one after another would
// leave them. The scratch surface is never written: each view pixel's scratch pixel is formed on
// the spot. View row j takes scratch row map(j) >= j, whose background lies at or below row j,
// and likewise for columns, so going top down and left to right reads every background pixel
// before a blend writes it.
void composeOntoView(SurfaceView view, ConstSurfaceView material, const ComposePlan& plan, const Composition& c);

}  // namespace lumo
