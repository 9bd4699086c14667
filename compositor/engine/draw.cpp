#include "compositor/engine/draw.h"

#include <algorithm>
#include <optional>

#include "common/checked_int.h"
#include "common/rounding.h"
#include "compositor/engine/control_surfaces.h"
#include "compositor/engine/axis_map.h"
#include "compositor/engine/pixel_ops.h"

namespace lumo {
namespace {

using quill::Long;
using quill::RunError;

// A typed Boolean parameter: a Boolean keeps its raw value, other numbers become True
// (-1) when non-zero, as a late-bound call converts them.
RunError smoothingFlag(const NumericArg& a, bool& on) {
    if (!a.isNumeric()) return RunError::TypeMismatch;
    on = a.kind() == NumericKind::Boolean ? a.value() == -1.0 : a.value() != 0.0;
    return RunError::None;
}

RunError optionalDouble(const NumericArg* a, double fallback, double& out) {
    if (!a) {
        out = fallback;
        return RunError::None;
    }
    if (!a->isNumeric()) return RunError::TypeMismatch;
    out = a->value();
    return RunError::None;
}

RunError numeric(const NumericArg& a) {
    return a.isNumeric() ? RunError::None : RunError::TypeMismatch;
}

RunError roundedLong(double v, Long& out) {
    auto r = quill::roundToLong(v);
    if (!r) return RunError::Overflow;
    out = *r;
    return RunError::None;
}

RunError plus(Long a, Long b, Long& out) {
    auto r = quill::checkedAdd<Long>(a, b);
    if (!r) return RunError::Overflow;
    out = *r;
    return RunError::None;
}

std::optional<int> rowIndex(const AxisMap& rows, int q) {
    const int i = q - rows.first;
    if (i < 0 || i >= rows.count()) return std::nullopt;
    return rows.src[i];
}

// Steps 10 to 13, one view row at a time: copy what lies under the drawing area into the
// scratch row, draw the keyed material over it (twice with smoothing), and blend it onto the
// view. View row j of the blends takes scratch row map(j) >= j, whose background lies in view
// rows at or below j, and the same holds for columns; so streaming rows top down reads every
// background pixel before any blend writes it, and gives exactly the view of four whole-surface
// passes while the scratch row stays in the first-level cache. Only the scratch surface's
// first row is used: its pixels are never read after a draw.
void composeRows(ControlSurfaces& s, Pixel key, bool smoothing, int a, ComposeGeometry g) {
    SurfaceView view = s.view.pixels();
    const ConstSurfaceView material = s.material.constPixels();
    g.viewW = view.w;
    g.viewH = view.h;
    g.materialW = material.w;
    g.materialH = material.h;
    const ComposePlan& p = s.composePlan.update(g);
    if (p.viewCols.count() == 0 || p.viewRows.count() == 0) return;  // nothing lands on the view
    const int sw = g.zw + 2;
    Pixel* scratch = s.workingArea.pixels().row(0);
    for (int r = 0; r < p.viewRows.count(); ++r) {
        const int q = p.viewRows.src[r];
        Pixel* out = view.row(p.viewRows.first + r);
        const Pixel* under = view.row(static_cast<int>(std::clamp<std::int64_t>(std::int64_t{g.top} + q, 0, view.h - 1)));
        copyRowExtendingEdges(under, view.w, g.left, scratch, sw);
        if (smoothing) {
            if (auto m = rowIndex(p.rows11, q)) keyedStretchRow(material.row(*m), p.cols11, scratch, key);
            // At full strength step 13 overwrites exactly the pixels this blend writes.
            if (a != 255) blendRow(scratch, p.viewCols, out, a / 3);
        }
        if (auto m = rowIndex(p.rows12, q)) keyedStretchRow(material.row(*m), p.cols12, scratch, key);
        blendRow(scratch, p.viewCols, out, a);
    }
}

}  // namespace

RunError drawLumoscope(ControlSurfaces& s, const DrawArgs& args) {
    // The typed parameters are converted as the call is made.
    bool smoothing = false;
    double qt = 1.0;
    QUILL_RETURN_IF_ERROR(smoothingFlag(args.smoothing, smoothing));
    QUILL_RETURN_IF_ERROR(optionalDouble(args.qt, 1.0, qt));

    // 1. Key colour.
    const Pixel key = s.materialMaster.pixel(0, 0);
    // 2. Clamp Alpha in place.
    QUILL_RETURN_IF_ERROR(numeric(args.alpha));
    if (args.alpha.value() > 255) args.alpha.assignInteger(255);
    if (args.alpha.value() < 0) args.alpha.assignInteger(0);
    // 3. Material working copy.
    QUILL_RETURN_IF_ERROR(numeric(args.r360));
    if (args.r360.value() != 0) {
        QUILL_RETURN_IF_ERROR(rotateMaterial(args.r360, key, qt, s.materialMaster, s.material,
                                       s.rotationSamples));
    } else {
        QUILL_RETURN_IF_ERROR(s.material.setPicture(s.materialMaster.picture()));
    }
    // 4. Material size; 5. zoomed size.
    const Long w = s.material.width(), h = s.material.height();
    QUILL_RETURN_IF_ERROR(numeric(args.zoom));
    Long zw = 0, zh = 0, zw2 = 0, zh2 = 0;
    QUILL_RETURN_IF_ERROR(roundedLong(args.zoom.value() * w, zw));
    QUILL_RETURN_IF_ERROR(roundedLong(args.zoom.value() * h, zh));
    // 6. Scratch surface with a one-pixel margin.
    QUILL_RETURN_IF_ERROR(plus(zw, 2, zw2));
    QUILL_RETURN_IF_ERROR(plus(zh, 2, zh2));
    QUILL_RETURN_IF_ERROR(s.workingArea.resize(zw2, zh2));
    // 7. Strength.
    auto a = quill::roundToInteger(args.alpha.value());
    if (!a) return RunError::Overflow;
    // 8. Clearing the scratch surface is left out: step 10 overwrites all of it.
    // 9. Top-left corner on the view.
    QUILL_RETURN_IF_ERROR(numeric(args.x));
    QUILL_RETURN_IF_ERROR(numeric(args.y));
    Long ox = 0, oy = 0;
    QUILL_RETURN_IF_ERROR(roundedLong(args.x.value() - zw / 2.0, ox));
    QUILL_RETURN_IF_ERROR(roundedLong(args.y.value() - zh / 2.0, oy));
    ComposeGeometry g;
    QUILL_RETURN_IF_ERROR(plus(ox, -1, g.left));
    QUILL_RETURN_IF_ERROR(plus(oy, -1, g.top));
    g.zw = zw;
    g.zh = zh;
    // 10. to 13.
    composeRows(s, key, smoothing, *a, g);
    return RunError::None;
}

}  // namespace lumo
