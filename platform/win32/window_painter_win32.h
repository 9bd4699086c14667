#pragma once
// Paints a window's model: background, the form's picture, circles, then picture boxes on top
// (as windowed controls lie above graphical ones). Labels are child windows and paint themselves.
#include <windows.h>

#include <optional>

#include "common/win32/unique_handle.h"

#include "platform/ports/window_model.h"

namespace quill::platform::win32 {

// A window's off-screen frame, kept between paints: making a bitmap and a DC for every paint
// costs the display driver round trips under Wine, and the body repaints on every drag step.
class BackBuffer {
public:
    // A memory DC holding a bitmap of at least the size; made again only when it grows.
    HDC dc(int width, int height);

private:
    // Destroyed in reverse: the bitmap is selected out before either is deleted.
    quill::win32::UniqueDc dc_;
    quill::win32::UniqueBitmap bitmap_;
    std::optional<quill::win32::SelectGuard> selected_;
    int width_ = 0, height_ = 0;
};

// Composes the model in the buffer and copies it at once, so that a colour-keyed window never
// shows a half-painted frame. key: the window's transparent colour, if it has one.
void paintWindow(HDC target, BackBuffer& buffer, const WindowModel& model, int width, int height,
                 std::optional<Colour> key);

}  // namespace quill::platform::win32
