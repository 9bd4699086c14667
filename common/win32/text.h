#pragma once
// Our strings are UTF-8; Windows wants UTF-16.
#include <string>

namespace quill::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

}  // namespace quill::win32
