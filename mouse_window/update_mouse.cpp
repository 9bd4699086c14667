// UpdateMouse: keeps the body, its pointer tip, the switch window and the LED together after
// every move. Each failing statement is skipped and the next one runs.
#include "mouse_window/aim.h"
#include "mouse_window/mouse_window.h"

namespace quill::mouse_window {

MouseWindow::MouseWindow(forms::Form1View& view, switch_window::Form2& form2, LateBoundObject& lumoObject,
                         MouseWindowPorts ports)
    : view_(view), form2_(form2), lumo_(lumoObject), ports_(ports) {
    view_.onMouseDown = [this](const platform::MouseArgs& a) { return Form_MouseDown(a); };
    view_.onMouseMove = [this](const platform::MouseArgs& a) { return Form_MouseMove(a); };
    view_.onMouseUp = [this](const platform::MouseArgs& a) { return Form_MouseUp(a); };
}

void MouseWindow::UpdateMouse() {
    Form1State& s = state;
    forms::Form2View& f2 = form2_.form();  // the first touch loads the switch window
    const double switchLeft = s.SwitchX - f2.width() / 2, switchTop = s.SwitchY - f2.height() / 2;
    if (f2.setPosition(switchLeft, switchTop) != RunError::None) {
        // A coordinate beyond a Long: each statement fails or succeeds on its own here.
        (void)f2.setLeft(switchLeft);
        (void)f2.setTop(switchTop);
    }
    s.CenterX = view_.width() / 2 + view_.left();
    s.CenterY = view_.height() / 2 + view_.top();

    const Aim aim = aimBody({s.SwitchX, s.SwitchY, s.CenterX, s.CenterY, s.LastCenterX, s.LastCenterY,
                             view_.scaleWidth(), view_.scaleHeight(), view_.recLED.width(),
                             view_.recLED.height(), s.PointerX, s.PointerY, s.BodyAngle});
    s.PointerX = aim.pointerX;
    s.PointerY = aim.pointerY;
    s.SwitchX = aim.switchX;
    s.SwitchY = aim.switchY;
    view_.recLED.setLeft(static_cast<Single>(aim.ledLeft));
    view_.recLED.setTop(static_cast<Single>(aim.ledTop));
    s.BodyAngle = aim.bodyAngle;

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
    if (go()) run(lumo_.ClsPicView());
    if (go()) run(lumo_.setPicMaterial(view_.picture1.picture()));
    if (go()) run(lumo_.Lumoscope(kDrawX, kDrawY, kDrawAlpha, state.BodyAngle, kDrawZoom, true));
    if (go()) run(lumo_.ReDraw());
    PictureRef image;
    if (go()) {
        const RunError e = lumo_.Image(image);
        run(e);
        if (e == RunError::None) view_.setPicture(std::move(image));
    }
    return first;
}

}  // namespace quill::mouse_window
