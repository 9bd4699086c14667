#include "gesture/replay_plan.h"

#include <cstdlib>

namespace quill::gesture {

namespace {
bool isPress(Long code) { return code == kLeftDown || code == kRightDown || code == kMiddleDown; }

// Whether the system took a press as the second of a double click after the earlier one: the
// same button, within the double-click time and rectangle.
bool secondOfDoubleClick(const RecEvent& first, const RecEvent& second, const platform::PointerSettings& pointer,
                         Long tickMs) {
    return first.Code == second.Code && (second.Tick - first.Tick) * tickMs <= pointer.doubleClickMs &&
           2 * std::labs(second.X - first.X) <= pointer.doubleClickWidth &&
           2 * std::labs(second.Y - first.Y) <= pointer.doubleClickHeight;
}
}  // namespace

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

Long physicalFlagsForCode(Long code, bool buttonsSwapped) {
    const Long flags = flagsForCode(code);
    if (!buttonsSwapped) return flags;
    // The right flags sit two bits above the left ones, for down and up alike.
    constexpr Long kLeft = platform::kLeftDownFlag | platform::kLeftUpFlag;
    constexpr Long kRight = platform::kRightDownFlag | platform::kRightUpFlag;
    return (flags & ~(kLeft | kRight)) | (flags & kLeft) << 2 | (flags & kRight) >> 2;
}

Long doubleClickGapMs(const platform::PointerSettings& pointer) { return pointer.doubleClickMs * 4 / 5; }

std::vector<ReplayStep> replayPlan(const std::vector<RecEvent>& records, Long n, const platform::PointerSettings& pointer,
                                   Long tickMs) {
    std::vector<ReplayStep> plan(static_cast<std::size_t>(n) + 1);
    const double longestGap = static_cast<double>(doubleClickGapMs(pointer)) / tickMs;
    double saved = 0;            // ticks the double clicks so far took out of the gesture
    std::size_t firstPress = 0;  // a press that a second one could make a double click; 0: none
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        const RecEvent& r = records[i];
        plan[i].tick = r.Tick * kReplaySlowdown - saved;
        if (!isPress(r.Code)) continue;
        if (firstPress == 0 || !secondOfDoubleClick(records[firstPress], r, pointer, tickMs)) {
            firstPress = i;
            continue;
        }
        plan[i].secondPressOf = firstPress;
        const double recordedGap = r.Tick - records[firstPress].Tick;
        if (recordedGap * kReplaySlowdown > longestGap) {
            const double pace = longestGap / recordedGap;
            for (std::size_t j = firstPress + 1; j <= i; ++j) {
                plan[j].tick = plan[firstPress].tick + (records[j].Tick - records[firstPress].Tick) * pace;
            }
            saved = r.Tick * kReplaySlowdown - plan[i].tick;
        }
        firstPress = 0;  // the system starts afresh after a double click
    }
    return plan;
}

}  // namespace quill::gesture
