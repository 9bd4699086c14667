#include "gesture/gesture_state.h"

namespace quill::gesture {

void GestureState::start() {
    RecCount = 0;
    RecBuf.assign(1, RecEvent{});
    Recording = true;
    WaitCount = 0;
}

void GestureState::discard() {
    Recording = false;
    RecCount = 0;
    RecBuf = {};
}

const RecEvent* GestureState::latest() const {
    if (RecCount < 0 || static_cast<std::size_t>(RecCount) >= RecBuf.size()) return nullptr;
    return &RecBuf[static_cast<std::size_t>(RecCount)];
}

}  // namespace quill::gesture
