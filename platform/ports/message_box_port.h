#pragma once
// A modal message box with one OK button.
#include <string>

#include "platform/ports/outcome.h"

namespace quill::platform {

// Message box icon value of a critical error.
constexpr int kCriticalIcon = 16;

class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Returns when the box is closed; Failed when it could not be shown.
    [[nodiscard]] virtual Outcome messageBox(const std::string& text, const std::string& title, int icon) = 0;
};

}  // namespace quill::platform
