// The body's own mouse handlers: a left drag moves it, a quick release flicks it, and any
// other press discards a gesture being recorded.
#include "mouse_window/mouse_window.h"

namespace quill::mouse_window {

RunError MouseWindow::Form_MouseDown(const platform::MouseArgs& a) {
    if (a.button == platform::kLeftButton) {
        motion_.startDrag(a.x, a.y);
        return RunError::None;
    }
    if (recorder_) recorder_->DiscardGesture();
    return RunError::None;
}

RunError MouseWindow::Form_MouseMove(const platform::MouseArgs& a) {
    if (a.button != platform::kLeftButton) return RunError::None;
    return motion_.step(a);
}

RunError MouseWindow::Form_MouseUp(const platform::MouseArgs& a) {
    if (a.button != platform::kLeftButton) return RunError::None;
    motion_.releaseBody();
    return RunError::None;
}

}  // namespace quill::mouse_window
