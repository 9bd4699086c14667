#include "compositor/com/control_window.h"

#include <windowsx.h>

#include "common/win32/mouse_keys.h"
#include "compositor/com/module.h"
#include "compositor/com/outcome.h"

namespace lumo::com {
namespace {

constexpr const wchar_t* kWindowClass = L"LumoCTRLWindow";

using MouseKind = ControlWindowSink::MouseKind;
using KeyKind = ControlWindowSink::KeyKind;

bool registerClassOnce(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kWindowClass, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc) != 0;
}

short shiftState() {
    short s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= 1;
    if (GetKeyState(VK_CONTROL) < 0) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

}  // namespace

using quill::win32::heldButtons;

void unregisterControlWindowClass(HINSTANCE instance) { UnregisterClassW(kWindowClass, instance); }

HRESULT ControlWindow::create(HWND parent, const RECT& r, bool enabled) {
    HINSTANCE instance = moduleInstance();
    if (!registerClassOnce(instance, &ControlWindow::proc)) return HRESULT_FROM_WIN32(GetLastError());
    HWND w = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, parent, nullptr, instance, this);
    if (!w) return HRESULT_FROM_WIN32(GetLastError());
    hwnd_.reset(w);
    EnableWindow(w, enabled);
    ShowWindow(w, SW_SHOWNA);
    return S_OK;
}

void ControlWindow::place(const RECT& r) {
    if (hwnd_) MoveWindow(hwnd_.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void ControlWindow::enable(bool on) {
    if (hwnd_) EnableWindow(hwnd_.get(), on);
}

// A window that lies wholly outside its parent's client area shows nothing, and the system
// paints it anyway when it comes into view; asking to repaint it costs a round trip each draw.
bool ControlWindow::inView() const {
    HWND parent = GetParent(hwnd_.get());
    if (!parent) return true;
    RECT mine{}, client{}, both{};
    GetWindowRect(hwnd_.get(), &mine);
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return IntersectRect(&both, &mine, &client) != FALSE;
}

void ControlWindow::invalidate() {
    if (hwnd_ && inView()) InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

void ControlWindow::repaint() {
    if (!hwnd_ || !inView()) return;
    InvalidateRect(hwnd_.get(), nullptr, FALSE);
    UpdateWindow(hwnd_.get());
}

LRESULT CALLBACK ControlWindow::proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        // The parent may destroy the window first: forget it so nothing closes it twice.
        SetWindowLongPtrW(w, GWLP_USERDATA, 0);
        if (self && self->hwnd_.get() == w) self->hwnd_.release();
        self = nullptr;
    }
    if (!self) return DefWindowProcW(w, msg, wp, lp);
    // No exception unwinds through the host's message loop.
    try {
        return self->handle(w, msg, wp, lp);
    } catch (...) {
        reportEscapedException();
        return DefWindowProcW(w, msg, wp, lp);
    }
}

LRESULT ControlWindow::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: paint(w); return 0;
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel
        case WM_SIZE: sink_.onResize(LOWORD(lp), HIWORD(lp)); return 0;
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: mouse(w, MouseKind::Down, 1, wp, lp); return 0;
        case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: mouse(w, MouseKind::Down, 2, wp, lp); return 0;
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: mouse(w, MouseKind::Down, 4, wp, lp); return 0;
        case WM_LBUTTONUP: mouse(w, MouseKind::Up, 1, wp, lp); return 0;
        case WM_RBUTTONUP: mouse(w, MouseKind::Up, 2, wp, lp); return 0;
        case WM_MBUTTONUP: mouse(w, MouseKind::Up, 4, wp, lp); return 0;
        case WM_MOUSEMOVE: mouse(w, MouseKind::Move, heldButtons(wp), wp, lp); return 0;
        case WM_KEYDOWN: sink_.onKey(KeyKind::Down, short(wp), shiftState()); return 0;
        case WM_KEYUP: sink_.onKey(KeyKind::Up, short(wp), shiftState()); return 0;
        case WM_CHAR: sink_.onKeyPress(short(wp)); return 0;
        case WM_SYSKEYDOWN: sink_.onKey(KeyKind::Down, short(wp), shiftState()); break;
        case WM_SYSKEYUP: sink_.onKey(KeyKind::Up, short(wp), shiftState()); break;
        default: break;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

void ControlWindow::mouse(HWND w, MouseKind kind, short button, WPARAM wp, LPARAM lp) {
    // Like a user control: the window keeps the mouse while a button is held, so the up
    // arrives even outside it. Focus is taken only when that activates nothing, since hosts
    // may keep their windows inactive on purpose.
    if (kind == MouseKind::Down) {
        SetCapture(w);
        if (GetActiveWindow() == GetAncestor(w, GA_ROOT)) SetFocus(w);
    }
    const short shift = quill::win32::mouseShiftState(wp, GetKeyState(VK_MENU) < 0);
    const float x = float(GET_X_LPARAM(lp)), y = float(GET_Y_LPARAM(lp));
    if (kind == MouseKind::Up && heldButtons(wp) == 0 && GetCapture() == w) ReleaseCapture();
    sink_.onMouse(kind, button, shift, x, y);
}

void ControlWindow::paint(HWND w) {
    quill::win32::PaintGuard guard(w);
    sink_.onPaint(guard.dc(), guard.area());
}

}  // namespace lumo::com
