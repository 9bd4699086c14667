// The real desktop's message boxes: every one reports an error the program ends on, so the
// program waits for the answer and for nothing else.
#include "common/win32/text.h"
#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

using quill::win32::UniqueHook;
using quill::win32::widen;

namespace {
constexpr const wchar_t* kDialogClass = L"#32770";

// Wine ignores MB_TOPMOST: the box is put into the topmost band as it becomes active, on both
// systems, so that the topmost body can never lie over it.
LRESULT CALLBACK raiseTheBox(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(w);
        wchar_t cls[16] = {};
        if (GetClassNameW(box, cls, 16) && lstrcmpW(cls, kDialogClass) == 0) {
            SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}
}  // namespace

// Behind the topmost body or the user's window the box could not be answered: it comes to the
// front and stays above, and meanwhile the program's windows let the mouse through to whatever
// lies beneath (the box, the user's window) and hear nothing of it.
Outcome Win32Desktop::messageBox(const std::string& text, const std::string& title, int icon) {
    ++messageBoxes_;
    ReleaseCapture();  // a drag in progress lets go of the mouse
    const bool passingThrough = passThrough_;
    (void)setInputPassThrough(true);  // a window that cannot let it through still ignores it
    const UniqueHook raise(SetWindowsHookExW(WH_CBT, raiseTheBox, nullptr, GetCurrentThreadId()));
    const UINT flags = MB_OK | MB_SETFOREGROUND | MB_TOPMOST | static_cast<UINT>(icon);
    const int answer = MessageBoxW(nullptr, widen(text).c_str(), widen(title).c_str(), flags);
    (void)setInputPassThrough(passingThrough);
    --messageBoxes_;
    return outcomeOf(answer != 0);
}

}  // namespace quill::platform::win32
