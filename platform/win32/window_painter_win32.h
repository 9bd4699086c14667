#pragma once
// Paints a window's model: background, the form's picture, circles, then picture boxes on top
// (as windowed controls lie above graphical ones). Labels are child windows and paint themselves.
#include <windows.h>

#include "platform/window_model.h"

namespace quill::platform::win32 {

void paintWindow(HDC target, const WindowModel& model, int width, int height);

}  // namespace quill::platform::win32
