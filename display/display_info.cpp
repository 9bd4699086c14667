#include "display/display_info.h"

#include "common/checked_int.h"

namespace quill::display {

namespace {
constexpr const char* kCrLf = "\r\n";

std::string num(Long v) { return std::to_string(v); }
}  // namespace

RunError DisplayInfo::GetDisplayInfo(platform::WindowHandle form1, std::string* report) {
    MonitorReport.clear();
    error_ = RunError::None;
    // A list the system could not finish is walked as far as it goes, as the system's own
    // walk would be.
    (void)monitors_.enumDisplayMonitors([&](platform::MonitorHandle h) { return MonitorEnumProc(h, form1); });
    if (report) *report = MonitorReport;
    return error_;
}

Long DisplayInfo::MonitorEnumProc(platform::MonitorHandle h, platform::WindowHandle form1) {
    if (error_ != RunError::None) return 0;  // a failed step ends the walk
    MonitorReport += "Monitor handle: " + num(h) + kCrLf;
    // A monitor that went away mid-walk reads as zeros, as a failed GetMonitorInfo leaves them.
    const platform::MonitorInfo info = monitors_.monitorInfo(h).value_or(platform::MonitorInfo{h, {}, {}, 0});
    const platform::PixelRect& m = info.monitor;
    const auto width = checkedSub(m.right, m.left), height = checkedSub(m.bottom, m.top);
    if (!width || !height) {
        error_ = RunError::Overflow;
        return 0;
    }
    MonitorReport += "Monitor Start Left/Start Top: " + num(m.left) + "/" + num(m.top) + kCrLf;
    MonitorReport += "Monitor Width/Height: " + num(*width) + "x" + num(*height) + kCrLf;
    MonitorReport += std::string("Primary monitor: ") + (info.flags == 1 ? "True" : "False") + kCrLf;
    if (monitors_.monitorFromWindow(form1) == h) MonitorReport += std::string("Form1 is located on this monitor") + kCrLf;
    if (monitors_.monitorFromPoint({0, 0}) == h) {
        MonitorReport += std::string("The point (0, 0) lies wihthin the range of this monitor...") + kCrLf;
    }
    if (monitors_.monitorFromRect(windows_.windowRect(form1)) == h) {
        MonitorReport += std::string("The rectangle of Form1 lies within this monitor") + kCrLf;
        MonWidth = *width;
        MonHeight = *height;
        MonLeft = m.left;
        MonTop = m.top;
    }
    return 1;
}

}  // namespace quill::display
