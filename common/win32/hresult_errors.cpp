#include "common/win32/hresult_errors.h"

#include <olectl.h>

#include <initializer_list>

namespace quill::win32 {

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

RunError runErrorFor(HRESULT hr) {
    if (SUCCEEDED(hr)) return RunError::None;
    for (RunError e : {RunError::InvalidCall, RunError::Overflow, RunError::OutOfMemory, RunError::SubscriptOutOfRange,
                       RunError::TypeMismatch, RunError::InvalidPropertyValue, RunError::InvalidPicture}) {
        if (hresultFor(e) == hr) return e;
    }
    return RunError::InvalidCall;
}

}  // namespace quill::win32
