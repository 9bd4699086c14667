// The tick counter and the short blocking wait built on it. Waiting pumps what is due and then
// sleeps until the next event; it never polls in a loop.
#include "common/checked_int.h"
#include "gesture/click_engine.h"

namespace quill::gesture {

RunError ClickEngine::uWaitObj_Timer() {
    const auto next = checkedAdd<Long>(state_.WaitCount, 1);
    if (!next) return RunError::Overflow;
    state_.WaitCount = *next;
    return RunError::None;
}

bool ClickEngine::ending() const { return !mouse_.view().loaded() || ports_.loop.programEnded(); }

Wait ClickEngine::waitForCount(double target, StopsReplay stops, std::optional<ClockDeadline> deadline) {
    for (;;) {
        ports_.loop.doEvents();
        if (ending()) return Wait::ProgramEnding;
        if (stops == StopsReplay::Yes && replaying_ && replayInterrupted()) return Wait::Stopped;
        if (!(target > state_.WaitCount) || (deadline && passed(*deadline))) return Wait::Done;
        ports_.loop.waitForEvents();
    }
}

bool ClickEngine::passed(const ClockDeadline& d) const {
    constexpr Long kDayMs = 86400000;
    const Long elapsed = ((mouse_.clockMs() - d.fromMs) % kDayMs + kDayMs) % kDayMs;
    return elapsed >= d.afterMs;
}

Wait ClickEngine::WaitTicks(double n) {
    state_.WaitCount = 0;
    form1().uWaitObj.setEnabled(true);
    const Wait w = waitForCount(n);
    if (w == Wait::ProgramEnding) return w;
    form1().uWaitObj.setEnabled(false);
    return w;
}

}  // namespace quill::gesture
