#include "compositor/com/outcome.h"

#include <cwchar>

#include "common/escaped_exception.h"
#include "common/win32/escaped_trace.h"
#include "compositor/com/module.h"

namespace lumo::com {

using quill::RunError;

HRESULT reportEscapedException() noexcept {
    const quill::EscapedException e = quill::currentException();
    quill::win32::traceEscapedException("Lumoscope", "the library's edge", e);
    return quill::win32::hresultFor(e.error);
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
