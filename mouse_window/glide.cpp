#include "mouse_window/glide.h"

#include "common/checked_int.h"

namespace quill::mouse_window {

namespace {
struct Edges {  // the monitor's edges in twips, single precision
    Single left, top, right, bottom;
};

RunError edgesOf(const MonitorBox& m, Single tppX, Single tppY, Edges& e) {
    const auto right = checkedAdd(m.width, m.left), bottom = checkedAdd(m.height, m.top);
    if (!right || !bottom) return RunError::Overflow;
    e = {static_cast<Single>(m.left) * tppX, static_cast<Single>(m.top) * tppY,
         static_cast<Single>(*right) * tppX, static_cast<Single>(*bottom) * tppY};
    return RunError::None;
}
}  // namespace

RunError bounceOffEdges(const BodyBox& b, const MonitorBox& mon, Single tppX, Single tppY, Step& step) {
    Edges e{};
    QUILL_RETURN_IF_ERROR(edgesOf(mon, tppX, tppY, e));
    if (e.left > b.left + kBounceMarginTwips && step.dx < 0) step.dx = -step.dx;
    if (e.top > b.top + kBounceMarginTwips && step.dy < 0) step.dy = -step.dy;
    if (e.right < b.left + b.width - kBounceMarginTwips && step.dx > 0) step.dx = -step.dx;
    if (e.bottom < b.top + b.height - kBounceMarginTwips && step.dy > 0) step.dy = -step.dy;
    step.dx *= kSlowDown;
    step.dy *= kSlowDown;
    return RunError::None;
}

RunError pushBack(const BodyBox& b, const MonitorBox& mon, Single tppX, Single tppY, Step& step, bool& pushed) {
    Edges e{};
    QUILL_RETURN_IF_ERROR(edgesOf(mon, tppX, tppY, e));
    pushed = false;
    if (e.left > b.left) step.dx = kPushStepTwips, pushed = true;
    if (e.top > b.top) step.dy = kPushStepTwips, pushed = true;
    if (e.right < b.left + b.width) step.dx = -kPushStepTwips, pushed = true;
    if (e.bottom < b.top + b.height) step.dy = -kPushStepTwips, pushed = true;
    step.dx *= kSlowDown;
    step.dy *= kSlowDown;
    return RunError::None;
}

GlideCount countDown(Integer throwTicks) {
    if (throwTicks <= 0) return {0, true, false};
    const Integer left = static_cast<Integer>(throwTicks - 1);
    if (left <= 1) return {0, true, true};
    return {left, false, false};
}

}  // namespace quill::mouse_window
