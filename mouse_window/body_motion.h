#pragma once
// The body's motion, with one owner: the drag anchor, the aim (the body's centre and angle,
// its pointer tip and where its switch goes), the flick and the glide. The body's own mouse
// handlers, the on-screen button and the heartbeat move the body only through the operations
// here; everything else reads the motion's state.
#include <functional>

#include "common/rounding.h"
#include "common/run_error.h"
#include "common/twips.h"
#include "display/display_info.h"
#include "forms/views.h"
#include "mouse_window/aim.h"
#include "mouse_window/glide.h"
#include "platform/ports/event_loop_port.h"

namespace quill::mouse_window {

// A variant number as the drag anchor uses it: single-precision twips from a press, or a
// Long cursor pixel parked there before a replay. Arithmetic follows the tag.
struct VariantNumber {
    enum class Kind { Empty, Single, Long };
    Kind kind = Kind::Empty;
    double value = 0;
    static VariantNumber single(Single v) { return {Kind::Single, v}; }
    static VariantNumber longValue(Long v) { return {Kind::Long, static_cast<double>(v)}; }
};

struct MotionState {
    // The drag anchor: where the press took hold of the body or its button.
    VariantNumber GrabX, GrabY;
    // The aim, in twips: the switch trails 1000 behind the centre, the tip points 900 ahead.
    double SwitchX = 0, SwitchY = 0;
    double LastCenterX = 0, LastCenterY = 0;  // before the latest drag step
    double CenterX = 0, CenterY = 0;
    Long PointerX = 0, PointerY = 0;
    Integer BodyAngle = 0;
    // The flick and the glide: the latest step, when it was taken, and the ticks left to glide.
    double ThrowDX = 0, ThrowDY = 0;
    Long LastMoveTime = 0;  // whole milliseconds since midnight
    Integer ThrowTicks = 0;
    bool Throwing = false;
};

class BodyMotion {
public:
    // body: Form1, which the motion moves; display: finds the monitor that holds it; clock: the
    // time of each drag step; moved: what follows every move (the mouse window's UpdateMouse).
    BodyMotion(forms::Form1View& body, display::DisplayInfo& display, platform::EventLoopPort& clock,
               std::function<void()> moved);

    const MotionState& state() const { return state_; }

    // ---- dragging ----
    // A left press on the body or on its button, in twips of the control pressed.
    void startDrag(Single x, Single y);
    // Before a replay the anchor is the cursor's pixel, so a move the replay makes through the
    // button drags from there.
    void anchorAtCursor(platform::PixelPoint cursor);
    // One drag step: move by (X - GrabX, Y - GrabY), remember the step and its time, then moved.
    RunError step(const platform::MouseArgs& a);
    // The release flicks when it follows a step quickly: the body's own release with 5000 / dt
    // ticks, the button's with 1000 / dt.
    void releaseBody();
    void releaseButton();

    // ---- the heartbeat ----
    // A gliding body moves by its step, bounces off the edges of its monitor, slows, then moved.
    RunError glideOneTick();
    // A body beyond an edge of its monitor is pushed back towards it (then moved); pushed says so.
    RunError pushBackOnScreen(bool& pushed);
    // One tick of the glide's countdown; a glide that ends clears the step and Throwing.
    GlideCount countDown();

    // ---- the aim ----
    // The centre from the window, then the tip, the switch and the angle from it; gives the
    // status lamp's place for a lamp of the size.
    Aim aim(Single ledWidth, Single ledHeight);
    // The centre from the window, as start-up finds it.
    void recentre();
    // The angle a replayed record was taken at, or the angle the control reduced it to.
    void turnTo(Integer angle) { state_.BodyAngle = angle; }

    // Tests arrange a glide or a tip here; the program changes the motion only through the
    // operations above.
    MotionState& stateForTests() { return state_; }

private:
    Long clockMs() const;
    RunError moveBy(double dx, double dy);
    RunError bodysMonitor(MonitorBox& out);
    BodyBox bodyBox() const;

    forms::Form1View& body_;
    display::DisplayInfo& display_;
    platform::EventLoopPort& clock_;
    std::function<void()> moved_;
    MotionState state_;
};

}  // namespace quill::mouse_window
