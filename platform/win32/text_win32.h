#pragma once
// The program's strings are UTF-8; Windows wants UTF-16.
#include <string>

namespace quill::platform::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

}  // namespace quill::platform::win32
