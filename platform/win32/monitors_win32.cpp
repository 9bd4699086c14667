// The real desktop's monitors. The heartbeat asks about them ten times a second and every
// question costs Wine three server round trips to check its display cache, while the layout
// changes only when the system says so: the answers are kept until WM_DISPLAYCHANGE or a work
// area change (window_messages_win32.cpp) forgets them.
#include <new>

#include "platform/win32/win32_desktop.h"

namespace quill::platform::win32 {

namespace {
PixelRect fromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT toRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A monitor that does not fit in memory ends the walk: the list holds those before it.
BOOL CALLBACK collectMonitor(HMONITOR m, HDC, LPRECT, LPARAM data) noexcept {
    try {
        reinterpret_cast<std::vector<MonitorHandle>*>(data)->push_back(toLong(m));
        return TRUE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
}
}  // namespace

void Win32Desktop::MonitorAnswers::forget() { *this = {}; }

Outcome Win32Desktop::enumDisplayMonitors(const std::function<Long(MonitorHandle)>& proc) {
    if (!monitors_.handles) {
        std::vector<MonitorHandle> handles;
        const BOOL listed = EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&handles));
        monitors_.listed = outcomeOf(listed);
        monitors_.handles = std::move(handles);
    }
    // A copy: the callback may ask other questions that fill the answers.
    const std::vector<MonitorHandle> handles = *monitors_.handles;
    for (MonitorHandle m : handles) {
        if (proc(m) == 0) break;
    }
    return monitors_.listed;
}

std::optional<MonitorInfo> Win32Desktop::monitorInfo(MonitorHandle m) const {
    auto it = monitors_.infos.find(m);
    if (it != monitors_.infos.end()) return it->second;
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoW(toHmonitor(m), &mi)) return std::nullopt;  // asked again next time
    return monitors_.infos[m] = {m, fromRect(mi.rcMonitor), fromRect(mi.rcWork), static_cast<Long>(mi.dwFlags)};
}

// The nearest monitor of a window is that of its rectangle.
MonitorHandle Win32Desktop::monitorFromWindow(WindowHandle h) const {
    return monitors_.byWindow({h, rectKey(windowRect(h))},
                              [h] { return toLong(MonitorFromWindow(toHwnd(h), MONITOR_DEFAULTTONEAREST)); });
}

MonitorHandle Win32Desktop::monitorFromPoint(PixelPoint p) const {
    return monitors_.byPoint({p.x, p.y}, [p] {
        return toLong(MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST));
    });
}

MonitorHandle Win32Desktop::monitorFromRect(const PixelRect& r) const {
    return monitors_.byRect(rectKey(r), [r] {
        const RECT rect = toRect(r);
        return toLong(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
    });
}

std::array<Long, 4> Win32Desktop::rectKey(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace quill::platform::win32
