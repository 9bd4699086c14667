// UpdateMouse: keeps the body, its pointer tip, the switch window and the LED together after
// every move. Each failing statement is skipped and the next one runs.
#include "mouse_window/mouse_window.h"

namespace quill::mouse_window {

MouseWindow::MouseWindow(forms::Form1View& view, switch_window::Form2& form2, LumoCtrl& LumoCTRL1,
                         display::DisplayInfo& display, MouseWindowPorts ports)
    : view_(view), form2_(form2), LumoCTRL1_(LumoCTRL1), ports_(ports),
      motion_(view, display, ports.clock, [this] { UpdateMouse(); }) {
    view_.onMouseDown = [this](const platform::MouseArgs& a) { return Form_MouseDown(a); };
    view_.onMouseMove = [this](const platform::MouseArgs& a) { return Form_MouseMove(a); };
    view_.onMouseUp = [this](const platform::MouseArgs& a) { return Form_MouseUp(a); };
}

void MouseWindow::UpdateMouse() {
    const MotionState& s = motion_.state();
    forms::Form2View& f2 = form2_.form();  // the first touch loads the switch window
    const double switchLeft = s.SwitchX - f2.width() / 2, switchTop = s.SwitchY - f2.height() / 2;
    if (f2.setPosition(switchLeft, switchTop) != RunError::None) {
        // A coordinate beyond a Long: each statement fails or succeeds on its own here.
        (void)f2.setLeft(switchLeft);
        (void)f2.setTop(switchTop);
    }
    const Aim aim = motion_.aim(view_.recLED.width(), view_.recLED.height());
    view_.recLED.setLeft(static_cast<Single>(aim.ledLeft));
    view_.recLED.setTop(static_cast<Single>(aim.ledTop));

    (void)drawBody(true);
    if (recorder_) (void)recorder_->RecordStep();
    view_.refresh();
}

RunError MouseWindow::drawBody(bool skipFailures) {
    RunError first = RunError::None;
    // Runs one step unless an earlier one failed and failures end the drawing.
    auto run = [&](RunError e) {
        if (first == RunError::None) first = e;
    };
    auto go = [&] { return skipFailures || first == RunError::None; };
    if (go()) run(LumoCTRL1_.ClsPicView());
    if (go()) run(LumoCTRL1_.setPicMaterial(view_.picture1.picture()));
    if (go()) {
        // R360 comes back reduced to 0..359, also from a draw that failed after reducing it.
        Integer angle = motion_.state().BodyAngle;
        run(LumoCTRL1_.Lumoscope(kDrawX, kDrawY, kDrawAlpha, angle, kDrawZoom, true));
        motion_.turnTo(angle);
    }
    if (go()) run(LumoCTRL1_.ReDraw());
    PictureRef image;
    if (go()) {
        const RunError e = LumoCTRL1_.Image(image);
        run(e);
        if (e == RunError::None) view_.setPicture(std::move(image));
    }
    return first;
}

}  // namespace quill::mouse_window
