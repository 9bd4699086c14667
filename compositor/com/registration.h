#pragma once
#include <windows.h>

namespace lumo::com {

// The standard keys of a control and its type library; unregistering removes exactly those.
HRESULT registerServer() noexcept;
HRESULT unregisterServer() noexcept;

}  // namespace lumo::com
