#include "compositor/com/outcome.h"

#include <cwchar>

#include "compositor/com/module.h"

namespace lumo::com {

using quill::RunError;

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
