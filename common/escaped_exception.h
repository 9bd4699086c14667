#pragma once
// What reached a boundary of our code (a window procedure, a callback of the system, an
// exported function) as an exception. Unwinding through the system's message dispatch, or a
// host's, is undefined, so each boundary catches, names what it caught, and answers as a
// failure.
#include "common/run_error.h"

namespace quill {

struct EscapedException {
    RunError error = RunError::InternalError;  // OutOfMemory for an allocation that failed
    char what[256] = {};                       // the exception's own text, cut to fit
};

// Only inside a catch block: names the exception being handled.
EscapedException currentException() noexcept;

}  // namespace quill
