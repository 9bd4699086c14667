#pragma once
// What the start-up box says when LumoCTRL1 cannot be created at all: the file the control
// comes from and, in Japanese, why it could not be used.
#include <windows.h>

#include <string>

namespace quill::lumo_client {

constexpr const char* kLumoFileName = "Lumoscope.dll";

// dllPath: the control library beside the program (UTF-8); failure: the failing call's result.
std::string lumoFailureText(const std::string& dllPath, HRESULT failure);

}  // namespace quill::lumo_client
