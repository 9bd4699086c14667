#pragma once
// Whether the program runs under Wine, where a few things the system does for input differ from
// Windows; each use says which.
#include <windows.h>

namespace quill::platform::win32 {

inline bool runningUnderWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

}  // namespace quill::platform::win32
