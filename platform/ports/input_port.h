#pragma once
// The system's pointer: where the cursor is, moving it, synthesised button events, the
// foreground window they go to, and the Esc key that stops a replay.
#include "platform/ports/outcome.h"
#include "platform/ports/types.h"

namespace quill::platform {

// How many synthesised events the system took in; fewer than asked means the input was
// blocked (another desktop, a window the program may not send input to).
struct InputDelivery {
    int sent = 0;
    int asked = 0;
    bool complete() const { return sent == asked; }
};

class InputPort {
public:
    virtual ~InputPort() = default;

    virtual PixelPoint cursorPos() const = 0;
    [[nodiscard]] virtual Outcome setCursorPos(Long x, Long y) = 0;
    // One synthesised button event at the cursor: flags as kLeftDownFlag and its kin; dx and dy
    // travel with it and move nothing.
    [[nodiscard]] virtual InputDelivery mouseEvent(Long flags, Long dx, Long dy) = 0;
    virtual WindowHandle foregroundWindow() const = 0;
    [[nodiscard]] virtual Outcome setForegroundWindow(WindowHandle h) = 0;
    // Whether Esc is down now or was pressed since the last call (from any program).
    virtual bool escapePressed() = 0;
};

}  // namespace quill::platform
