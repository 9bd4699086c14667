#pragma once
// An exception stopped at a boundary, named on the debugger's output: the one trace a window
// procedure or an export can leave without a window of its own.
#include "common/escaped_exception.h"

namespace quill::win32 {

// Writes "<source>: <error> stopped at <where>: <text>" with OutputDebugStringA.
void traceEscapedException(const char* source, const char* where, const EscapedException& e) noexcept;

}  // namespace quill::win32
