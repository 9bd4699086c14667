#include "compositor/engine/compose.h"

#include <algorithm>

#include "compositor/engine/layer_pick.h"
#include "compositor/engine/pixel_ops.h"

namespace lumo {
namespace {

// What one view row is made of: the view row under its scratch row, and the material rows that
// the smoothing pass and the main keyed stretch put on that scratch row (null where none does).
struct RowLayers {
    const Pixel* under;
    const Pixel* smoothing;
    const Pixel* main;
};

const Pixel* materialRow(ConstSurfaceView material, const AxisMap& rows, int scratchRow) {
    const int i = scratchRow - rows.first;
    return i >= 0 && i < rows.count() ? material.row(rows.src[i]) : nullptr;
}

RowLayers layersOf(SurfaceView view, ConstSurfaceView material, const ComposePlan& p, bool smoothing, int scratchRow) {
    const std::int64_t under = std::clamp<std::int64_t>(std::int64_t{p.geometry.top} + scratchRow, 0, view.h - 1);
    return {view.row(static_cast<int>(under)), smoothing ? materialRow(material, p.smoothingRows, scratchRow) : nullptr,
            materialRow(material, p.mainRows, scratchRow)};
}

const Pixel* layerAt(const Pixel* row, int column) { return row && column >= 0 ? row + column : nullptr; }

// At full strength the main blend copies the scratch pixel, and it overwrites whatever the
// smoothing pass's blend wrote: each view pixel is the first unkeyed pixel of the main layer,
// the smoothing layer and the background.
void pickSpan(const RowLayers& row, const ComposeSpan& s, Pixel* out, Pixel key, detail::PickLayersFn pick) {
    const Pixel* under = row.under + s.under;
    const Pixel* middle = layerAt(row.smoothing, s.middle);
    const Pixel* top = layerAt(row.main, s.top);
    if (!top) top = middle ? middle : under;
    if (!middle) middle = top;
    pick(under, middle, top, out + s.x, s.length, key);
}

Pixel keyedOver(Pixel layer, Pixel below, Pixel key) { return layer == key ? below : layer; }

// Any other strength, pixel by pixel, in the order of the steps.
void blendSpan(const RowLayers& row, const ComposeSpan& s, Pixel* out, const Composition& c) {
    const Pixel* under = row.under + s.under;
    const Pixel* middle = layerAt(row.smoothing, s.middle);
    const Pixel* top = layerAt(row.main, s.top);
    const unsigned a = static_cast<unsigned>(c.alpha), third = a / 3;
    for (int k = 0; k < s.length; ++k) {
        Pixel scratch = under[k];  // the background copy
        Pixel& view = out[s.x + k];
        if (middle) scratch = keyedOver(middle[k], scratch, c.key);
        const Pixel smoothed = c.smoothing ? blendPixel(scratch, view, third) : view;
        if (top) scratch = keyedOver(top[k], scratch, c.key);
        view = blendPixel(scratch, smoothed, a);
    }
}

}  // namespace

void composeOntoView(SurfaceView view, ConstSurfaceView material, const ComposePlan& plan, const Composition& c) {
    const detail::PickLayersFn pick = detail::pickLayers();
    for (int r = 0; r < plan.viewRows.count(); ++r) {
        const RowLayers row = layersOf(view, material, plan, c.smoothing, plan.viewRows.src[r]);
        Pixel* out = view.row(plan.viewRows.first + r);
        for (const ComposeSpan& s : plan.spans) {
            if (c.alpha == 255)
                pickSpan(row, s, out, c.key, pick);
            else
                blendSpan(row, s, out, c);
        }
    }
}

}  // namespace lumo
