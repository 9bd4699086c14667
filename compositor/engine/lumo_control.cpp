#include "compositor/engine/lumo_control.h"

#include <utility>

#include "common/rounding.h"

namespace lumo {

using quill::RunError;

LumoControl::LumoControl(int innerWidth, int innerHeight, PixelStorageFactory viewStorage)
    : s_{Surface(innerWidth, innerHeight, kViewDesignBackground, false, std::move(viewStorage)),
         Surface(kWorkSurfaceDesignPx, kWorkSurfaceDesignPx, kWorkSurfaceBackground, true),
         Surface(kWorkSurfaceDesignPx, kWorkSurfaceDesignPx, kWorkSurfaceBackground, true),
         Surface(kWorkSurfaceDesignPx, kWorkSurfaceDesignPx, kWorkSurfaceBackground, false),
         RotationSamples{}, ComposePlan{}} {}

RunError LumoControl::resize(int innerWidth, int innerHeight) {
    return s_.view.resize(innerWidth, innerHeight);
}

RunError LumoControl::setPicView(PictureRef pic) { return s_.view.setPicture(std::move(pic)); }

RunError LumoControl::setPicMaterial(PictureRef pic) {
    QUILL_RETURN_IF_ERROR(s_.materialMaster.setPicture(std::move(pic)));
    const int w = s_.materialMaster.width(), h = s_.materialMaster.height();
    QUILL_RETURN_IF_ERROR(s_.material.resize(w, h));
    return s_.workingArea.resize(w, h);
}

RunError LumoControl::setPicWorkArea(PictureRef pic) {
    return s_.workingArea.setPicture(std::move(pic));
}

RunError LumoControl::getPoint(const NumericArg& x, const NumericArg& y, std::int32_t& colour) const {
    if (!x.isNumeric() || !y.isNumeric()) return RunError::TypeMismatch;
    auto px = quill::roundToLong(x.value()), py = quill::roundToLong(y.value());
    if (!px || !py) return RunError::Overflow;
    const Pixel p = s_.view.pixel(*px, *py);
    colour = p == quill::kNoPixel ? quill::kInvalidColour
                                  : static_cast<std::int32_t>(quill::colourFromPixel(p));
    return RunError::None;
}

void LumoControl::reDraw() const {
    if (redraw_) redraw_();
}

}  // namespace lumo
