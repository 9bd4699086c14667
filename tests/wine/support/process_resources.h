#pragma once
// What a process holds, as far as the system tells: GDI and USER objects (Wine answers 0),
// its windows and their children (standing in for USER objects there), kernel handles and
// private bytes.
#include <windows.h>

#include <string>

namespace winetest {

struct ProcessResources {
    unsigned long gdi = 0, user = 0, windows = 0, handles = 0;
    unsigned long long privateBytes = 0;
    std::string describe() const;
};

ProcessResources processResources(DWORD pid);

}  // namespace winetest
