#pragma once
// The click engine's own state: the gesture being recorded (and then replayed), the tick
// counter that times it, and the window its replay goes to. Only the click engine writes it;
// the mouse window asks the engine through mouse_window::StepRecorder.
#include <vector>

#include "gesture/rec_event.h"
#include "platform/ports/types.h"

namespace quill::gesture {

struct GestureState {
    platform::WindowHandle TargetHwnd = 0;
    Long EventCode = 0;
    std::vector<RecEvent> RecBuf;  // empty: not allocated; otherwise a blank record, then the steps
    Long RecCount = 0;
    bool Recording = false;
    Long LastRecTick = 0;
    Long LastDownCode = 0;
    Long WaitCount = 0;
    Integer ReleasedButton = 0;  // a release held back until the glide it started ends

    // A new gesture: the blank record only, recording, the counter at zero.
    void start();
    // No gesture any more: not recording, the records freed.
    void discard();
    // The latest record, or null when the count does not index the buffer.
    const RecEvent* latest() const;
};

}  // namespace quill::gesture
