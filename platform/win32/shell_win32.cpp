// The real desktop's notification icon, popup menus and cursor shapes.
#include "platform/win32/text_win32.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/window_classes_win32.h"

namespace quill::platform::win32 {

using quill::win32::UniqueMenu;

namespace {
constexpr UINT kTrayIconId = 1;  // decodes as MK_LBUTTON in the callback's wParam
}  // namespace

// The oldest record layout is enough for an icon, a callback and a tip, and every shell
// version accepts it; the wide API keeps the tip's text exact whatever the code page.
void Win32Desktop::addTrayIcon(WindowHandle owner, const std::string& tip) {
    if (trayIcon_) return;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = toHwnd(owner);
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_MOUSEMOVE;
    data.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(kAppIconResource));  // shared: never destroyed
    lstrcpynW(data.szTip, widen(tip).c_str(), 64);
    Shell_NotifyIconW(NIM_ADD, &data);
    trayIcon_ = data;
}

void Win32Desktop::removeTrayIcon(WindowHandle owner) {
    if (!trayIcon_ || trayIcon_->hWnd != toHwnd(owner)) return;
    Shell_NotifyIconW(NIM_DELETE, &*trayIcon_);
    trayIcon_.reset();
}

int Win32Desktop::trackPopupMenu(WindowHandle owner, const std::vector<std::string>& items) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        AppendMenuW(menu.get(), MF_STRING, i + 1, widen(items[i]).c_str());
    }
    POINT at{};
    GetCursorPos(&at);
    // Returning the command keeps the choice in the caller's hands; 0 is a dismissed menu.
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY;
    // A menu whose owner is not in front never hears of a click elsewhere or of Esc and stays
    // open; the message after it lets the menu's loop end at once.
    SetForegroundWindow(toHwnd(owner));
    const BOOL chosen = TrackPopupMenu(menu.get(), flags, at.x, at.y, 0, toHwnd(owner), nullptr);
    PostMessageW(toHwnd(owner), WM_NULL, 0, 0);
    return chosen > 0 ? static_cast<int>(chosen) - 1 : -1;
}

// Over a control with a cursor of its own, the window shows it; elsewhere the class cursor.
bool Win32Desktop::onSetCursor(HWND h) {
    Window* w = find(h);
    if (!w) return false;
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(h, &p);
    if (w->client->cursorAt(p.x, p.y) != CursorShape::Hand) return false;
    SetCursor(handCursor_);
    return true;
}

}  // namespace quill::platform::win32
