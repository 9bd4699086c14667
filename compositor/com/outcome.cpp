#include "compositor/com/outcome.h"

#include <olectl.h>

#include <cstdio>
#include <cwchar>

#include "common/escaped_exception.h"
#include "compositor/com/module.h"

namespace lumo::com {

using quill::RunError;

HRESULT hresultFor(RunError e) {
    switch (e) {
        case RunError::None: return S_OK;
        case RunError::InvalidCall: return E_INVALIDARG;
        case RunError::Overflow: return DISP_E_OVERFLOW;
        case RunError::OutOfMemory: return E_OUTOFMEMORY;
        case RunError::SubscriptOutOfRange: return DISP_E_BADINDEX;
        case RunError::TypeMismatch: return DISP_E_TYPEMISMATCH;
        case RunError::InvalidPropertyValue: return CTL_E_INVALIDPROPERTYVALUE;
        case RunError::InvalidPicture: return CTL_E_INVALIDPICTURE;
        case RunError::InternalError: return E_UNEXPECTED;
    }
    return E_FAIL;
}

HRESULT reportEscapedException() noexcept {
    const quill::EscapedException e = quill::currentException();
    char line[320];
    std::snprintf(line, sizeof line, "Lumoscope: %s stopped at the library's edge: %s\n", quill::describe(e.error), e.what);
    OutputDebugStringA(line);
    return hresultFor(e.error);
}

RunError runErrorFor(HRESULT hr) {
    if (SUCCEEDED(hr)) return RunError::None;
    for (RunError e : {RunError::InvalidCall, RunError::Overflow, RunError::OutOfMemory, RunError::SubscriptOutOfRange,
                       RunError::TypeMismatch, RunError::InvalidPropertyValue, RunError::InvalidPicture}) {
        if (hresultFor(e) == hr) return e;
    }
    return RunError::InvalidCall;
}

namespace {

BSTR bstrOf(const char* text) {
    wchar_t buf[128] = {};
    std::swprintf(buf, 128, L"%hs", text);
    return SysAllocString(buf);
}

}  // namespace

void fillExcepInfo(EXCEPINFO* info, const Outcome& o) noexcept {
    if (!info) return;
    *info = EXCEPINFO{};
    info->scode = o.hr;
    info->bstrSource = SysAllocString(kProgId);
    info->bstrDescription = o.run != RunError::None ? bstrOf(quill::describe(o.run)) : nullptr;
}

}  // namespace lumo::com
