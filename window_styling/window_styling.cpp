#include "window_styling/window_styling.h"

namespace quill::window_styling {

void SetTransparentColor(platform::Desktop& desktop, platform::WindowHandle hwnd, Colour colour) {
    desktop.setColourKey(hwnd, colour);
}

void SetTopMostNoActivate(platform::Form& form) {
    platform::Desktop& d = form.desktop();
    d.setTopmost(form.hWnd(), true);
    d.setNoActivate(form.hWnd());
}

}  // namespace quill::window_styling
