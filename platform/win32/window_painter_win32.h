#pragma once
// Paints a window's model: background, the form's picture, circles, then picture boxes on top
// (as windowed controls lie above graphical ones). Labels are child windows and paint themselves.
#include <windows.h>

#include <optional>

#include "platform/window_model.h"

namespace quill::platform::win32 {

// key: the window's transparent colour, if it has one.
void paintWindow(HDC target, const WindowModel& model, int width, int height, std::optional<Colour> key);

}  // namespace quill::platform::win32
