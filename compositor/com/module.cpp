#include "compositor/com/module.h"

#include <atomic>

#include "compositor/com/class_factory.h"
#include "compositor/com/control_window.h"
#include "compositor/com/outcome.h"
#include "compositor/com/registration.h"

namespace lumo::com {
namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_refs{0};

}  // namespace

HINSTANCE moduleInstance() { return g_instance; }

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(g_instance, path.data(), DWORD(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void addModuleRef() { ++g_refs; }
void releaseModuleRef() { --g_refs; }
bool moduleInUse() { return g_refs.load() != 0; }

}  // namespace lumo::com

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        lumo::com::g_instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        lumo::com::unregisterControlWindowClass(instance);  // unloaded, not process exit
    }
    return TRUE;
}

HRESULT WINAPI DllCanUnloadNow() { return lumo::com::moduleInUse() ? S_FALSE : S_OK; }

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return lumo::com::guarded([&] { return lumo::com::getClassObject(clsid, iid, out); });
}

HRESULT WINAPI DllRegisterServer() { return lumo::com::guarded(lumo::com::registerServer); }

HRESULT WINAPI DllUnregisterServer() { return lumo::com::guarded(lumo::com::unregisterServer); }

}  // extern "C"
