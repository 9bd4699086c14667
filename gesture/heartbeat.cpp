// Timer1, the heartbeat: remembers the replay's target, ends a quiet recording with its
// replay, asks the body's motion to glide or to come back on screen, and counts a glide down.
#include "gesture/click_engine.h"
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
    if (motion().state().Throwing) {
        QUILL_RETURN_IF_ERROR(glideTick());
    } else {
        QUILL_RETURN_IF_ERROR(keepOnScreen(pushed));
        if (pushed) return RunError::None;
    }
    return countDownGlide();
}

// The body, or the about box or the icon's owner while they are loaded: an unloaded form has no
// window that could be in front, and its handle is not read.
bool ClickEngine::isOwnWindow(platform::WindowHandle h) {
    for (const platform::Form* f : {static_cast<const platform::Form*>(&form1()), &own_.frmAbout,
                                   static_cast<const platform::Form*>(&own_.menuForm)}) {
        if (f->loaded() && f->hWnd() == h) return true;
    }
    return false;
}

RunError ClickEngine::endRecording() {
    form1().uWaitObj.setEnabled(false);
    state_.WaitCount = 0;
    motion().anchorAtCursor(ports_.input.cursorPos());
    state_.Recording = false;
    const RunError e = PlayGesture();
    state_.discard();  // nothing records during a replay: the button ignores it
    return e;
}

RunError ClickEngine::glideTick() {
    QUILL_RETURN_IF_ERROR(motion().glideOneTick());
    form1().timer1.setInterval(kFastIntervalMs);
    return RunError::None;
}

RunError ClickEngine::keepOnScreen(bool& pushed) {
    QUILL_RETURN_IF_ERROR(motion().pushBackOnScreen(pushed));
    if (pushed) {
        form1().timer1.setInterval(kFastIntervalMs);
    } else if (form1().timer1.interval() != kIdleIntervalMs) {
        form1().timer1.setInterval(kIdleIntervalMs);
    }
    return RunError::None;
}

// The glide's end records a release the button held back.
RunError ClickEngine::countDownGlide() {
    if (!motion().countDown().releaseDue) return RunError::None;
    if (state_.Recording) {
        state_.EventCode = releaseCodeFor(state_.ReleasedButton, state_.EventCode);
        QUILL_RETURN_IF_ERROR(RecordStep());
    }
    state_.ReleasedButton = 0;
    return RunError::None;
}

}  // namespace quill::gesture
