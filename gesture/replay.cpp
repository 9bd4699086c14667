// PlayGesture: performs a recorded gesture with the real cursor at one third of its recorded
// speed while the on-screen mouse re-enacts it.
#include "common/twips.h"
#include "gesture/click_engine.h"

namespace quill::gesture {

Long flagsForCode(Long code) {
    switch (code) {
        case kLeftDown: return platform::kLeftDownFlag;
        case kLeftUp: return platform::kLeftUpFlag;
        case kRightDown: return platform::kRightDownFlag;
        case kRightUp: return platform::kRightUpFlag;
        case kMiddleDown: return platform::kMiddleDownFlag;
        case kMiddleUp: return platform::kMiddleUpFlag;
        default: return 0;
    }
}

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

// Only an event that went in presses or releases a button; the caller judges the delivery.
platform::InputDelivery ClickEngine::synthesise(Long flags, Long x, Long y) {
    const platform::InputDelivery delivery = ports_.input.mouseEvent(flags, x, y);
    if (!delivery.complete()) return delivery;
    // Each up flag is its down flag shifted left by one.
    heldButtons_ |= flags & platform::kButtonDownFlags;
    heldButtons_ &= ~((flags >> 1) & platform::kButtonDownFlags);
    return delivery;
}

// The last thing a replay does: a release the system refuses has nobody left to retry it.
void ClickEngine::releaseHeldButtons() {
    const platform::PixelPoint at = ports_.input.cursorPos();
    for (Long down : {platform::kLeftDownFlag, platform::kRightDownFlag, platform::kMiddleDownFlag}) {
        if (heldButtons_ & down) (void)ports_.input.mouseEvent(down << 1, at.x, at.y);
    }
    heldButtons_ = 0;
}

RunError ClickEngine::PlayGesture() {
    ReplayScope scope(replaying_);
    // Work on a copy: input during the waits may discard or restart the buffer.
    const std::vector<RecEvent> records = state_.RecBuf;
    const Long total = state_.RecCount;
    const Long n = std::min<Long>(total, static_cast<Long>(records.size()) - 1);

    mouse_.setLedColour(kLedReplaying);
    (void)ports_.input.escapePressed();  // an Esc typed before the replay began does not stop it
    RunError e = RunError::None;
    {
        InputPassThrough passThrough(ports_.styling);
        // A target that cannot come forward (closed, or refused by the system) leaves the
        // replay to go into whatever is in front, as the user would see it.
        (void)ports_.input.setForegroundWindow(state_.TargetHwnd);
        if (n >= 1) (void)ports_.input.setCursorPos(records[1].X, records[1].Y);
        e = replayRecords(records, n, total);
        // Never leave a synthesised button held down, however the replay ended.
        releaseHeldButtons();
        if (!ending()) letSynthesisedInputArrive();
    }
    if (ending() || e != RunError::None) return e;
    form1().uWaitObj.setEnabled(false);
    state_.WaitCount = 0;
    mouse_.setLedColour(kLedIdle);
    mouse_.form2().SwitchOFF();
    return RunError::None;
}

// The lead, then each record when the counter reaches three times its tick; Esc or the end of
// the program stops early.
RunError ClickEngine::replayRecords(const std::vector<RecEvent>& records, Long n, Long total) {
    if (WaitTicks(kReplayLeadTicks) != Wait::Done) return RunError::None;
    state_.WaitCount = 0;
    form1().uWaitObj.setEnabled(true);
    for (Long i = 1; i <= n && !ending(); ++i) {
        const RecEvent& r = records[static_cast<std::size_t>(i)];
        if (waitForCount(r.Tick * kReplaySlowdown) != Wait::Done) break;
        QUILL_RETURN_IF_ERROR(replayRecord(r, total));
    }
    return RunError::None;
}

// The target takes a synthesised event from its queue only when it next pumps; until then a
// window of ours that took mouse input again would catch it there.
void ClickEngine::letSynthesisedInputArrive() {
    form1().uWaitObj.setEnabled(true);
    (void)waitForCount(static_cast<double>(state_.WaitCount) + kDeliveryTicks, EscapeStops::No);
}

RunError ClickEngine::replayRecord(const RecEvent& r, Long total) {
    ports_.loop.doEvents();
    if (ending()) return RunError::None;
    form1().label1.setCaption(recordCaption(total, r));
    QUILL_RETURN_IF_ERROR(form1().setPosition(r.BodyLeft, r.BodyTop));
    motion().turnTo(r.Angle);
    QUILL_RETURN_IF_ERROR(mouse_.drawBody(false));
    forms::Form2View& f2 = mouse_.form2().form();
    QUILL_RETURN_IF_ERROR(f2.setPosition(r.SwitchLeft, r.SwitchTop));
    frmPoint_.load();  // created on first use; nothing shows it
    const Single tx = frmPoint_.twipsPerPixelX(), ty = frmPoint_.twipsPerPixelY();
    QUILL_RETURN_IF_ERROR(frmPoint_.setPosition(pixelsToTwips(r.X + 1, tx), pixelsToTwips(r.Y + 1, ty)));
    // Where the system keeps the cursor or drops an event, the replay goes on with the next
    // record: the gesture keeps its pace.
    (void)ports_.input.setCursorPos(r.X, r.Y);
    ports_.loop.doEvents();
    if (ending()) return RunError::None;
    if (const Long flags = flagsForCode(r.Code)) (void)synthesise(flags, r.X, r.Y);
    return RunError::None;
}

}  // namespace quill::gesture
