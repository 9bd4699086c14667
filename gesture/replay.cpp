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
constexpr Long kDownFlags = platform::kLeftDownFlag | platform::kRightDownFlag | platform::kMiddleDownFlag;

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

// The program's windows let the mouse through for as long as this is on the stack.
class InputPassThrough {
public:
    explicit InputPassThrough(platform::Desktop& d) : desktop_(d) { desktop_.setInputPassThrough(true); }
    ~InputPassThrough() { desktop_.setInputPassThrough(false); }
    InputPassThrough(const InputPassThrough&) = delete;
    InputPassThrough& operator=(const InputPassThrough&) = delete;

private:
    platform::Desktop& desktop_;
};
}  // namespace

void ClickEngine::synthesise(Long flags, Long x, Long y) {
    desktop().mouseEvent(flags, x, y, 0, 0);
    // Each up flag is its down flag shifted left by one.
    heldButtons_ |= flags & kDownFlags;
    heldButtons_ &= ~((flags >> 1) & kDownFlags);
}

void ClickEngine::releaseHeldButtons() {
    const platform::PixelPoint at = desktop().cursorPos();
    for (Long down : {platform::kLeftDownFlag, platform::kRightDownFlag, platform::kMiddleDownFlag}) {
        if (heldButtons_ & down) desktop().mouseEvent(down << 1, at.x, at.y, 0, 0);
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
    (void)desktop().escapePressed();  // an Esc typed before the replay began does not stop it
    RunError e = RunError::None;
    {
        InputPassThrough passThrough(desktop());
        desktop().setForegroundWindow(state_.TargetHwnd);
        if (n >= 1) desktop().setCursorPos(records[1].X, records[1].Y);
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
    desktop().doEvents();
    if (ending()) return RunError::None;
    form1().label1.setCaption(recordCaption(total, r));
    QUILL_RETURN_IF_ERROR(form1().setPosition(r.BodyLeft, r.BodyTop));
    mouseState().BodyAngle = r.Angle;
    QUILL_RETURN_IF_ERROR(mouse_.drawBody(false));
    forms::Form2View& f2 = mouse_.form2().form();
    QUILL_RETURN_IF_ERROR(f2.setPosition(r.SwitchLeft, r.SwitchTop));
    frmPoint_.load();  // created on first use; nothing shows it
    const Single tx = desktop().twipsPerPixelX(), ty = desktop().twipsPerPixelY();
    QUILL_RETURN_IF_ERROR(frmPoint_.setPosition(pixelsToTwips(r.X + 1, tx), pixelsToTwips(r.Y + 1, ty)));
    desktop().setCursorPos(r.X, r.Y);
    desktop().doEvents();
    if (ending()) return RunError::None;
    if (const Long flags = flagsForCode(r.Code)) synthesise(flags, r.X, r.Y);
    return RunError::None;
}

}  // namespace quill::gesture
