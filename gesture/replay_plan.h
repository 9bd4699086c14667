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

// When each record of a replay plays, in ticks of the wait timer counted from its start (index
// i for record i; index 0 is unused): three times its recorded tick, except that the second
// press of a recorded double click comes soon enough to stay one. The stretch from the first
// press to the second plays at the pace that fits under the double-click time, and every later
// record moves earlier by the time saved, so all other intervals keep three times their length.
std::vector<double> replayTicks(const std::vector<RecEvent>& records, Long n, const platform::PointerSettings& pointer,
                                Long tickMs);

}  // namespace quill::gesture
