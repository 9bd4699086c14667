#pragma once
// The index tables of the draw's last four steps. The host draws the same size at the same
// place on every drag step, so the tables are kept and rebuilt only when the geometry changes.
#include <cstdint>

#include "compositor/engine/axis_map.h"

namespace lumo {

struct ComposeGeometry {
    std::int32_t left = 0, top = 0;  // ox - 1, oy - 1: the blends' destination corner on the view
    std::int32_t zw = 0, zh = 0;     // the zoomed size; the scratch surface is 2 larger each way
    int viewW = 0, viewH = 0;
    int materialW = 0, materialH = 0;
    bool operator==(const ComposeGeometry& o) const;
};

struct ComposePlan {
    ComposeGeometry geometry;
    bool built = false;
    AxisMap viewCols, viewRows;  // view <- scratch, the blends of steps 11 and 13
    AxisMap cols11, rows11;      // scratch <- material, the keyed stretch of step 11
    AxisMap cols12, rows12;      // scratch <- material, the keyed stretch of step 12

    // Rebuilds the tables unless they were built for this geometry.
    const ComposePlan& update(const ComposeGeometry& g);
};

}  // namespace lumo
