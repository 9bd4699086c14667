// The on-screen button's handlers and the recorder they share with UpdateMouse.
#include <string>

#include "common/checked_int.h"
#include "common/twips.h"
#include "gesture/click_engine.h"
#include "mouse_window/flick.h"

namespace quill::gesture {

using mouse_window::RecEvent;

namespace {
Long downCode(Integer button, Long keep) {
    switch (button) {
        case platform::kLeftButton: return mouse_window::kLeftDown;
        case platform::kRightButton: return mouse_window::kRightDown;
        case platform::kMiddleButton: return mouse_window::kMiddleDown;
        default: return keep;
    }
}

Long upCode(Integer button, Long keep) {
    switch (button) {
        case platform::kLeftButton: return mouse_window::kLeftUp;
        case platform::kRightButton: return mouse_window::kRightUp;
        case platform::kMiddleButton: return mouse_window::kMiddleUp;
        default: return keep;
    }
}
}  // namespace

Long releaseCodeFor(Integer button, Long keep) { return upCode(button, keep); }

ClickEngine::ClickEngine(mouse_window::MouseWindow& mouse, forms::FrmPointView& frmPoint,
                         display::DisplayInfo& display, OwnWindows own)
    : mouse_(mouse), frmPoint_(frmPoint), display_(display), own_(std::move(own)) {
    forms::Form1View& v = mouse_.view();
    v.btnLDown.onMouseDown = [this](const platform::MouseArgs& a) { return btnLDown_MouseDown(a); };
    v.btnLDown.onMouseMove = [this](const platform::MouseArgs& a) { return btnLDown_MouseMove(a); };
    v.btnLDown.onMouseUp = [this](const platform::MouseArgs& a) { return btnLDown_MouseUp(a); };
    v.btnLDown.onDblClick = [this] { return btnLDown_DblClick(); };
    v.uWaitObj.onTimer = [this] { return uWaitObj_Timer(); };
    v.timer1.onTimer = [this] { return Timer1_Timer(); };
    // The mouse window can go in the middle of a replay (the exit command, the end of the
    // session, which may end the process right after): no button stays held down.
    v.onQueryUnload = [this] {
        releaseHeldButtons();
        return RunError::None;
    };
    mouse_.setRecorder(this);
}

void ClickEngine::startGesture() {
    st().RecCount = 0;
    st().RecBuf.assign(1, RecEvent{});
    st().Recording = true;
    st().WaitCount = 0;
    form1().uWaitObj.setEnabled(true);
    mouse_.setLedColour(kLedRecording);
}

// While a replay runs, the button is ignored: a new gesture would reuse the tick counter that
// paces the replay, and the replay's end would throw its records away.
RunError ClickEngine::btnLDown_MouseDown(const platform::MouseArgs& a) {
    if (replaying_) return RunError::None;
    st().GrabX = mouse_window::VariantNumber::single(a.x);
    st().GrabY = mouse_window::VariantNumber::single(a.y);
    if (!st().Recording) startGesture();
    st().EventCode = downCode(a.button, st().EventCode);
    st().LastDownCode = st().EventCode;
    return RecordStep();
}

RunError ClickEngine::btnLDown_MouseMove(const platform::MouseArgs& a) {
    if (replaying_ || a.button == 0) return RunError::None;
    return mouse_.dragStep(a);
}

RunError ClickEngine::btnLDown_MouseUp(const platform::MouseArgs& a) {
    if (replaying_) return RunError::None;
    const double dt = mouse_window::clockMillisExact(desktop().secondsSinceMidnight()) - st().LastMoveTime;
    const mouse_window::Flick f = mouse_window::buttonFlick(dt, st().ThrowDX, st().ThrowDY);
    st().ThrowTicks = f.throwTicks;
    if (f.startsGlide) st().Throwing = true;
    st().ReleasedButton = a.button;
    if (st().ThrowTicks != 0) return RunError::None;  // the glide's end records the release
    st().EventCode = upCode(a.button, st().EventCode);
    return RecordStep();
}

RunError ClickEngine::btnLDown_DblClick() {
    if (replaying_) return RunError::None;
    st().EventCode = st().LastDownCode;
    return RecordStep();
}

RunError ClickEngine::RecordStep() {
    mouse_window::Form1State& s = st();
    if (!s.Recording) return RunError::None;
    platform::Desktop& d = desktop();
    const auto px = twipsToPixels(s.PointerX, d.twipsPerPixelX());
    const auto py = twipsToPixels(s.PointerY, d.twipsPerPixelY());
    if (!px || !py) return RunError::Overflow;
    if (s.RecCount < 0 || static_cast<std::size_t>(s.RecCount) >= s.RecBuf.size()) {
        return RunError::SubscriptOutOfRange;
    }
    const RecEvent& last = s.RecBuf[static_cast<std::size_t>(s.RecCount)];
    if (*px == last.X && *py == last.Y && s.EventCode == last.Code) return RunError::None;

    const auto count = checkedAdd<Long>(s.RecCount, 1);
    if (!count) return RunError::Overflow;
    s.RecCount = *count;
    switch_window::Form2& f2 = mouse_.form2();
    f2.form().label1.setCaption(std::to_string(s.RecCount));
    RecEvent r;
    r.X = *px;
    r.Y = *py;
    r.Code = s.EventCode;
    r.BodyLeft = roundToLong(form1().left()).value_or(0);
    r.BodyTop = roundToLong(form1().top()).value_or(0);
    r.Angle = s.BodyAngle;
    r.SwitchLeft = roundToLong(f2.form().left()).value_or(0);
    r.SwitchTop = roundToLong(f2.form().top()).value_or(0);
    r.Tick = s.WaitCount;
    s.RecBuf.push_back(r);
    form1().label1.setCaption(std::to_string(s.RecCount) + ">" + std::to_string(*px) + ":" +
                              std::to_string(*py) + "(" + std::to_string(s.EventCode) + ")");
    s.EventCode = mouse_window::kNoButtonEvent;
    s.LastRecTick = s.WaitCount;
    return RunError::None;
}

}  // namespace quill::gesture
