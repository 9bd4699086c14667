// The window procedure's handlers: mouse input routed to the form, painting from the model,
// never-activated windows, transparent labels and timer ticks.
#include <windowsx.h>

#include "common/win32/mouse_keys.h"
#include "platform/win32/window_painter_win32.h"
#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

using quill::win32::heldButtons;
using quill::win32::mouseShiftState;
using quill::win32::PaintGuard;

namespace {

struct MouseMessage {
    MouseAction action;
    Integer button;
};

bool mouseMessage(UINT msg, MouseMessage& out) {
    switch (msg) {
        case WM_MOUSEMOVE: out = {MouseAction::Move, 0}; return true;
        case WM_LBUTTONDOWN: out = {MouseAction::Down, kLeftButton}; return true;
        case WM_RBUTTONDOWN: out = {MouseAction::Down, kRightButton}; return true;
        case WM_MBUTTONDOWN: out = {MouseAction::Down, kMiddleButton}; return true;
        case WM_LBUTTONUP: out = {MouseAction::Up, kLeftButton}; return true;
        case WM_RBUTTONUP: out = {MouseAction::Up, kRightButton}; return true;
        case WM_MBUTTONUP: out = {MouseAction::Up, kMiddleButton}; return true;
        case WM_LBUTTONDBLCLK: out = {MouseAction::DoubleClick, kLeftButton}; return true;
        case WM_RBUTTONDBLCLK: out = {MouseAction::DoubleClick, kRightButton}; return true;
        case WM_MBUTTONDBLCLK: out = {MouseAction::DoubleClick, kMiddleButton}; return true;
        default: return false;
    }
}

}  // namespace

LRESULT Win32Desktop::onMessage(HWND h, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
        case WM_TIMER: onTimer(w); return 0;  // every timer belongs to the message-only window
        case WM_MOUSEACTIVATE:
            // WS_EX_NOACTIVATE alone does not stop a click from activating the window under Wine.
            if (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_NOACTIVATE) return MA_NOACTIVATE;
            break;
        case WM_PAINT: onPaint(h); return 0;
        case WM_DISPLAYCHANGE:
            monitors_.forget();
            onSessionMessage(msg, w);
            break;
        case WM_WTSSESSION_CHANGE: onSessionMessage(msg, w); return 0;
        case WM_POWERBROADCAST: onSessionMessage(msg, w); return TRUE;
        case WM_SETTINGCHANGE:
            if (w == SPI_SETWORKAREA) monitors_.forget();
            break;
        // Closing goes through the program's forms, never straight to DestroyWindow.
        case WM_CLOSE: onClose(h, CloseReason::Request); return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns: everything happens in here.
            if (w) onClose(h, CloseReason::SessionEnd);
            return 0;
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel
        case WM_CTLCOLORSTATIC: return onCtlColorStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
        case WM_SETCURSOR:
            if (LOWORD(l) == HTCLIENT && onSetCursor(h)) return TRUE;
            break;
        default:
            if (onNamedMessage(h, msg)) return 0;
            break;
    }
    return onMouseMessage(h, msg, w, l);
}

// Registered messages lie in their own range; only those the program registered are its own.
bool Win32Desktop::onNamedMessage(HWND h, UINT msg) {
    if (msg < 0xC000 || msg > 0xFFFF || !registered_.count(msg)) return false;
    Window* win = find(h);
    if (!win || ended_) return false;
    win->client->onNamedMessage(msg);  // may destroy the window: nothing of it is used afterwards
    return true;
}

LRESULT Win32Desktop::onMouseMessage(HWND h, UINT msg, WPARAM w, LPARAM l) {
    MouseMessage m{};
    if (!mouseMessage(msg, m)) return DefWindowProcW(h, msg, w, l);
    onMouse(h, m.action, m.button, w, l);
    return 0;
}

void Win32Desktop::onMouse(HWND h, MouseAction action, Integer button, WPARAM w, LPARAM l) {
    Window* win = find(h);
    // While a message box is open the program waits for its answer, and for nothing else.
    if (!win || ended_ || messageBoxes_ > 0) return;
    const Integer held = heldButtons(w);
    // A press keeps the mouse until every button is up again, so drags outside still arrive.
    if (action == MouseAction::Down || action == MouseAction::DoubleClick) SetCapture(h);
    if (action == MouseAction::Up && held == 0) ReleaseCapture();
    // Signed coordinates: a captured drag may leave the window to the left or above.
    // Alt is not in the message; asking for it costs a server round trip under Wine, so it is
    // read at presses and releases, and moves carry what the last of them saw.
    if (action != MouseAction::Move) altHeld_ = GetKeyState(VK_MENU) < 0;
    const RawMouse raw{action, action == MouseAction::Move ? held : button, mouseShiftState(w, altHeld_),
                       GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    win->client->onMouse(raw);  // may destroy the window: nothing of it is used afterwards
}

void Win32Desktop::onClose(HWND h, CloseReason reason) {
    Window* win = find(h);
    if (!win || ended_) return;
    win->client->onCloseMessage(reason);  // may destroy every window: nothing of it is used afterwards
}

void Win32Desktop::onPaint(HWND h) {
    PaintGuard paint(h);
    Window* w = find(h);
    if (!w) return;
    RECT client{};
    GetClientRect(h, &client);
    paintWindow(paint.dc(), w->frame, w->client->model(), client.right, client.bottom, w->colourKey);
}

// Labels draw only their text, in their own colour: the form's pixels show through, as with
// a transparent label.
LRESULT Win32Desktop::onCtlColorStatic(HDC dc, HWND label) {
    SetBkMode(dc, TRANSPARENT);
    if (Window* w = find(GetParent(label))) {
        for (const LabelWindow& l : w->labels) {
            if (l.hwnd.get() == label) SetTextColor(dc, resolveColour(l.style.foreColour));
        }
    }
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void Win32Desktop::onTimer(UINT_PTR id) {
    // A message box's modal loop still dispatches WM_TIMER; every box ends the program, so
    // the handlers must not run behind it.
    if (ended_ || messageBoxes_ > 0) return;
    auto it = timers_.find(static_cast<TimerId>(id));
    if (it != timers_.end()) it->second->onTick();
}

}  // namespace quill::platform::win32
