// The real desktop's timers, clock, cursor, foreground window and keys.
#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

TimerId Win32Desktop::createTimer(TimerClient& client) {
    const TimerId id = nextTimer_++;
    timers_[id] = &client;
    return id;
}

Outcome Win32Desktop::setTimer(TimerId id, Long intervalMs, bool enabled) {
    // Setting an existing timer again restarts its period. Stopping one that is not running is
    // no failure: it is stopped.
    const auto timer = static_cast<UINT_PTR>(id);
    if (!enabled) {
        KillTimer(timerWindow_.get(), timer);
        return Outcome::Done;
    }
    return outcomeOf(SetTimer(timerWindow_.get(), timer, static_cast<UINT>(intervalMs), nullptr) != 0);
}

Outcome Win32Desktop::destroyTimer(TimerId id) {
    KillTimer(timerWindow_.get(), static_cast<UINT_PTR>(id));  // a timer that was not running is gone too
    return outcomeOf(timers_.erase(id) == 1);
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

Outcome Win32Desktop::setCursorPos(Long x, Long y) { return outcomeOf(SetCursorPos(x, y)); }

// What mouse_event does, through SendInput, which says whether the event went in.
InputDelivery Win32Desktop::mouseEvent(Long flags, Long dx, Long dy) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.dwFlags = static_cast<DWORD>(flags);
    return {static_cast<int>(SendInput(1, &in, sizeof in)), 1};
}

WindowHandle Win32Desktop::foregroundWindow() const { return toLong(GetForegroundWindow()); }

Outcome Win32Desktop::setForegroundWindow(WindowHandle h) { return outcomeOf(SetForegroundWindow(toHwnd(h))); }

// The key's state is read from the system, so Esc counts whichever window has the focus.
bool Win32Desktop::escapePressed() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0; }

}  // namespace quill::platform::win32
