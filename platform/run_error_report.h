#pragma once
// The program's report of a failure that no handler traps: a critical message box naming the
// error (and what it concerns, when known), then the end of the program.
#include <string>

#include "common/run_error.h"
#include "platform/desktop.h"

namespace quill::platform {

constexpr const char* kProgramTitle = "Quillora";

std::string runErrorText(RunError e, const std::string& detail);
void reportRunError(Desktop& desktop, RunError e, const std::string& detail = {});

}  // namespace quill::platform
