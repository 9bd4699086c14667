#pragma once
// The program's report of a failure that no handler traps: a critical message box naming the
// error (and what it concerns, when known), then the end of the program.
#include <string>

#include "common/run_error.h"
#include "platform/ports/event_loop_port.h"
#include "platform/ports/message_box_port.h"

namespace quill::platform {

constexpr const char* kProgramTitle = "Quillora";

std::string runErrorText(RunError e, const std::string& detail);

class UntrappedErrors {
public:
    UntrappedErrors(MessageBoxPort& boxes, EventLoopPort& loop) : boxes_(boxes), loop_(loop) {}
    // Nothing for RunError::None, or once the program has ended.
    void report(RunError e, const std::string& detail = {}) const;
    // A box of the program's own wording, then the end.
    void endWithMessage(const std::string& text, const std::string& title) const;

private:
    MessageBoxPort& boxes_;
    EventLoopPort& loop_;
};

}  // namespace quill::platform
