#include "window_styling/window_styling.h"

namespace quill::window_styling {

platform::Outcome SetTransparentColor(platform::StylingPort& styling, platform::WindowHandle hwnd, Colour colour) {
    return styling.setColourKey(hwnd, colour);
}

// Both effects are asked for, whatever the first one came to.
platform::Outcome SetTopMostNoActivate(platform::StylingPort& styling, platform::Form& form) {
    const platform::Outcome topmost = styling.setTopmost(form.hWnd(), true);
    return topmost & styling.setNoActivate(form.hWnd());
}

}  // namespace quill::window_styling
