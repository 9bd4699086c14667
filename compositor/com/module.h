#pragma once
// The DLL's own state: its instance handle, and the count of live objects and server locks
// that DllCanUnloadNow reports.
#include <windows.h>

#include <string>

namespace lumo::com {

HINSTANCE moduleInstance();
std::wstring modulePath();

void addModuleRef();
void releaseModuleRef();
bool moduleInUse();

// The ProgID and the OLEMISC bits, shared by registration and IOleObject::GetMiscStatus.
constexpr const wchar_t* kProgId = L"Lumoscope.LumoCTRL";
constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;

// Every COM object of the DLL but the class factory holds one of these for its lifetime.
class ModuleRef {
public:
    ModuleRef() { addModuleRef(); }
    ~ModuleRef() { releaseModuleRef(); }
    ModuleRef(const ModuleRef&) = delete;
    ModuleRef& operator=(const ModuleRef&) = delete;
};

}  // namespace lumo::com
