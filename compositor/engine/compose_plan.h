#pragma once
// The index tables of the draw's composition onto the view (the background copy, the smoothing
// pass, the main keyed stretch and the main blend). The host draws the same size at the same
// place on every drag step, so the tables are kept and rebuilt only when the geometry changes.
#include <cstdint>
#include <vector>

#include "compositor/engine/axis_map.h"

namespace lumo {

struct ComposeGeometry {
    std::int32_t left = 0, top = 0;  // ox - 1, oy - 1: the blends' destination corner on the view
    std::int32_t zw = 0, zh = 0;     // the zoomed size; the scratch surface is 2 larger each way
    int viewW = 0, viewH = 0;
    int materialW = 0, materialH = 0;
    bool operator==(const ComposeGeometry& o) const;
};

// View columns that take consecutive columns of every layer: view column x + k takes column
// under + k of the row under the drawing area (its edge pixels repeated beyond the view),
// middle + k of the smoothing pass's material row and top + k of the main pass's material row.
// A layer that does not reach these columns has -1.
struct ComposeSpan {
    int x = 0;
    int length = 0;
    int under = 0;
    int middle = -1;
    int top = -1;
};

struct ComposePlan {
    ComposeGeometry geometry;
    bool built = false;
    AxisMap viewRows;            // view row <- scratch row, the blends
    AxisMap smoothingRows;       // scratch row <- material row, the smoothing pass's keyed stretch
    AxisMap mainRows;            // scratch row <- material row, the main keyed stretch
    std::vector<ComposeSpan> spans;  // the blends' view columns, left to right

    // Rebuilds the tables unless they were built for this geometry.
    const ComposePlan& update(const ComposeGeometry& g);
};

}  // namespace lumo
