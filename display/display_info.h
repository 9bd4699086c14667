#pragma once
// Finds the monitor that holds the mouse window and keeps its rectangle; builds a report of
// every monitor on the way.
#include <string>

#include "common/rounding.h"
#include "common/run_error.h"
#include "platform/ports/desktop.h"

namespace quill::display {

class DisplayInfo {
public:
    DisplayInfo(platform::MonitorPort& monitors, const platform::WindowPort& windows)
        : monitors_(monitors), windows_(windows) {}
    // Takes the two ports it uses from the desktop.
    explicit DisplayInfo(platform::Desktop& d) : DisplayInfo(d.monitors(), d.windows()) {}

    // Walks the monitors and returns the report; afterwards the Mon* values describe the
    // monitor nearest to the window's rectangle. Overflow of a width or height is an error.
    RunError GetDisplayInfo(platform::WindowHandle form1, std::string* report = nullptr);

    Long MonHeight = 0;
    Long MonWidth = 0;
    Long MonLeft = 0;
    Long MonTop = 0;
    std::string MonitorReport;

private:
    Long MonitorEnumProc(platform::MonitorHandle h, platform::WindowHandle form1);

    platform::MonitorPort& monitors_;
    const platform::WindowPort& windows_;
    RunError error_ = RunError::None;
};

}  // namespace quill::display
