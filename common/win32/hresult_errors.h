#pragma once
// Run-time errors as HRESULTs and back: the control reports a member's error as an HRESULT,
// and its callers turn that HRESULT into the error again.
#include <windows.h>

#include "common/run_error.h"

namespace quill::win32 {

HRESULT hresultFor(RunError e);
// The inverse: an HRESULT no run-time error maps to is an invalid call.
RunError runErrorFor(HRESULT hr);

}  // namespace quill::win32
