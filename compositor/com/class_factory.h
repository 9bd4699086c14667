#pragma once
#include <windows.h>

namespace lumo::com {

// DllGetClassObject: the factory of LumoCTRL, or CLASS_E_CLASSNOTAVAILABLE.
HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** out) noexcept;

}  // namespace lumo::com
