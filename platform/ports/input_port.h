#pragma once
// The system's pointer: where the cursor is, moving it, synthesised button events, the
// foreground window they go to, and the Esc key that stops a replay. Also what decides whether
// synthesised input can arrive at all: the pointer's settings, the window under a point, the
// state of the target window, and the session the input goes to.
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

// The user's pointer settings as the system applies them to input. With the buttons swapped
// (for a left-handed user) a synthesised left-button flag arrives as the right button.
struct PointerSettings {
    bool buttonsSwapped = false;
    // Two presses of one button within this time and this rectangle (centred on the first
    // press, in pixels) make a double click.
    Long doubleClickMs = 500;
    Long doubleClickWidth = 4;
    Long doubleClickHeight = 4;
};

// Whether synthesised input reaches the window under a point. The system silently drops it
// for a window whose process runs at a higher integrity level than the program (an elevated
// program); Unknown where the levels cannot be read.
enum class Reach { Reachable, AboveUs, Unknown };

// What became of the session the input goes to: Interrupted when it is locked, switched to
// another user, disconnected, when the machine suspends or the display changes; Back when the
// user can work in it again.
enum class SessionChange { Interrupted, Back };

class SessionListener {
public:
    virtual ~SessionListener() = default;
    virtual void onSessionChange(SessionChange change) = 0;
};

class InputPort {
public:
    virtual ~InputPort() = default;

    virtual PixelPoint cursorPos() const = 0;
    [[nodiscard]] virtual Outcome setCursorPos(Long x, Long y) = 0;
    // One synthesised button event at the cursor: flags as kLeftDownFlag and its kin, which
    // name the physical buttons; dx and dy travel with it and move nothing.
    [[nodiscard]] virtual InputDelivery mouseEvent(Long flags, Long dx, Long dy) = 0;
    virtual WindowHandle foregroundWindow() const = 0;
    [[nodiscard]] virtual Outcome setForegroundWindow(WindowHandle h) = 0;
    // Whether Esc is down now or was pressed since the last call (from any program).
    virtual bool escapePressed() = 0;

    virtual PointerSettings pointerSettings() const = 0;
    virtual Reach reachAt(PixelPoint p) const = 0;
    // Whether the window can still take the input meant for it: it exists, is visible and is
    // not minimised.
    virtual bool windowShowing(WindowHandle h) const = 0;
    // Who hears of session changes (none: nobody); the listener outlives its registration.
    // Failed when the system would not tell of locks and switches of user (power and display
    // changes still come).
    [[nodiscard]] virtual Outcome setSessionListener(SessionListener* listener) = 0;
};

}  // namespace quill::platform
