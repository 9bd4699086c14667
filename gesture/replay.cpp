// PlayGesture: performs a recorded gesture with the real cursor at one third of its recorded
// speed while the on-screen mouse re-enacts it.
#include "common/twips.h"
#include "gesture/click_engine.h"

namespace quill::gesture {

namespace {
// Marks the replay as running for as long as it is on the stack.
class ReplayScope {
public:
    explicit ReplayScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~ReplayScope() { flag_ = false; }
    ReplayScope(const ReplayScope&) = delete;
    ReplayScope& operator=(const ReplayScope&) = delete;

private:
    bool& flag_;
};

// The program's windows let the mouse through for as long as this is on the stack. A window
// the system would not change may catch a replayed click; the replay goes on regardless.
class InputPassThrough {
public:
    explicit InputPassThrough(platform::StylingPort& s) : styling_(s) { (void)styling_.setInputPassThrough(true); }
    ~InputPassThrough() { (void)styling_.setInputPassThrough(false); }
    InputPassThrough(const InputPassThrough&) = delete;
    InputPassThrough& operator=(const InputPassThrough&) = delete;

private:
    platform::StylingPort& styling_;
};
}  // namespace

RunError ClickEngine::PlayGesture() {
    ReplayScope scope(replaying_);
    // The user's settings as they are now: they may have changed since the recording.
    run_ = ReplayRun{};
    run_.pointer = ports_.input.pointerSettings();
    // Work on a copy: input during the waits may discard or restart the buffer.
    const std::vector<RecEvent> records = state_.RecBuf;
    const Long total = state_.RecCount;
    const Long n = std::min<Long>(total, static_cast<Long>(records.size()) - 1);

    sendRefusedReleases();  // the system still holds a button an earlier replay could not release
    mouse_.setLedColour(kLedReplaying);
    (void)ports_.input.escapePressed();  // an Esc typed before the replay began does not stop it
    RunError e = RunError::None;
    {
        InputPassThrough passThrough(ports_.styling);
        // The window under the first press is asked with our windows letting the mouse through.
        if (n < 1 || reachable(records[1])) {
            // A target that cannot come forward (refused by the system) leaves the replay to go
            // into whatever is in front, as the user would see it.
            (void)ports_.input.setForegroundWindow(state_.TargetHwnd);
            if (n >= 1) moveCursor(records[1].X, records[1].Y);
            e = replayRecords(records, n, total);
        }
        // Never leave a synthesised button held down, however the replay ended.
        releaseHeldButtons();
        if (!ending()) letSynthesisedInputArrive();
    }
    if (ending() || e != RunError::None) return e;
    form1().uWaitObj.setEnabled(false);
    state_.WaitCount = 0;
    showReplayOver();
    return RunError::None;
}

// The lead, then each record at its tick of the replay's plan; a stop or the end of the program
// ends it early.
RunError ClickEngine::replayRecords(const std::vector<RecEvent>& records, Long n, Long total) {
    if (WaitTicks(kReplayLeadTicks) != Wait::Done) return RunError::None;
    const std::vector<ReplayStep> plan = replayPlan(records, n, run_.pointer, form1().uWaitObj.interval());
    state_.WaitCount = 0;
    form1().uWaitObj.setEnabled(true);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n) && !ending() && !run_.stopped; ++i) {
        if (waitForCount(plan[i].tick, StopsReplay::Yes, deadlineFor(plan[i])) != Wait::Done) break;
        QUILL_RETURN_IF_ERROR(replayRecord(records[i], total));
        if (flagsForCode(records[i].Code) & platform::kButtonDownFlags) {
            run_.lastPress = i;
            run_.lastPressMs = mouse_.clockMs();
        }
    }
    return RunError::None;
}

// The second press of a double click waits for its tick, but never past the double-click gap
// after its first press by the clock: ticks that come late would stretch it into two clicks.
std::optional<ClockDeadline> ClickEngine::deadlineFor(const ReplayStep& step) const {
    if (step.secondPressOf == 0 || step.secondPressOf != run_.lastPress) return std::nullopt;
    return ClockDeadline{run_.lastPressMs, doubleClickGapMs(run_.pointer)};
}

// The target takes a synthesised event from its queue only when it next pumps; until then a
// window of ours that took mouse input again would catch it there.
void ClickEngine::letSynthesisedInputArrive() {
    form1().uWaitObj.setEnabled(true);
    (void)waitForCount(static_cast<double>(state_.WaitCount) + kDeliveryTicks, StopsReplay::No);
}

// The lamp white and the switch off, once per replay, however it ended: a stop shows it at
// once, before the replay has unwound.
void ClickEngine::showReplayOver() {
    if (run_.over || ending()) return;
    run_.over = true;
    mouse_.setLedColour(kLedIdle);
    mouse_.form2().SwitchOFF();
    // A stop inside a modal loop (the icon's menu) gets no pump to show it.
    form1().refresh();
    mouse_.form2().form().refresh();
}

RunError ClickEngine::replayRecord(const RecEvent& r, Long total) {
    ports_.loop.doEvents();
    if (ending()) return RunError::None;
    // The rest of the gesture would land on whatever lies behind the target.
    if (targetGone()) {
        stopReplay();
        return RunError::None;
    }
    form1().label1.setCaption(recordCaption(total, r));
    QUILL_RETURN_IF_ERROR(form1().setPosition(r.BodyLeft, r.BodyTop));
    motion().turnTo(r.Angle);
    QUILL_RETURN_IF_ERROR(mouse_.drawBody(false));
    forms::Form2View& f2 = mouse_.form2().form();
    QUILL_RETURN_IF_ERROR(f2.setPosition(r.SwitchLeft, r.SwitchTop));
    frmPoint_.load();  // created on first use; nothing shows it
    const Single tx = frmPoint_.twipsPerPixelX(), ty = frmPoint_.twipsPerPixelY();
    QUILL_RETURN_IF_ERROR(frmPoint_.setPosition(pixelsToTwips(r.X + 1, tx), pixelsToTwips(r.Y + 1, ty)));
    moveCursor(r.X, r.Y);
    ports_.loop.doEvents();
    if (ending() || run_.stopped) return RunError::None;
    pressOrRelease(r);
    return RunError::None;
}

// Where the system keeps the cursor, the replay goes on with the next record: the gesture keeps
// its pace. Only a move that happened tells the user's own moves from the replay's.
void ClickEngine::moveCursor(Long x, Long y) {
    if (ports_.input.setCursorPos(x, y) == platform::Outcome::Done) run_.cursorSet = platform::PixelPoint{x, y};
}

// A press only where the window beneath can take it; input the system refuses stops the replay.
void ClickEngine::pressOrRelease(const RecEvent& r) {
    const Long flags = physicalFlagsForCode(r.Code, run_.pointer.buttonsSwapped);
    if (flags == 0) return;
    if ((flags & platform::kButtonDownFlags) && !reachable(r)) return;
    if (!synthesise(flags, r.X, r.Y).complete()) stopReplay();
}

}  // namespace quill::gesture
