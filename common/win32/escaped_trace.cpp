#include "common/win32/escaped_trace.h"

#include <windows.h>

#include <cstdio>

namespace quill::win32 {

void traceEscapedException(const char* source, const char* where, const EscapedException& e) noexcept {
    char line[384];
    std::snprintf(line, sizeof line, "%s: %s stopped at %s: %s\n", source, describe(e.error), where, e.what);
    OutputDebugStringA(line);
}

}  // namespace quill::win32
