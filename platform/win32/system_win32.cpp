// The real desktop's timers, clock, cursor, foreground window and keys.
#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

TimerId Win32Desktop::createTimer(TimerClient& client) {
    const TimerId id = nextTimer_++;
    timers_[id] = &client;
    return id;
}

void Win32Desktop::setTimer(TimerId id, Long intervalMs, bool enabled) {
    // Setting an existing timer again restarts its period.
    if (enabled) {
        SetTimer(timerWindow_.get(), static_cast<UINT_PTR>(id), static_cast<UINT>(intervalMs), nullptr);
    } else {
        KillTimer(timerWindow_.get(), static_cast<UINT_PTR>(id));
    }
}

void Win32Desktop::destroyTimer(TimerId id) {
    KillTimer(timerWindow_.get(), static_cast<UINT_PTR>(id));
    timers_.erase(id);
}

Single Win32Desktop::secondsSinceMidnight() const {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    const double s = t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
    return static_cast<Single>(s);
}

PixelPoint Win32Desktop::cursorPos() const {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void Win32Desktop::setCursorPos(Long x, Long y) { SetCursorPos(x, y); }

void Win32Desktop::mouseEvent(Long flags, Long dx, Long dy, Long data, Long extraInfo) {
    mouse_event(static_cast<DWORD>(flags), static_cast<DWORD>(dx), static_cast<DWORD>(dy),
                static_cast<DWORD>(data), static_cast<ULONG_PTR>(static_cast<std::intptr_t>(extraInfo)));
}

WindowHandle Win32Desktop::foregroundWindow() const { return toLong(GetForegroundWindow()); }

void Win32Desktop::setForegroundWindow(WindowHandle h) { SetForegroundWindow(toHwnd(h)); }

// The key's state is read from the system, so Esc counts whichever window has the focus.
bool Win32Desktop::escapePressed() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0; }

}  // namespace quill::platform::win32
