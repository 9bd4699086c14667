// The real desktop's notification icon, popup menus and cursor shapes.
#include "common/win32/text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/menu_watch_win32.h"
#include "platform/win32/window_classes_win32.h"
#include "platform/win32/wine_win32.h"

namespace quill::platform::win32 {

using quill::win32::UniqueMenu;
using quill::win32::widen;

namespace {
constexpr UINT kTrayIconId = 1;  // decodes as MK_LBUTTON in the callback's wParam

// Wine drops keys typed into a window that is no longer in front, and a hidden window cannot
// take the X keyboard focus: there, bringing the owner forward would only lose the user's Esc.
bool ownerCanTakeTheKeyboard() { return !runningUnderWine(); }

// An elevated program hears a message from a program of a lower level (the taskbar, a second
// start) only when it lets it through; for a program that is not elevated nothing changes.
void letThrough(HWND h, UINT message) { (void)ChangeWindowMessageFilterEx(h, message, MSGFLT_ALLOW, nullptr); }
}  // namespace

// The oldest record layout is enough for an icon, a callback and a tip, and every shell
// version accepts it; the wide API keeps the tip's text exact whatever the code page. The
// image is loaded again each time, at the scale the taskbar has now; the shell keeps its own
// copy of it.
NOTIFYICONDATAW Win32Desktop::trayRecord(WindowHandle owner, const std::string& tip) {
    trayImage_ = loadSmallAppIcon(instance_);
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = toHwnd(owner);
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_MOUSEMOVE;
    data.hIcon = trayImage_.get();
    lstrcpynW(data.szTip, widen(tip).c_str(), 64);
    return data;
}

// The record is kept even when the shell says no: a shell that timed out may still show the
// icon, and removing it must then still be tried.
Outcome Win32Desktop::addTrayIcon(WindowHandle owner, const std::string& tip) {
    trayIcon_ = trayRecord(owner, tip);
    return outcomeOf(Shell_NotifyIconW(NIM_ADD, &*trayIcon_));
}

Outcome Win32Desktop::modifyTrayIcon(WindowHandle owner, const std::string& tip) {
    if (!trayIcon_ || trayIcon_->hWnd != toHwnd(owner)) return Outcome::Failed;  // never added
    trayIcon_ = trayRecord(owner, tip);
    return outcomeOf(Shell_NotifyIconW(NIM_MODIFY, &*trayIcon_));
}

Outcome Win32Desktop::removeTrayIcon(WindowHandle owner) {
    if (!trayIcon_ || trayIcon_->hWnd != toHwnd(owner)) return Outcome::Done;  // none of the owner's
    const Outcome removed = outcomeOf(Shell_NotifyIconW(NIM_DELETE, &*trayIcon_));
    trayIcon_.reset();
    trayImage_.reset();
    return removed;
}

// The balloon fields came with the second record layout; the icon itself is left as it was.
Outcome Win32Desktop::showBalloon(WindowHandle owner, const std::string& title, const std::string& text) {
    if (!trayIcon_ || trayIcon_->hWnd != toHwnd(owner)) return Outcome::Failed;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = trayIcon_->hWnd;
    data.uID = trayIcon_->uID;
    data.uFlags = NIF_INFO;
    lstrcpynW(data.szInfoTitle, widen(title).c_str(), ARRAYSIZE(data.szInfoTitle));
    lstrcpynW(data.szInfo, widen(text).c_str(), ARRAYSIZE(data.szInfo));
    data.dwInfoFlags = NIIF_INFO;
    return outcomeOf(Shell_NotifyIconW(NIM_MODIFY, &data));
}

MenuChoice Win32Desktop::trackPopupMenu(WindowHandle owner, const std::vector<std::string>& items) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return {-1, Outcome::Failed};
    Outcome built = Outcome::Done;  // an item that would not go in leaves the others to choose from
    for (std::size_t i = 0; i < items.size(); ++i) {
        built = built & outcomeOf(AppendMenuW(menu.get(), MF_STRING, i + 1, widen(items[i]).c_str()));
    }
    POINT at{};
    GetCursorPos(&at);
    // Returning the command keeps the choice in the caller's hands; 0 is a dismissed menu.
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY;
    // A menu whose owner is not in front never hears of a click elsewhere or of Esc and stays
    // open; the message after it lets the menu's loop end at once. The owner cannot always come
    // to the front, so the watch ends the menu on those too.
    if (ownerCanTakeTheKeyboard()) SetForegroundWindow(toHwnd(owner));
    MenuWatch watch;
    SetLastError(0);
    const BOOL chosen = TrackPopupMenu(menu.get(), flags, at.x, at.y, 0, toHwnd(owner), nullptr);
    // With TPM_RETURNCMD a dismissed menu and a failed one both answer 0; the last error tells.
    const Outcome shown = built & outcomeOf(chosen > 0 || GetLastError() == 0);
    PostMessageW(toHwnd(owner), WM_NULL, 0, 0);
    return {chosen > 0 ? static_cast<int>(chosen) - 1 : -1, shown};
}

MessageId Win32Desktop::registerMessage(const std::string& name) {
    const UINT id = RegisterWindowMessageW(widen(name).c_str());
    if (id == 0) return 0;
    registered_.insert(id);
    for (const auto& [h, w] : windows_) letThrough(h, id);
    return id;
}

void Win32Desktop::letNamedMessagesThrough(HWND h) const {
    for (UINT id : registered_) letThrough(h, id);
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
