#include "compositor/com/registration.h"

#include <olectl.h>
#include <wrl/client.h>

#include <string>

#include "common/win32/unique_handle.h"
#include "compositor/com/lumoscope_h.h"
#include "compositor/com/module.h"

namespace lumo::com {
namespace {

using quill::win32::UniqueHkey;

constexpr const wchar_t* kClassName = L"LumoCTRL";
constexpr WORD kTypeLibMajor = 99;
constexpr WORD kTypeLibMinor = 0;
constexpr LCID kTypeLibLcid = 0x0409;
constexpr int kToolboxBitmapId = 30000;

std::wstring guidString(REFGUID g) {
    wchar_t buf[40] = {};
    StringFromGUID2(g, buf, 40);
    return buf;
}

std::wstring classKey() { return L"CLSID\\" + guidString(CLSID_LumoCTRL); }

// Creates HKCR\<path> and sets one string value (the default one when name is null).
bool setString(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
        return false;
    UniqueHkey key(raw);
    const auto bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), name, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

bool writeClassKeys(const std::wstring& dll) {
    const std::wstring cls = classKey();
    return setString(cls, nullptr, kClassName) &&
           setString(cls + L"\\InprocServer32", nullptr, dll) &&
           setString(cls + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
           setString(cls + L"\\ProgID", nullptr, kProgId) &&
           setString(cls + L"\\Control", nullptr, L"") &&
           setString(cls + L"\\TypeLib", nullptr, guidString(LIBID_Lumoscope)) &&
           setString(cls + L"\\Version", nullptr, L"99.0") &&
           setString(cls + L"\\ToolboxBitmap32", nullptr,
                     dll + L", " + std::to_wstring(kToolboxBitmapId)) &&
           setString(cls + L"\\MiscStatus", nullptr, L"0") &&
           setString(cls + L"\\MiscStatus\\1", nullptr, std::to_wstring(kMiscStatus)) &&
           setString(kProgId, nullptr, kClassName) &&
           setString(std::wstring(kProgId) + L"\\CLSID", nullptr, guidString(CLSID_LumoCTRL));
}

HRESULT registerTypeLib(const std::wstring& dll) {
    Microsoft::WRL::ComPtr<ITypeLib> lib;
    const HRESULT hr = LoadTypeLibEx(dll.c_str(), REGKIND_NONE, &lib);
    if (FAILED(hr)) return hr;
    std::wstring path = dll;  // RegisterTypeLib takes a non-const string
    return RegisterTypeLib(lib.Get(), path.data(), nullptr);
}

void deleteTree(const std::wstring& path) { RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str()); }

}  // namespace

HRESULT registerServer() {
    const std::wstring dll = modulePath();
    if (dll.empty()) return SELFREG_E_CLASS;
    if (!writeClassKeys(dll)) {
        unregisterServer();
        return SELFREG_E_CLASS;
    }
    if (FAILED(registerTypeLib(dll))) {
        unregisterServer();
        return SELFREG_E_TYPELIB;
    }
    return S_OK;
}

HRESULT unregisterServer() {
    // Each part may be missing already (a second unregistration): that is no failure.
    UnRegisterTypeLib(LIBID_Lumoscope, kTypeLibMajor, kTypeLibMinor, kTypeLibLcid, SYS_WIN64);
    deleteTree(classKey());
    deleteTree(kProgId);
    return S_OK;
}

}  // namespace lumo::com
