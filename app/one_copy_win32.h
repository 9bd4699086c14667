#pragma once
// One Quillora per user session. A second copy would put a second body exactly on top of the
// first, with a second icon, and each makes only its own windows let a replay's clicks through:
// one copy's replay could press the other's button.
#include "common/win32/unique_handle.h"

namespace quill::app {

class OneCopyPerSession {
public:
    // Takes the session's named mutex, or finds that another copy holds it.
    OneCopyPerSession();
    bool anotherCopyRuns() const { return another_; }
    // Asks the copy that runs to say so from its icon; waits a few seconds for it to have started
    // far enough to hear, and gives up quietly after that.
    void tellTheCopyThatRuns() const;

private:
    quill::win32::UniqueKernelObject mutex_;  // held until the program ends
    bool another_ = false;
};

}  // namespace quill::app
