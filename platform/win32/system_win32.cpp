// The real desktop's timers, clock, cursor, foreground window and monitors.
#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

namespace {
PixelRect fromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT toRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

struct EnumState {
    const std::function<Long(MonitorHandle)>* proc;
};

BOOL CALLBACK enumMonitor(HMONITOR m, HDC, LPRECT, LPARAM data) {
    const auto* state = reinterpret_cast<EnumState*>(data);
    return (*state->proc)(toLong(m)) != 0 ? TRUE : FALSE;
}
}  // namespace

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

void Win32Desktop::enumDisplayMonitors(const std::function<Long(MonitorHandle)>& proc) {
    EnumState state{&proc};
    EnumDisplayMonitors(nullptr, nullptr, enumMonitor, reinterpret_cast<LPARAM>(&state));
}

MonitorInfo Win32Desktop::monitorInfo(MonitorHandle m) const {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(toHmonitor(m), &mi);
    return {m, fromRect(mi.rcMonitor), fromRect(mi.rcWork), static_cast<Long>(mi.dwFlags)};
}

MonitorHandle Win32Desktop::monitorFromWindow(WindowHandle h) const {
    return toLong(MonitorFromWindow(toHwnd(h), MONITOR_DEFAULTTONEAREST));
}

MonitorHandle Win32Desktop::monitorFromPoint(PixelPoint p) const {
    return toLong(MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST));
}

MonitorHandle Win32Desktop::monitorFromRect(const PixelRect& r) const {
    const RECT rect = toRect(r);
    return toLong(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

}  // namespace quill::platform::win32
