#pragma once
#include <windows.h>

namespace lumo::com {

// The standard keys of a control and its type library; unregistering removes exactly those.
// Both build strings and may throw std::bad_alloc: the exports guard them.
HRESULT registerServer();
HRESULT unregisterServer();

}  // namespace lumo::com
