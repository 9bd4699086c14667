#include "mouse_window/body_motion.h"

#include "mouse_window/flick.h"

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

void applyFlick(const Flick& f, MotionState& s) {
    s.ThrowTicks = f.throwTicks;
    if (f.startsGlide) s.Throwing = true;
}
}  // namespace

BodyMotion::BodyMotion(forms::Form1View& body, display::DisplayInfo& display, platform::EventLoopPort& clock,
                       std::function<void()> moved)
    : body_(body), display_(display), clock_(clock), moved_(std::move(moved)) {}

Long BodyMotion::clockMs() const { return clockMillis(clock_.secondsSinceMidnight()); }

void BodyMotion::startDrag(Single x, Single y) {
    state_.GrabX = VariantNumber::single(x);
    state_.GrabY = VariantNumber::single(y);
}

void BodyMotion::anchorAtCursor(platform::PixelPoint cursor) {
    state_.GrabX = VariantNumber::longValue(cursor.x);
    state_.GrabY = VariantNumber::longValue(cursor.y);
}

RunError BodyMotion::step(const platform::MouseArgs& a) {
    MotionState& s = state_;
    s.LastCenterX = body_.width() / 2 + body_.left();
    s.LastCenterY = body_.height() / 2 + body_.top();
    const double dx = stepFrom(a.x, s.GrabX), dy = stepFrom(a.y, s.GrabY);
    QUILL_RETURN_IF_ERROR(body_.setPosition(moved(body_.left(), dx, s.GrabX), moved(body_.top(), dy, s.GrabY)));
    s.ThrowDX = dx;
    s.ThrowDY = dy;
    s.LastMoveTime = clockMs();
    moved_();
    return RunError::None;
}

void BodyMotion::releaseBody() {
    applyFlick(bodyFlick(clockMs() - state_.LastMoveTime, state_.ThrowDX, state_.ThrowDY), state_);
}

// The button's release reads the clock unrounded.
void BodyMotion::releaseButton() {
    const double dt = clockMillisExact(clock_.secondsSinceMidnight()) - state_.LastMoveTime;
    applyFlick(buttonFlick(dt, state_.ThrowDX, state_.ThrowDY), state_);
}

RunError BodyMotion::moveBy(double dx, double dy) { return body_.setPosition(body_.left() + dx, body_.top() + dy); }

BodyBox BodyMotion::bodyBox() const { return {body_.left(), body_.top(), body_.width(), body_.height()}; }

RunError BodyMotion::bodysMonitor(MonitorBox& out) {
    QUILL_RETURN_IF_ERROR(display_.GetDisplayInfo(body_.hWnd()));
    out = {display_.MonLeft, display_.MonTop, display_.MonWidth, display_.MonHeight};
    return RunError::None;
}

RunError BodyMotion::glideOneTick() {
    MotionState& s = state_;
    QUILL_RETURN_IF_ERROR(moveBy(s.ThrowDX, s.ThrowDY));
    MonitorBox monitor{};
    QUILL_RETURN_IF_ERROR(bodysMonitor(monitor));
    Step step{s.ThrowDX, s.ThrowDY};
    QUILL_RETURN_IF_ERROR(bounceOffEdges(bodyBox(), monitor, body_.twipsPerPixelX(), body_.twipsPerPixelY(), step));
    s.ThrowDX = step.dx;
    s.ThrowDY = step.dy;
    moved_();
    return RunError::None;
}

RunError BodyMotion::pushBackOnScreen(bool& pushed) {
    MotionState& s = state_;
    MonitorBox monitor{};
    QUILL_RETURN_IF_ERROR(bodysMonitor(monitor));
    Step step{s.ThrowDX, s.ThrowDY};
    QUILL_RETURN_IF_ERROR(pushBack(bodyBox(), monitor, body_.twipsPerPixelX(), body_.twipsPerPixelY(), step, pushed));
    s.ThrowDX = step.dx;
    s.ThrowDY = step.dy;
    if (!pushed) return RunError::None;
    QUILL_RETURN_IF_ERROR(moveBy(s.ThrowDX, s.ThrowDY));
    moved_();
    return RunError::None;
}

GlideCount BodyMotion::countDown() {
    MotionState& s = state_;
    const GlideCount c = mouse_window::countDown(s.ThrowTicks);
    s.ThrowTicks = c.throwTicks;
    if (c.glideOver) {
        s.ThrowDX = 0;
        s.ThrowDY = 0;
        s.Throwing = false;
    }
    return c;
}

void BodyMotion::recentre() {
    state_.CenterX = body_.width() / 2 + body_.left();
    state_.CenterY = body_.height() / 2 + body_.top();
}

Aim BodyMotion::aim(Single ledWidth, Single ledHeight) {
    MotionState& s = state_;
    recentre();
    const Aim a = aimBody({s.SwitchX, s.SwitchY, s.CenterX, s.CenterY, s.LastCenterX, s.LastCenterY, body_.scaleWidth(),
                           body_.scaleHeight(), ledWidth, ledHeight, s.PointerX, s.PointerY, s.BodyAngle});
    s.PointerX = a.pointerX;
    s.PointerY = a.pointerY;
    s.SwitchX = a.switchX;
    s.SwitchY = a.switchY;
    s.BodyAngle = a.bodyAngle;
    return a;
}

}  // namespace quill::mouse_window
