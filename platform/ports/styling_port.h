#pragma once
// How the program's shaped windows look and take the mouse: a transparent colour, the topmost
// band, never being activated, and letting the mouse through while a replay synthesises input.
#include "common/colour.h"
#include "platform/ports/outcome.h"
#include "platform/ports/types.h"

namespace quill::platform {

class StylingPort {
public:
    virtual ~StylingPort() = default;

    // Pixels of the colour become transparent and click-through; a second call replaces the key.
    [[nodiscard]] virtual Outcome setColourKey(WindowHandle h, Colour key) = 0;
    // SetWindowPos(HWND_TOPMOST) keeping size and position; show adds SWP_SHOWWINDOW.
    [[nodiscard]] virtual Outcome setTopmost(WindowHandle h, bool show) = 0;
    // A click never activates the window.
    [[nodiscard]] virtual Outcome setNoActivate(WindowHandle h) = 0;
    // While on, every window of the program lets the mouse through to what lies beneath it,
    // windows created meanwhile included: synthesised clicks must reach the window under the
    // cursor, whatever the program's artwork covers there. Failed when a window kept its style.
    [[nodiscard]] virtual Outcome setInputPassThrough(bool on) = 0;
};

}  // namespace quill::platform
