// The on-screen button's handlers and the recorder they share with UpdateMouse.
#include <string>

#include "common/checked_int.h"
#include "common/twips.h"
#include "gesture/click_engine.h"

namespace quill::gesture {

namespace {
Long downCode(Integer button, Long keep) {
    switch (button) {
        case platform::kLeftButton: return kLeftDown;
        case platform::kRightButton: return kRightDown;
        case platform::kMiddleButton: return kMiddleDown;
        default: return keep;
    }
}

Long upCode(Integer button, Long keep) {
    switch (button) {
        case platform::kLeftButton: return kLeftUp;
        case platform::kRightButton: return kRightUp;
        case platform::kMiddleButton: return kMiddleUp;
        default: return keep;
    }
}
}  // namespace

Long releaseCodeFor(Integer button, Long keep) { return upCode(button, keep); }

ClickEngine::ClickEngine(mouse_window::MouseWindow& mouse, forms::FrmPointView& frmPoint, OwnWindows own,
                         ClickEnginePorts ports)
    : mouse_(mouse), frmPoint_(frmPoint), own_(own), ports_(ports) {
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
    // Without the system's word on locks, a replay still stops on Esc, a move of the mouse,
    // refused input and suspend; a lock is then seen as refused input.
    (void)ports_.input.setSessionListener(this);
}

ClickEngine::~ClickEngine() { (void)ports_.input.setSessionListener(nullptr); }

void ClickEngine::startGesture() {
    state_.start();
    form1().uWaitObj.setEnabled(true);
    mouse_.setLedColour(kLedRecording);
}

void ClickEngine::DiscardGesture() { state_.discard(); }

// While a replay runs, the button is ignored: a new gesture would reuse the tick counter that
// paces the replay, and the replay's end would throw its records away.
RunError ClickEngine::btnLDown_MouseDown(const platform::MouseArgs& a) {
    if (replaying_) return RunError::None;
    motion().startDrag(a.x, a.y);
    if (!state_.Recording) startGesture();
    state_.EventCode = downCode(a.button, state_.EventCode);
    state_.LastDownCode = state_.EventCode;
    return RecordStep();
}

RunError ClickEngine::btnLDown_MouseMove(const platform::MouseArgs& a) {
    if (replaying_ || a.button == 0) return RunError::None;
    return motion().step(a);
}

RunError ClickEngine::btnLDown_MouseUp(const platform::MouseArgs& a) {
    if (replaying_) return RunError::None;
    motion().releaseButton();
    state_.ReleasedButton = a.button;
    if (motion().state().ThrowTicks != 0) return RunError::None;  // the glide's end records the release
    state_.EventCode = upCode(a.button, state_.EventCode);
    return RecordStep();
}

RunError ClickEngine::btnLDown_DblClick() {
    if (replaying_) return RunError::None;
    state_.EventCode = state_.LastDownCode;
    return RecordStep();
}

RunError ClickEngine::RecordStep() {
    GestureState& s = state_;
    if (!s.Recording) return RunError::None;
    const mouse_window::MotionState& m = motion().state();
    const auto px = twipsToPixels(m.PointerX, form1().twipsPerPixelX());
    const auto py = twipsToPixels(m.PointerY, form1().twipsPerPixelY());
    if (!px || !py) return RunError::Overflow;
    const RecEvent* last = s.latest();
    if (!last) return RunError::SubscriptOutOfRange;
    if (*px == last->X && *py == last->Y && s.EventCode == last->Code) return RunError::None;

    const auto count = checkedAdd<Long>(s.RecCount, 1);
    if (!count) return RunError::Overflow;
    s.RecCount = *count;
    forms::Form2View& f2 = mouse_.form2().form();
    f2.label1.setCaption(std::to_string(s.RecCount));
    const WindowPlaces places{form1().left(), form1().top(), f2.left(), f2.top()};
    s.RecBuf.push_back(makeRecord(*px, *py, s.EventCode, places, m.BodyAngle, s.WaitCount));
    form1().label1.setCaption(recordCaption(s.RecCount, s.RecBuf.back()));
    s.EventCode = kNoButtonEvent;
    s.LastRecTick = s.WaitCount;
    return RunError::None;
}

}  // namespace quill::gesture
