#include "platform/run_error_report.h"

namespace quill::platform {

std::string runErrorText(RunError e, const std::string& detail) {
    std::string text = "Run-time error '" + std::to_string(static_cast<int>(e)) + "':\n\n";
    text += describe(e);
    if (!detail.empty()) text += "\n\n" + detail;
    return text;
}

void reportRunError(Desktop& desktop, RunError e, const std::string& detail) {
    if (e == RunError::None || desktop.programEnded()) return;
    desktop.messageBox(runErrorText(e, detail), kProgramTitle, kCriticalIcon);
    desktop.endProgram();
}

}  // namespace quill::platform
