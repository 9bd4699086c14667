#pragma once
// The click engine: the on-screen button and its recorder, the tick counter and its wait, the
// heartbeat that ends recordings and paces the body's glide, and the replay. The body moves
// only through its motion's operations (mouse_window/body_motion.h).
#include <optional>
#include <vector>

#include "common/run_error.h"
#include "forms/views.h"
#include "gesture/gesture_state.h"
#include "gesture/replay_plan.h"
#include "mouse_window/mouse_window.h"

namespace quill::gesture {

constexpr Long kQuietTicks = 20;        // a recording ends after more than this many idle ticks
constexpr Integer kReplayLeadTicks = 5; // between putting the cursor on the first point and starting
// Ticks the program's windows keep letting the mouse through after the last synthesised event,
// so that the target has taken it from its queue before our windows could catch it.
constexpr Long kDeliveryTicks = 10;
constexpr Colour kLedRecording = 0x0000FF;
constexpr Colour kLedReplaying = 0x00FF00;
constexpr Colour kLedIdle = 0xFFFFFF;

// The pointer moved further than this from where the replay put it: the user took the mouse back.
constexpr Long kTakeOverPx = 4;
// What the icon's balloon says when the window under the tip runs elevated.
constexpr const char* kTargetAboveUsText = "管理者として実行中のウィンドウには再生できません";

// The release code for a button (1, 2 or 4); any other value keeps the given code.
Long releaseCodeFor(Integer button, Long keep);

// The program's windows besides the body that never become the replay's target, while loaded;
// the icon's owner also tells the user why a replay could not go on.
struct OwnWindows {
    const platform::Form& frmAbout;
    const forms::MenuFormView& menuForm;
};

// The ports the click engine uses: the pointer it replays with, the pass-through and topmost
// styles, the pump, clock and end of the program its waits go by, and the icon's balloon.
struct ClickEnginePorts {
    platform::InputPort& input;
    platform::StylingPort& styling;
    platform::EventLoopPort& loop;
    platform::TrayPort& tray;
};

// How a wait ended: the count was reached, the program is going away, or the replay was stopped.
enum class Wait { Done, ProgramEnding, Stopped };

// So many milliseconds of the clock after a moment (midnight may lie between).
struct ClockDeadline {
    Long fromMs = 0;
    Long afterMs = 0;
};

class ClickEngine : public mouse_window::StepRecorder, private platform::SessionListener {
public:
    ClickEngine(mouse_window::MouseWindow& mouse, forms::FrmPointView& frmPoint, OwnWindows own,
                ClickEnginePorts ports);
    ~ClickEngine() override;
    ClickEngine(const ClickEngine&) = delete;
    ClickEngine& operator=(const ClickEngine&) = delete;

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
    // Stops a running replay as Esc does: every button it holds is released, the lamp turns
    // white and the switch off; the replay ends at its next step. Nothing when none runs.
    void stopReplay();

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
    // Pump, then sleep until the next event, until the counter passes the target or the clock
    // the deadline; during a replay a stop ends the wait too (Esc, the user's own move), unless
    // told otherwise.
    enum class StopsReplay { Yes, No };
    Wait waitForCount(double target, StopsReplay stops = StopsReplay::Yes,
                      std::optional<ClockDeadline> deadline = std::nullopt);
    bool passed(const ClockDeadline& d) const;

    void startGesture();
    RunError endRecording();
    RunError glideTick();
    RunError keepOnScreen(bool& pushed);
    RunError countDownGlide();
    // The replay's steps.
    RunError replayRecords(const std::vector<RecEvent>& records, Long n, Long total);
    RunError replayRecord(const RecEvent& r, Long total);
    void moveCursor(Long x, Long y);
    void pressOrRelease(const RecEvent& r);
    std::optional<ClockDeadline> deadlineFor(const ReplayStep& step) const;
    void letSynthesisedInputArrive();
    void showReplayOver();
    // What stops a replay (replay_stops.cpp).
    bool replayInterrupted();
    bool userTookOver() const;
    bool targetGone() const;
    bool reachable(const RecEvent& r);
    void onSessionChange(platform::SessionChange change) override;
    // Synthesised buttons: only an event that went in presses or releases one; a release the
    // system refused is sent again when the session is back.
    platform::InputDelivery synthesise(Long flags, Long x, Long y);
    void releaseHeldButtons();
    void sendRefusedReleases();

    mouse_window::MouseWindow& mouse_;
    forms::FrmPointView& frmPoint_;
    OwnWindows own_;
    ClickEnginePorts ports_;
    GestureState state_;
    bool replaying_ = false;
    // What the running replay knows besides its records.
    struct ReplayRun {
        platform::PointerSettings pointer;               // read as it starts
        std::optional<platform::PixelPoint> cursorSet;   // where it last put the cursor
        std::size_t lastPress = 0;                       // the record of its last press, sent
        Long lastPressMs = 0;                            // when, by the clock
        bool stopped = false;
        bool over = false;  // the lamp is white and the switch off
    };
    ReplayRun run_;
    Long heldButtons_ = 0;      // down flags the replay synthesised and has not released yet
    Long refusedReleases_ = 0;  // up flags the system refused, to send when the session is back
};

}  // namespace quill::gesture
