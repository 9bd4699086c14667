#pragma once
// The monitors: a walk over them, what each one is, and the one nearest to a window, a point
// or a rectangle.
#include <functional>
#include <optional>

#include "platform/ports/outcome.h"
#include "platform/ports/types.h"

namespace quill::platform {

class MonitorPort {
public:
    virtual ~MonitorPort() = default;

    // Calls proc for each monitor in enumeration order until it returns 0. Failed when the
    // system could not list them (the walk then covers those it did list).
    [[nodiscard]] virtual Outcome enumDisplayMonitors(const std::function<Long(MonitorHandle)>& proc) = 0;
    // None when the system cannot describe the monitor (one that went away).
    virtual std::optional<MonitorInfo> monitorInfo(MonitorHandle m) const = 0;
    virtual MonitorHandle monitorFromWindow(WindowHandle h) const = 0;
    virtual MonitorHandle monitorFromPoint(PixelPoint p) const = 0;
    virtual MonitorHandle monitorFromRect(const PixelRect& r) const = 0;
};

}  // namespace quill::platform
