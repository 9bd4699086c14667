// What ends a replay before its last record, and the buttons it holds: Esc, the user moving the
// mouse, the target window going away, a window the input cannot reach, input the system
// refuses, and the session changing under it. Each stops it the way Esc does.
#include <cstdlib>

#include "gesture/click_engine.h"

namespace quill::gesture {

void ClickEngine::stopReplay() {
    if (!replaying_ || run_.stopped) return;
    run_.stopped = true;
    releaseHeldButtons();
    showReplayOver();
}

// Asked on every pass of a replay's waits.
bool ClickEngine::replayInterrupted() {
    if (!run_.stopped && (ports_.input.escapePressed() || userTookOver())) stopReplay();
    return run_.stopped;
}

// The replay moves the cursor only by setting it, so a pointer away from the last place set
// was moved by the user.
bool ClickEngine::userTookOver() const {
    if (!run_.cursorSet) return false;
    const platform::PixelPoint now = ports_.input.cursorPos();
    return std::labs(now.x - run_.cursorSet->x) > kTakeOverPx || std::labs(now.y - run_.cursorSet->y) > kTakeOverPx;
}

// Closed, hidden or minimised. A replay without a target (none was ever in front during a
// recording) goes wherever the cursor is, as it always did.
bool ClickEngine::targetGone() const {
    return state_.TargetHwnd != 0 && !ports_.input.windowShowing(state_.TargetHwnd);
}

// The system would drop a press on a window of an elevated program without a word, and the
// rest of the gesture would go on around it: the replay stops, and the icon says why. A level
// that cannot be read lets the replay go on.
bool ClickEngine::reachable(const RecEvent& r) {
    if (ports_.input.reachAt({r.X, r.Y}) != platform::Reach::AboveUs) return true;
    stopReplay();
    // Without its icon the program has nowhere to say it; the lamp and the switch show the end.
    if (own_.menuForm.loaded()) {
        (void)ports_.tray.showBalloon(own_.menuForm.hWnd(), own_.menuForm.titleText, kTargetAboveUsText);
    }
    return false;
}

// Input goes nowhere once the session is locked, switched or suspended, and the display may be
// another one after a change: the replay stops before any of it is lost. A release refused
// meanwhile goes out again once the user is back.
void ClickEngine::onSessionChange(platform::SessionChange change) {
    if (change == platform::SessionChange::Interrupted) {
        stopReplay();
    } else {
        sendRefusedReleases();
    }
}

platform::InputDelivery ClickEngine::synthesise(Long flags, Long x, Long y) {
    const platform::InputDelivery delivery = ports_.input.mouseEvent(flags, x, y);
    if (!delivery.complete()) return delivery;
    // Each up flag is its down flag shifted left by one.
    heldButtons_ |= flags & platform::kButtonDownFlags;
    heldButtons_ &= ~((flags >> 1) & platform::kButtonDownFlags);
    return delivery;
}

// Each held button is released once; one the system refuses to release waits for the session
// to come back, since that is what refuses it.
void ClickEngine::releaseHeldButtons() {
    const platform::PixelPoint at = ports_.input.cursorPos();
    for (Long down : {platform::kLeftDownFlag, platform::kRightDownFlag, platform::kMiddleDownFlag}) {
        if (!(heldButtons_ & down)) continue;
        if (!ports_.input.mouseEvent(down << 1, at.x, at.y).complete()) refusedReleases_ |= down << 1;
    }
    heldButtons_ = 0;
}

void ClickEngine::sendRefusedReleases() {
    const platform::PixelPoint at = ports_.input.cursorPos();
    for (Long up : {platform::kLeftUpFlag, platform::kRightUpFlag, platform::kMiddleUpFlag}) {
        if ((refusedReleases_ & up) && ports_.input.mouseEvent(up, at.x, at.y).complete()) refusedReleases_ &= ~up;
    }
}

}  // namespace quill::gesture
