#include "common/run_error.h"

namespace quill {

const char* describe(RunError e) {
    switch (e) {
        case RunError::None: return "No error";
        case RunError::InvalidCall: return "Invalid procedure call or argument";
        case RunError::Overflow: return "Overflow";
        case RunError::OutOfMemory: return "Out of memory";
        case RunError::SubscriptOutOfRange: return "Subscript out of range";
        case RunError::InternalError: return "Internal error";
        case RunError::TypeMismatch: return "Type mismatch";
        case RunError::InvalidPropertyValue: return "Invalid property value";
        case RunError::InvalidPicture: return "Invalid picture";
    }
    return "Unknown error";
}

}  // namespace quill
