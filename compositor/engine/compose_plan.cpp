#include "compositor/engine/compose_plan.h"

namespace lumo {

bool ComposeGeometry::operator==(const ComposeGeometry& o) const {
    return left == o.left && top == o.top && zw == o.zw && zh == o.zh && viewW == o.viewW &&
           viewH == o.viewH && materialW == o.materialW && materialH == o.materialH;
}

const ComposePlan& ComposePlan::update(const ComposeGeometry& g) {
    if (built && geometry == g) return *this;
    const int sw = g.zw + 2, sh = g.zh + 2;
    viewCols = mapAxisNearest(g.left, g.zw + 1, g.viewW, 0, sw, sw);
    viewRows = mapAxisNearest(g.top, g.zh + 1, g.viewH, 0, sh, sh);
    cols11 = mapAxisNearest(0, sw, sw, 0, g.materialW, g.materialW);
    rows11 = mapAxisNearest(0, sh, sh, 0, g.materialH, g.materialH);
    cols12 = mapAxisNearest(1, g.zw + 1, sw, 0, g.materialW, g.materialW);
    rows12 = mapAxisNearest(1, g.zh + 1, sh, 0, g.materialH, g.materialH);
    geometry = g;
    built = true;
    return *this;
}

}  // namespace lumo
