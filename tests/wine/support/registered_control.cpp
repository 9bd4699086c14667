#include "registered_control.h"

namespace winetest {
namespace {
HMODULE g_dll = nullptr;
using DllEntry = HRESULT(WINAPI*)();
}  // namespace

HRESULT callControlExport(const char* name) {
    auto entry = reinterpret_cast<DllEntry>(reinterpret_cast<void*>(GetProcAddress(g_dll, name)));
    return entry ? entry() : E_NOTIMPL;
}

void RegisteredControl::SetUp() {
    g_dll = LoadLibraryW(L"Lumoscope.dll");
    ASSERT_NE(g_dll, nullptr);
    ASSERT_HRESULT_SUCCEEDED(callControlExport("DllRegisterServer"));
}

void RegisteredControl::TearDown() { EXPECT_HRESULT_SUCCEEDED(callControlExport("DllUnregisterServer")); }

HMODULE RegisteredControl::dll() { return g_dll; }

}  // namespace winetest
