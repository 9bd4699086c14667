#pragma once
// One desktop's ports, for the code that wires the program together: it hands each class the
// ports that class uses. Each backend (headless/, win32/) implements every port.
#include "platform/ports/event_loop_port.h"
#include "platform/ports/file_port.h"
#include "platform/ports/input_port.h"
#include "platform/ports/message_box_port.h"
#include "platform/ports/monitor_port.h"
#include "platform/ports/styling_port.h"
#include "platform/ports/tray_port.h"
#include "platform/ports/window_port.h"

namespace quill::platform {

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual WindowPort& windows() = 0;
    virtual StylingPort& styling() = 0;
    virtual EventLoopPort& loop() = 0;
    virtual InputPort& input() = 0;
    virtual MonitorPort& monitors() = 0;
    virtual TrayPort& tray() = 0;
    virtual MessageBoxPort& alerts() = 0;
    virtual FilePort& files() = 0;
};

// A backend that is every port itself, as both backends are.
class AllPortsDesktop : public Desktop,
                        public WindowPort,
                        public StylingPort,
                        public EventLoopPort,
                        public InputPort,
                        public MonitorPort,
                        public TrayPort,
                        public MessageBoxPort,
                        public FilePort {
public:
    WindowPort& windows() final { return *this; }
    StylingPort& styling() final { return *this; }
    EventLoopPort& loop() final { return *this; }
    InputPort& input() final { return *this; }
    MonitorPort& monitors() final { return *this; }
    TrayPort& tray() final { return *this; }
    MessageBoxPort& alerts() final { return *this; }
    FilePort& files() final { return *this; }
};

}  // namespace quill::platform
