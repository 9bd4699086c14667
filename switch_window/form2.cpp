#include "switch_window/form2.h"

#include "window_styling/window_styling.h"

namespace quill::switch_window {

forms::Form2View& Form2::form() {
    if (!view_.loaded()) {
        view_.load();
        Form_Load();
    }
    return view_;
}

// A switch the system would not style still works: it shows, only with its corners.
void Form2::Form_Load() {
    (void)window_styling::SetTopMostNoActivate(styling_, view_);
    // Read now, right after the form was shown: outside Picture1 it shows only its background,
    // so the background becomes the transparent colour.
    (void)window_styling::SetTransparentColor(styling_, view_.hWnd(), view_.point(0, 0));
    view_.picture1.setPicture(view_.picWork2.picture());
    view_.show();
    view_.refresh();
}

void Form2::SwitchON() {
    btnLDown_.setEnabled(true);
    form().picture1.setPicture(view_.picWork1.picture());
}

void Form2::SwitchOFF() {
    btnLDown_.setEnabled(false);
    form().picture1.setPicture(view_.picWork2.picture());
}

RunError Form2::Picture1_Click() {
    if (btnLDown_.enabled()) {
        SwitchOFF();
    } else {
        SwitchON();
    }
    return RunError::None;
}

}  // namespace quill::switch_window
