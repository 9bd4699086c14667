#pragma once
// The two window effects the program's shaped windows need: a transparent colour, and a
// place in the topmost band without ever being activated.
#include "common/colour.h"
#include "platform/desktop.h"
#include "platform/form.h"

namespace quill::window_styling {

// Pixels of the colour become transparent and click-through; a second call replaces the key.
void SetTransparentColor(platform::Desktop& desktop, platform::WindowHandle hwnd, Colour colour);

// Topmost, shown, and never activated by a click.
void SetTopMostNoActivate(platform::Form& form);

}  // namespace quill::window_styling
