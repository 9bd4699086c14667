#pragma once
// The two window effects the program's shaped windows need: a transparent colour, and a
// place in the topmost band without ever being activated.
#include "common/colour.h"
#include "platform/form.h"
#include "platform/ports/styling_port.h"

namespace quill::window_styling {

// Pixels of the colour become transparent and click-through; a second call replaces the key.
[[nodiscard]] platform::Outcome SetTransparentColor(platform::StylingPort& styling, platform::WindowHandle hwnd,
                                                    Colour colour);
// Topmost, shown, and never activated by a click.
[[nodiscard]] platform::Outcome SetTopMostNoActivate(platform::StylingPort& styling, platform::Form& form);

}  // namespace quill::window_styling
