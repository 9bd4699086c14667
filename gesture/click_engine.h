#pragma once
// The click engine: the on-screen button and its recorder, the tick counter and its wait, the
// heartbeat that ends recordings and paces the body's glide, and the replay. The body moves
// only through its motion's operations (mouse_window/body_motion.h).
#include <vector>

#include "common/run_error.h"
#include "forms/views.h"
#include "gesture/gesture_state.h"
#include "mouse_window/mouse_window.h"

namespace quill::gesture {

constexpr Long kQuietTicks = 20;        // a recording ends after more than this many idle ticks
constexpr Integer kReplayLeadTicks = 5; // between putting the cursor on the first point and starting
constexpr double kReplaySlowdown = 3;   // a record plays at three times its recorded tick
// Ticks the program's windows keep letting the mouse through after the last synthesised event,
// so that the target has taken it from its queue before our windows could catch it.
constexpr Long kDeliveryTicks = 10;
constexpr Colour kLedRecording = 0x0000FF;
constexpr Colour kLedReplaying = 0x00FF00;
constexpr Colour kLedIdle = 0xFFFFFF;

// The release code for a button (1, 2 or 4); any other value keeps the given code.
Long releaseCodeFor(Integer button, Long keep);

// The synthesised button flags for a record's code; 0 when it only moves the cursor.
Long flagsForCode(Long code);

// The program's windows besides the body that never become the replay's target, while loaded.
struct OwnWindows {
    const platform::Form& frmAbout;
    const platform::Form& menuForm;
};

// The ports the click engine uses: the pointer it replays with, the pass-through and topmost
// styles, and the pump, clock and end of the program its waits go by.
struct ClickEnginePorts {
    platform::InputPort& input;
    platform::StylingPort& styling;
    platform::EventLoopPort& loop;
};

// How a wait ended: the count was reached, the program is going away, or Esc stopped the replay.
enum class Wait { Done, ProgramEnding, Stopped };

class ClickEngine : public mouse_window::StepRecorder {
public:
    ClickEngine(mouse_window::MouseWindow& mouse, forms::FrmPointView& frmPoint, OwnWindows own,
                ClickEnginePorts ports);

    RunError btnLDown_MouseDown(const platform::MouseArgs& a);
    RunError btnLDown_MouseMove(const platform::MouseArgs& a);
    RunError btnLDown_MouseUp(const platform::MouseArgs& a);
    RunError btnLDown_DblClick();
    RunError RecordStep() override;
    void DiscardGesture() override;

    RunError uWaitObj_Timer();
    Wait WaitTicks(double n);

    RunError Timer1_Timer();
    RunError PlayGesture();

    bool replaying() const { return replaying_; }
    // The gesture and its counter, which only the engine changes: tests read it, and those that
    // replay a gesture of their own put it here.
    GestureState& state() { return state_; }
    const GestureState& state() const { return state_; }

private:
    mouse_window::BodyMotion& motion() { return mouse_.motion(); }
    forms::Form1View& form1() { return mouse_.view(); }
    bool isOwnWindow(platform::WindowHandle h);
    // The program is going away: the mouse window was unloaded, or the platform ended it.
    bool ending() const;
    // Pump, then sleep until the next event, until the counter passes the target; during a
    // replay Esc ends the wait too, unless told otherwise.
    enum class EscapeStops { Yes, No };
    Wait waitForCount(double target, EscapeStops escape = EscapeStops::Yes);

    void startGesture();
    RunError endRecording();
    RunError glideTick();
    RunError keepOnScreen(bool& pushed);
    RunError countDownGlide();
    // The replay's steps.
    RunError replayRecords(const std::vector<RecEvent>& records, Long n, Long total);
    RunError replayRecord(const RecEvent& r, Long total);
    platform::InputDelivery synthesise(Long flags, Long x, Long y);
    void releaseHeldButtons();
    void letSynthesisedInputArrive();

    mouse_window::MouseWindow& mouse_;
    forms::FrmPointView& frmPoint_;
    OwnWindows own_;
    ClickEnginePorts ports_;
    GestureState state_;
    bool replaying_ = false;
    Long heldButtons_ = 0;  // down flags the replay synthesised and has not released yet
};

}  // namespace quill::gesture
