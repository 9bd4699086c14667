// Timer1, the heartbeat: remembers the replay's target, ends a quiet recording with its
// replay, moves a gliding body or pushes a stray one back, and counts a glide down.
#include "gesture/click_engine.h"
#include "gesture/glide.h"
#include "window_styling/window_styling.h"

namespace quill::gesture {

namespace {
constexpr Long kFastIntervalMs = 1;
constexpr Long kIdleIntervalMs = 100;
}  // namespace

RunError ClickEngine::Timer1_Timer() {
    GestureState& s = state_;
    if (s.Recording) {
        // Only a recording uses the foreground window; asking on idle ticks costs a round trip.
        const platform::WindowHandle fg = ports_.input.foregroundWindow();
        if (!isOwnWindow(fg)) {
            s.TargetHwnd = fg;
            // Styles the system refuses now are asked for again on the next tick.
            (void)window_styling::SetTopMostNoActivate(ports_.styling, form1());
            (void)window_styling::SetTopMostNoActivate(ports_.styling, mouse_.form2().form());
        }
    }
    if (s.Recording && s.LastRecTick + kQuietTicks < s.WaitCount) {
        QUILL_RETURN_IF_ERROR(endRecording());
        if (ending()) return RunError::None;  // the program went away during the replay
    }
    bool pushed = false;
    if (mouseState().Throwing) {
        QUILL_RETURN_IF_ERROR(glideTick());
    } else {
        QUILL_RETURN_IF_ERROR(keepOnScreen(pushed));
        if (pushed) return RunError::None;
    }
    return countDownGlide();
}

// The body, or the about box or the icon's owner while they are loaded: an unloaded form has no
// window to be in front, and reading its handle would load it.
bool ClickEngine::isOwnWindow(platform::WindowHandle h) {
    for (const platform::Form* f : {static_cast<const platform::Form*>(&form1()), &own_.frmAbout, &own_.menuForm}) {
        if (f->loaded() && f->hWnd() == h) return true;
    }
    return false;
}

RunError ClickEngine::endRecording() {
    form1().uWaitObj.setEnabled(false);
    state_.WaitCount = 0;
    const platform::PixelPoint cursor = ports_.input.cursorPos();
    mouseState().GrabX = mouse_window::VariantNumber::longValue(cursor.x);
    mouseState().GrabY = mouse_window::VariantNumber::longValue(cursor.y);
    state_.Recording = false;
    const RunError e = PlayGesture();
    state_.discard();  // nothing records during a replay: the button ignores it
    return e;
}

RunError ClickEngine::moveBodyBy(double dx, double dy) {
    return form1().setPosition(form1().left() + dx, form1().top() + dy);
}

namespace {
BodyBox bodyOf(const platform::Form& f) { return {f.left(), f.top(), f.width(), f.height()}; }
MonitorBox monitorOf(const display::DisplayInfo& d) { return {d.MonLeft, d.MonTop, d.MonWidth, d.MonHeight}; }
}  // namespace

RunError ClickEngine::glideTick() {
    mouse_window::Form1State& s = mouseState();
    QUILL_RETURN_IF_ERROR(moveBodyBy(s.ThrowDX, s.ThrowDY));
    QUILL_RETURN_IF_ERROR(display_.GetDisplayInfo(form1().hWnd()));
    Step step{s.ThrowDX, s.ThrowDY};
    QUILL_RETURN_IF_ERROR(bounceOffEdges(bodyOf(form1()), monitorOf(display_), form1().twipsPerPixelX(),
                                         form1().twipsPerPixelY(), step));
    s.ThrowDX = step.dx;
    s.ThrowDY = step.dy;
    mouse_.UpdateMouse();
    form1().timer1.setInterval(kFastIntervalMs);
    return RunError::None;
}

RunError ClickEngine::keepOnScreen(bool& pushed) {
    mouse_window::Form1State& s = mouseState();
    QUILL_RETURN_IF_ERROR(display_.GetDisplayInfo(form1().hWnd()));
    Step step{s.ThrowDX, s.ThrowDY};
    QUILL_RETURN_IF_ERROR(pushBack(bodyOf(form1()), monitorOf(display_), form1().twipsPerPixelX(),
                                   form1().twipsPerPixelY(), step, pushed));
    s.ThrowDX = step.dx;
    s.ThrowDY = step.dy;
    if (pushed) {
        QUILL_RETURN_IF_ERROR(moveBodyBy(s.ThrowDX, s.ThrowDY));
        mouse_.UpdateMouse();
        form1().timer1.setInterval(kFastIntervalMs);
    } else if (form1().timer1.interval() != kIdleIntervalMs) {
        form1().timer1.setInterval(kIdleIntervalMs);
    }
    return RunError::None;
}

RunError ClickEngine::countDownGlide() {
    mouse_window::Form1State& s = mouseState();
    const GlideCount c = countDown(s.ThrowTicks);
    s.ThrowTicks = c.throwTicks;
    if (!c.glideOver) return RunError::None;
    s.ThrowDX = 0;
    s.ThrowDY = 0;
    s.Throwing = false;
    if (!c.releaseDue) return RunError::None;
    if (state_.Recording) {
        state_.EventCode = releaseCodeFor(state_.ReleasedButton, state_.EventCode);
        QUILL_RETURN_IF_ERROR(RecordStep());
    }
    state_.ReleasedButton = 0;
    return RunError::None;
}

}  // namespace quill::gesture
