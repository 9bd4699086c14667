#include "platform/win32/window_classes_win32.h"

#include <commctrl.h>

#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

namespace {

// The thunk: the desktop travels in the creation parameters and stays in the user data.
LRESULT CALLBACK desktopWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(l);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* desktop = reinterpret_cast<Win32Desktop*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!desktop) return DefWindowProcW(h, msg, w, l);
    // No exception unwinds through the system's dispatch: the pump reports it.
    try {
        return desktop->onMessage(h, msg, w, l);
    } catch (...) {
        desktop->noteEscapedException();
        return DefWindowProcW(h, msg, w, l);
    }
}

void registerClass(HINSTANCE instance, const wchar_t* name, UINT style) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = desktopWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconResource));
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

}  // namespace

void registerWindowClasses(HINSTANCE instance) {
    // Double clicks are routed as such, as the forms runtime expects.
    registerClass(instance, kFormClass, CS_DBLCLKS);
    registerClass(instance, kTimerClass, 0);
}

// 16 pixels at 96 DPI, 24 at 144: the icon file's own picture of that size, not the 32 pixel
// one shrunk, which blurs.
quill::win32::UniqueIcon loadSmallAppIcon(HINSTANCE instance) {
    HICON icon = nullptr;
    if (FAILED(LoadIconMetric(instance, MAKEINTRESOURCEW(kAppIconResource), LIM_SMALL, &icon))) return {};
    return quill::win32::UniqueIcon(icon);
}

}  // namespace quill::platform::win32
