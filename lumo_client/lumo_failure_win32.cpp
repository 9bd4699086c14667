#include "lumo_client/lumo_failure_win32.h"

#include <cstdio>
#include <initializer_list>

#include "common/win32/text.h"

namespace quill::lumo_client {

namespace {

constexpr const char* kHeadline = "描画コントロール (Lumoscope.LumoCTRL) を作成できないため、起動できません。";

bool isWin32Error(HRESULT hr, std::initializer_list<DWORD> codes) {
    for (DWORD c : codes) {
        if (hr == HRESULT_FROM_WIN32(c)) return true;
    }
    return false;
}

// The system's own words, in the user's language, for a failure we have no sentence for.
std::string systemText(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", n);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return text.empty() ? "原因不明のエラーです。" : quill::win32::narrow(text);
}

std::string reason(HRESULT hr) {
    if (isWin32Error(hr, {ERROR_MOD_NOT_FOUND, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND}) || hr == CO_E_DLLNOTFOUND) {
        return "ファイルが見つかりません。";
    }
    if (isWin32Error(hr, {ERROR_BAD_EXE_FORMAT, ERROR_INVALID_EXE_SIGNATURE, ERROR_EXE_MACHINE_TYPE_MISMATCH})) {
        return "ファイルが壊れているか、この Windows で読み込める形式ではありません。";
    }
    if (isWin32Error(hr, {ERROR_PROC_NOT_FOUND, ERROR_DLL_INIT_FAILED}) || hr == CO_E_ERRORINDLL ||
        hr == CLASS_E_CLASSNOTAVAILABLE || hr == E_NOINTERFACE) {
        return "ファイルは読み込めましたが、描画コントロールを含んでいません。";
    }
    if (hr == REGDB_E_CLASSNOTREG || hr == CO_E_CLASSSTRING) {
        return "描画コントロールが登録されておらず、プログラムのマニフェストにもありません。";
    }
    if (hr == E_ACCESSDENIED) return "ファイルを読み取る権限がありません。";
    if (hr == E_OUTOFMEMORY) return "メモリが不足しています。";
    return systemText(hr);
}

// COM reports any file it cannot load as one error (Wine: access denied), so the file itself
// says what is wrong with it: missing, or not a loadable module. It is mapped as an image
// without running any of its code.
HRESULT fileFailure(const std::string& dllPath, HRESULT failure) {
    const std::wstring path = quill::win32::widen(dllPath);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    HMODULE image = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    if (!image) return HRESULT_FROM_WIN32(GetLastError());
    FreeLibrary(image);
    return failure;
}

}  // namespace

std::string lumoFailureText(const std::string& dllPath, HRESULT failure) {
    failure = fileFailure(dllPath, failure);
    char code[32];
    std::snprintf(code, sizeof code, "(エラー 0x%08lX)", static_cast<unsigned long>(failure));
    return std::string(kHeadline) + "\n\nファイル: " + dllPath + "\n理由: " + reason(failure) + code;
}

}  // namespace quill::lumo_client
