#pragma once
// Finds the monitor that holds the mouse window and keeps its rectangle; builds a report of
// every monitor on the way.
#include <string>

#include "common/rounding.h"
#include "common/run_error.h"
#include "platform/desktop.h"

namespace quill::display {

class DisplayInfo {
public:
    explicit DisplayInfo(platform::Desktop& desktop) : desktop_(desktop) {}

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

    platform::Desktop& desktop_;
    RunError error_ = RunError::None;
};

}  // namespace quill::display
