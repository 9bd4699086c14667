#pragma once
// The Lumoscope.dll beside the test binary, registered for the whole run of a suite and
// unregistered afterwards, as regsvr32 would.
#include <windows.h>

#include <gtest/gtest.h>

namespace winetest {

class RegisteredControl : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
    static HMODULE dll();
};

// One of the DLL's exports without arguments (DllRegisterServer, DllCanUnloadNow, ...).
HRESULT callControlExport(const char* name);

}  // namespace winetest
