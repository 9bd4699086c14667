#include "platform/ports/run_error_report.h"

namespace quill::platform {

std::string runErrorText(RunError e, const std::string& detail) {
    std::string text = "Run-time error '" + std::to_string(static_cast<int>(e)) + "':\n\n";
    text += describe(e);
    if (!detail.empty()) text += "\n\n" + detail;
    return text;
}

void UntrappedErrors::report(RunError e, const std::string& detail) const {
    if (e == RunError::None || loop_.programEnded()) return;
    endWithMessage(runErrorText(e, detail), kProgramTitle);
}

// The program ends whether or not the box could be shown: there is nobody else to tell.
void UntrappedErrors::endWithMessage(const std::string& text, const std::string& title) const {
    (void)boxes_.messageBox(text, title, kCriticalIcon);
    loop_.endProgram();
}

}  // namespace quill::platform
