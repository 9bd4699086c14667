#include "compositor/engine/draw.h"

#include "common/checked_int.h"
#include "common/rounding.h"
#include "compositor/engine/control_surfaces.h"
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
    // 8. Clear the scratch surface.
    s.workingArea.clear();
    // 9. Top-left corner on the view.
    QUILL_RETURN_IF_ERROR(numeric(args.x));
    QUILL_RETURN_IF_ERROR(numeric(args.y));
    Long ox = 0, oy = 0, left = 0, top = 0;
    QUILL_RETURN_IF_ERROR(roundedLong(args.x.value() - zw / 2.0, ox));
    QUILL_RETURN_IF_ERROR(roundedLong(args.y.value() - zh / 2.0, oy));
    QUILL_RETURN_IF_ERROR(plus(ox, -1, left));
    QUILL_RETURN_IF_ERROR(plus(oy, -1, top));
    // 10. What lies under the drawing area, with a one-pixel margin.
    SurfaceView scratch = s.workingArea.pixels();
    copyRectExtendingEdges(s.view.constPixels(), left, top, zw2, zh2, scratch, 0, 0);
    const ConstSurfaceView material = s.material.constPixels();
    const Rect whole{0, 0, w, h}, scratchRect{0, 0, zw2, zh2};
    const Rect onView{left, top, zw + 1, zh + 1};
    // 11. Third-strength pass. At full strength step 13 overwrites exactly the pixels its
    // blend would write, so the blend is skipped there.
    if (smoothing) {
        stretchColorKey(material, whole, scratch, scratchRect, key);
        if (*a != 255) blendConstantAlpha(scratch, scratchRect, s.view.pixels(), onView, *a / 3);
    }
    // 12. Main pass; 13. blend it onto the view.
    stretchColorKey(material, whole, scratch, Rect{1, 1, zw + 1, zh + 1}, key);
    blendConstantAlpha(scratch, scratchRect, s.view.pixels(), onView, *a);
    return RunError::None;
}

}  // namespace lumo
