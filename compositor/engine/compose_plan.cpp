#include "compositor/engine/compose_plan.h"

#include <algorithm>

namespace lumo {
namespace {

// The source index a map gives destination index i, or -1 where it gives none.
int sourceAt(const AxisMap& m, int i) {
    const int at = i - m.first;
    return at >= 0 && at < m.count() ? m.src[at] : -1;
}

bool continues(int next, int first, int length) {
    return first < 0 ? next < 0 : next == first + length;
}

// Every view column of the blends, with the columns it takes from each layer through the
// scratch column under it, gathered into spans that step through every layer together.
std::vector<ComposeSpan> spansOf(const ComposeGeometry& g, const AxisMap& viewCols, const AxisMap& smoothingCols,
                                 const AxisMap& mainCols) {
    std::vector<ComposeSpan> spans;
    for (int i = 0; i < viewCols.count(); ++i) {
        const int scratch = viewCols.src[i];
        const ComposeSpan one{viewCols.first + i, 1,
                              static_cast<int>(std::clamp<std::int64_t>(std::int64_t{g.left} + scratch, 0, g.viewW - 1)),
                              sourceAt(smoothingCols, scratch), sourceAt(mainCols, scratch)};
        ComposeSpan* last = spans.empty() ? nullptr : &spans.back();
        if (last && one.under == last->under + last->length && continues(one.middle, last->middle, last->length) &&
            continues(one.top, last->top, last->length)) {
            ++last->length;
        } else {
            spans.push_back(one);
        }
    }
    return spans;
}

}  // namespace

bool ComposeGeometry::operator==(const ComposeGeometry& o) const {
    return left == o.left && top == o.top && zw == o.zw && zh == o.zh && viewW == o.viewW &&
           viewH == o.viewH && materialW == o.materialW && materialH == o.materialH;
}

const ComposePlan& ComposePlan::update(const ComposeGeometry& g) {
    if (built && geometry == g) return *this;
    const int sw = g.zw + 2, sh = g.zh + 2;
    // The blends shrink the scratch surface by one pixel onto the view; the smoothing pass
    // stretches the material over the whole scratch surface, margin included; the main pass
    // over all of it but the margin's left column and top row.
    const AxisMap viewCols = mapAxisNearest(g.left, g.zw + 1, g.viewW, 0, sw, sw);
    viewRows = mapAxisNearest(g.top, g.zh + 1, g.viewH, 0, sh, sh);
    smoothingRows = mapAxisNearest(0, sh, sh, 0, g.materialH, g.materialH);
    mainRows = mapAxisNearest(1, g.zh + 1, sh, 0, g.materialH, g.materialH);
    spans = spansOf(g, viewCols, mapAxisNearest(0, sw, sw, 0, g.materialW, g.materialW),
                    mapAxisNearest(1, g.zw + 1, sw, 0, g.materialW, g.materialW));
    geometry = g;
    built = true;
    return *this;
}

}  // namespace lumo
