#pragma once
// How a member call ended, in the terms IDispatch::Invoke reports: a run-time error of the
// member (reported through EXCEPINFO), or an argument the dispatcher could not take
// (reported directly, with the argument's index).
#include <windows.h>

#include <new>

#include "common/run_error.h"
#include "common/win32/hresult_errors.h"

namespace lumo::com {

struct Outcome {
    HRESULT hr = S_OK;
    quill::RunError run = quill::RunError::None;  // set for a run-time error of the member
    unsigned param = 0;                           // the declared position of a bad argument

    static Outcome ok() { return {}; }
    static Outcome failed(quill::RunError e) {
        return e == quill::RunError::None ? ok() : Outcome{quill::win32::hresultFor(e), e, 0};
    }
    static Outcome badArg(HRESULT hr, unsigned param) { return {hr, quill::RunError::None, param}; }
    // A platform call that failed inside the member.
    static Outcome platform(HRESULT hr) { return {hr, quill::RunError::None, ~0u}; }

    bool succeeded() const { return SUCCEEDED(hr); }
    bool isArgumentError() const { return FAILED(hr) && run == quill::RunError::None && param != ~0u; }
};

// Fills EXCEPINFO for a member's error (source: the ProgID; description: the error's text).
void fillExcepInfo(EXCEPINFO* info, const Outcome& o) noexcept;

// Only inside a catch at a boundary of the DLL (a COM method, a window procedure, an export):
// names the exception on the debugger's output and answers the HRESULT it stands for.
HRESULT reportEscapedException() noexcept;

// Runs f and turns an escaping C++ exception into an HRESULT: no exception crosses COM or
// the host's message dispatch.
template <typename F>
HRESULT guarded(F&& f) noexcept {
    try {
        return f();
    } catch (...) {
        return reportEscapedException();
    }
}

}  // namespace lumo::com
