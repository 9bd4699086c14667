#include "compositor/engine/draw.h"

#include "common/checked_int.h"
#include "common/rounding.h"
#include "compositor/engine/compose.h"
#include "compositor/engine/control_surfaces.h"

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

// The colour that stands for transparent: the material master's top-left pixel.
Pixel keyColour(const Surface& master) { return master.pixel(0, 0); }

// Alpha beyond 0 .. 255 is brought into range in the caller's own variable.
RunError clampAlphaInPlace(NumericArg& alpha) {
    QUILL_RETURN_IF_ERROR(numeric(alpha));
    if (alpha.value() > 255) alpha.assignInteger(255);
    if (alpha.value() < 0) alpha.assignInteger(0);
    return RunError::None;
}

// The material working copy: the master turned by a non-zero angle (which is reduced in the
// caller's variable), or else the master's own picture.
RunError prepareWorkingCopy(ControlSurfaces& s, NumericArg& r360, Pixel key, double qt) {
    QUILL_RETURN_IF_ERROR(numeric(r360));
    if (r360.value() != 0) return rotateMaterial(r360, key, qt, s.materialMaster, s.material, s.rotationSamples);
    return s.material.setPicture(s.materialMaster.picture());
}

struct ZoomedSize {
    Long w = 0, h = 0;
};

// The working copy's size times the zoom, each side rounded.
RunError zoomedSize(const Surface& material, const NumericArg& zoom, ZoomedSize& z) {
    const Long w = material.width(), h = material.height();
    QUILL_RETURN_IF_ERROR(numeric(zoom));
    QUILL_RETURN_IF_ERROR(roundedLong(zoom.value() * w, z.w));
    return roundedLong(zoom.value() * h, z.h);
}

// The scratch surface: the zoomed size with a one-pixel margin all round. It needs no clearing,
// since the background copy overwrites all of it.
RunError sizeScratch(Surface& workingArea, const ZoomedSize& z) {
    Long w = 0, h = 0;
    QUILL_RETURN_IF_ERROR(plus(z.w, 2, w));
    QUILL_RETURN_IF_ERROR(plus(z.h, 2, h));
    return workingArea.resize(w, h);
}

// The main blend's strength: the clamped Alpha as an Integer.
RunError strength(const NumericArg& alpha, int& a) {
    auto r = quill::roundToInteger(alpha.value());
    if (!r) return RunError::Overflow;
    a = *r;
    return RunError::None;
}

// Where the drawing lands: the zoomed material centred on (x, y), its corner rounded half to
// even; the blends start one pixel above and left of that corner.
RunError placeOnView(const NumericArg& x, const NumericArg& y, const ZoomedSize& z, ComposeGeometry& g) {
    QUILL_RETURN_IF_ERROR(numeric(x));
    QUILL_RETURN_IF_ERROR(numeric(y));
    Long ox = 0, oy = 0;
    QUILL_RETURN_IF_ERROR(roundedLong(x.value() - z.w / 2.0, ox));
    QUILL_RETURN_IF_ERROR(roundedLong(y.value() - z.h / 2.0, oy));
    QUILL_RETURN_IF_ERROR(plus(ox, -1, g.left));
    QUILL_RETURN_IF_ERROR(plus(oy, -1, g.top));
    g.zw = z.w;
    g.zh = z.h;
    return RunError::None;
}

// The background copy, the smoothing pass, the main keyed stretch and the main blend.
void composeOntoView(ControlSurfaces& s, const Composition& c, ComposeGeometry g) {
    if (c.alpha == 0) return;  // blends at strength 0 leave every view pixel as it is
    const ConstSurfaceView material = s.material.constPixels();
    g.viewW = s.view.width();
    g.viewH = s.view.height();
    g.materialW = material.w;
    g.materialH = material.h;
    const ComposePlan& plan = s.composePlan.update(g);
    if (plan.spans.empty() || plan.viewRows.count() == 0) return;  // nothing lands on the view
    composeOntoView(s.view.pixels(), material, plan, c);
}

}  // namespace

RunError drawLumoscope(ControlSurfaces& s, const DrawArgs& args) {
    // The typed parameters are converted as the call is made.
    bool smoothing = false;
    double qt = 1.0;
    QUILL_RETURN_IF_ERROR(smoothingFlag(args.smoothing, smoothing));
    QUILL_RETURN_IF_ERROR(optionalDouble(args.qt, 1.0, qt));

    const Pixel key = keyColour(s.materialMaster);
    QUILL_RETURN_IF_ERROR(clampAlphaInPlace(args.alpha));
    QUILL_RETURN_IF_ERROR(prepareWorkingCopy(s, args.r360, key, qt));
    ZoomedSize z;
    QUILL_RETURN_IF_ERROR(zoomedSize(s.material, args.zoom, z));
    QUILL_RETURN_IF_ERROR(sizeScratch(s.workingArea, z));
    int a = 0;
    QUILL_RETURN_IF_ERROR(strength(args.alpha, a));
    ComposeGeometry g;
    QUILL_RETURN_IF_ERROR(placeOnView(args.x, args.y, z, g));
    composeOntoView(s, {key, smoothing, a}, g);
    return RunError::None;
}

}  // namespace lumo
