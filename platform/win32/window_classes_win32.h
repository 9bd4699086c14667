#pragma once
// The two window classes of the desktop: the program's forms and the message-only window
// that owns the timers. Both route every message to the Win32Desktop passed at creation.
#include <windows.h>

#include "common/win32/unique_handle.h"

namespace quill::platform::win32 {

constexpr const wchar_t* kFormClass = L"QuilloraForm";
constexpr const wchar_t* kTimerClass = L"QuilloraTimers";

// Resources of the executable: the application icon and the pointing hand.
constexpr int kAppIconResource = 1;
constexpr int kHandCursorResource = 2;

void registerWindowClasses(HINSTANCE instance);

// The application icon at the small size for the screen's scale, as the notification area
// shows it; empty when it cannot be loaded.
quill::win32::UniqueIcon loadSmallAppIcon(HINSTANCE instance);

}  // namespace quill::platform::win32
