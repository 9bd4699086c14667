#pragma once
// What a replay sends and when, decided from the records and the user's pointer settings alone:
// the physical button flags of a recorded button, and the tick at which each record plays.
#include <vector>

#include "gesture/rec_event.h"
#include "platform/ports/input_port.h"

namespace quill::gesture {

constexpr double kReplaySlowdown = 3;  // a record plays at three times its recorded tick

// The synthesised button flags for a record's code; 0 when it only moves the cursor.
Long flagsForCode(Long code);

// The flags that press or release the button a record names. The recorder saw the buttons as
// the user uses them, while the flags name the device's: for a left-handed user (buttons
// swapped) the recorded left button is the device's right one, and the other way round.
Long physicalFlagsForCode(Long code, bool buttonsSwapped);

// When one record of a replay plays.
struct ReplayStep {
    double tick = 0;  // in ticks of the wait timer, counted from the replay's start
    // For the second press of a recorded double click, the record of its first press: the
    // second must follow it within doubleClickGapMs by the clock too, since ticks come late on
    // a busy machine. 0 for every other record.
    std::size_t secondPressOf = 0;
};

// The plan of a replay (index i for record i; index 0 is unused): each record at three times its
// recorded tick, except that the second press of a recorded double click comes soon enough to
// stay one. The stretch from the first press to the second plays at the pace that fits under
// the double-click time, and every later record moves earlier by the time saved, so all other
// intervals keep three times their length.
std::vector<ReplayStep> replayPlan(const std::vector<RecEvent>& records, Long n, const platform::PointerSettings& pointer,
                                   Long tickMs);

// The longest the replay lets pass between the presses of a double click: a fifth under the
// double-click time, since the system times the presses when the target takes them.
Long doubleClickGapMs(const platform::PointerSettings& pointer);

}  // namespace quill::gesture
