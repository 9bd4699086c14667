#pragma once
// The buttons and keys a mouse message carries, as mouse handlers receive them: buttons left 1,
// right 2, middle 4; Shift 1, Ctrl 2, Alt 4. Windows-only.
#include <windows.h>

namespace quill::win32 {

inline short heldButtons(WPARAM w) {
    return static_cast<short>(((w & MK_LBUTTON) ? 1 : 0) | ((w & MK_RBUTTON) ? 2 : 0) | ((w & MK_MBUTTON) ? 4 : 0));
}

// Alt is not in the message: the caller says whether it is down.
inline short mouseShiftState(WPARAM w, bool altDown) {
    return static_cast<short>(((w & MK_SHIFT) ? 1 : 0) | ((w & MK_CONTROL) ? 2 : 0) | (altDown ? 4 : 0));
}

}  // namespace quill::win32
