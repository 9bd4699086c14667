#pragma once
// The plain values that cross the platform layer: handles, pixel geometry, monitors and the
// arguments of mouse events.
#include <cstdint>

#include "common/rounding.h"
#include "common/twips.h"

namespace quill::platform {

// Handles are Longs, as the program stores and compares them; 0 is no window.
using WindowHandle = Long;
using MonitorHandle = Long;
using TimerId = int;
// A window message registered by name with the system (0: the system refused the name).
using MessageId = unsigned;

struct PixelPoint {
    Long x = 0;
    Long y = 0;
    bool operator==(const PixelPoint& o) const { return x == o.x && y == o.y; }
};

// Right and bottom are exclusive, as in a Windows rectangle.
struct PixelRect {
    Long left = 0;
    Long top = 0;
    Long right = 0;
    Long bottom = 0;
    Long width() const { return right - left; }
    Long height() const { return bottom - top; }
    bool operator==(const PixelRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// What GetMonitorInfo reports: the whole monitor, its work area and its flags.
struct MonitorInfo {
    MonitorHandle handle = 0;
    PixelRect monitor;
    PixelRect work;
    Long flags = 0;  // 1 marks the primary monitor
};

// Button values of mouse events: in a down or up event the one button that changed, in a
// move event the sum of the buttons held.
enum : Integer { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// Arguments of a mouse event as handlers see them: twips, relative to the control.
struct MouseArgs {
    Integer button = 0;
    Integer shift = 0;
    Single x = 0;
    Single y = 0;
};

// What a window receives from the backend, before it is routed to a control.
enum class MouseAction { Down, Move, Up, DoubleClick };
struct RawMouse {
    MouseAction action = MouseAction::Move;
    Integer button = 0;  // as in MouseArgs
    Integer shift = 0;
    Long x = 0;          // client pixels
    Long y = 0;
};

// Flags of a synthesised button event, a pair per button: each up flag is its down flag
// shifted left by one.
enum : Long {
    kLeftDownFlag = 0x0002, kLeftUpFlag = 0x0004,
    kRightDownFlag = 0x0008, kRightUpFlag = 0x0010,
    kMiddleDownFlag = 0x0020, kMiddleUpFlag = 0x0040,
};
constexpr Long kButtonDownFlags = kLeftDownFlag | kRightDownFlag | kMiddleDownFlag;

// Why a window is asked to close: another program (or Alt+F4) asked it, or the session ends.
enum class CloseReason { Request, SessionEnd };

// The mouse cursor a window shows over a point of its client area.
enum class CursorShape { Default, Hand };

// How a label draws its text: colour, weight, underline and alignment, in the form's font.
struct LabelStyle {
    std::uint32_t foreColour = 0x80000012u;  // the system's button text
    bool bold = false;
    bool underline = false;
    bool centred = false;
    bool operator==(const LabelStyle& o) const {
        return foreColour == o.foreColour && bold == o.bold && underline == o.underline && centred == o.centred;
    }
};

// The shell's mouse messages over the notification icon: they arrive as the x of a move.
enum : Long { kTrayMouseMove = 0x200, kTrayLeftDown = 0x201, kTrayLeftUp = 0x202, kTrayRightUp = 0x205 };

}  // namespace quill::platform
