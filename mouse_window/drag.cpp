// The body's own mouse handlers: a left drag moves it, a quick release flicks it, and any
// other press discards a gesture being recorded.
#include "mouse_window/flick.h"
#include "mouse_window/mouse_window.h"

namespace quill::mouse_window {

namespace {
// X - GrabX in the precision of the anchor's tag: single for a press position, double for a
// parked cursor pixel.
double stepFrom(Single x, const VariantNumber& grab) {
    if (grab.kind == VariantNumber::Kind::Long) return x - grab.value;
    return static_cast<Single>(x - static_cast<Single>(grab.value));
}

double moved(Single position, double step, const VariantNumber& grab) {
    if (grab.kind == VariantNumber::Kind::Long) return position + step;
    return static_cast<Single>(position + static_cast<Single>(step));
}
}  // namespace

Long MouseWindow::clockMs() const { return clockMillis(ports_.clock.secondsSinceMidnight()); }

RunError MouseWindow::dragStep(const platform::MouseArgs& a) {
    state.LastCenterX = view_.width() / 2 + view_.left();
    state.LastCenterY = view_.height() / 2 + view_.top();
    const double dx = stepFrom(a.x, state.GrabX), dy = stepFrom(a.y, state.GrabY);
    QUILL_RETURN_IF_ERROR(view_.setPosition(moved(view_.left(), dx, state.GrabX), moved(view_.top(), dy, state.GrabY)));
    state.ThrowDX = dx;
    state.ThrowDY = dy;
    state.LastMoveTime = clockMs();
    UpdateMouse();
    return RunError::None;
}

RunError MouseWindow::Form_MouseDown(const platform::MouseArgs& a) {
    if (a.button == platform::kLeftButton) {
        state.GrabX = VariantNumber::single(a.x);
        state.GrabY = VariantNumber::single(a.y);
        return RunError::None;
    }
    if (recorder_) recorder_->DiscardGesture();
    return RunError::None;
}

RunError MouseWindow::Form_MouseMove(const platform::MouseArgs& a) {
    if (a.button != platform::kLeftButton) return RunError::None;
    return dragStep(a);
}

RunError MouseWindow::Form_MouseUp(const platform::MouseArgs& a) {
    if (a.button != platform::kLeftButton) return RunError::None;
    const Flick f = bodyFlick(clockMs() - state.LastMoveTime, state.ThrowDX, state.ThrowDY);
    state.ThrowTicks = f.throwTicks;
    if (f.startsGlide) state.Throwing = true;
    return RunError::None;
}

}  // namespace quill::mouse_window
