#pragma once
// The control's four surfaces and the samples of its last rotation.
#include "compositor/engine/compose_plan.h"
#include "compositor/engine/rotation.h"
#include "compositor/engine/surface.h"

namespace lumo {

struct ControlSurfaces {
    Surface view;            // picView: the canvas the host reads back
    Surface material;        // picMaterial: the working copy the keyed blits read
    Surface materialMaster;  // picMaterial_T: the picture given to setPicMaterial
    Surface workingArea;     // picWorkingArea: scratch for one draw
    RotationSamples rotationSamples;
    ComposePlan composePlan;  // the index tables of the last draw, reused while nothing moved
};

}  // namespace lumo
