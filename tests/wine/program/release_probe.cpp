// Looks at Quillora.exe from outside, for the release tests:
//   release_probe manifest <exe>   prints the manifest embedded in the program (RT_MANIFEST 1)
//   release_probe settings <exe>   prints the DPI settings of an activation context made from
//                                  that manifest, as the loader reads them: dpiAware=...,
//                                  dpiAwareness=...
//   release_probe typelib <exe>    within that context, loads the control's type library by
//                                  its identifier and version and prints its name
//   release_probe icon <exe>       prints the application icon's first image as stored:
//                                  width height bits-per-pixel transparent-pixel-count
//   release_probe form <title>     prints a visible window of the program with that title:
//                                  left top width height
//   release_probe control -        prints the drawing control's window inside the body window:
//                                  left top width height, in the body's client pixels
//   release_probe dpi -            prints the screen's logical DPI (LOGPIXELSX)
#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr const wchar_t* kFormClass = L"QuilloraForm";
constexpr GUID kLumoscopeLibId = {0x8CE021AB, 0x229F, 0x4A91, {0xA7, 0x96, 0x86, 0x81, 0x79, 0x63, 0x89, 0x6A}};

void printUtf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
}

int printManifest(const wchar_t* exe) {
    HMODULE module = LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return 1;
    int rc = 1;
    if (HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {  // RT_MANIFEST
        const DWORD size = SizeofResource(module, res);
        if (const void* bytes = LockResource(LoadResource(module, res))) {
            std::fwrite(bytes, 1, size, stdout);
            rc = 0;
        }
    }
    FreeLibrary(module);
    return rc;
}

// The program's own activation context, made from its embedded manifest, with the program's
// folder as the place its files are found.
HANDLE programContext(const wchar_t* exe) {
    std::wstring folder = exe;
    folder.resize(folder.find_last_of(L"\\/") + 1);
    ACTCTXW ctx{};
    ctx.cbSize = sizeof ctx;
    ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_ASSEMBLY_DIRECTORY_VALID;
    ctx.lpSource = exe;
    ctx.lpResourceName = MAKEINTRESOURCEW(1);
    ctx.lpAssemblyDirectory = folder.c_str();
    return CreateActCtxW(&ctx);
}

void printSetting(HANDLE context, const wchar_t* space, const wchar_t* name) {
    wchar_t value[128] = {};
    SIZE_T written = 0;
    const bool found = QueryActCtxSettingsW(0, context, space, name, value, 128, &written);
    printUtf8(std::wstring(name) + L"=" + (found ? value : L""));
}

int printSettings(const wchar_t* exe) {
    HANDLE context = programContext(exe);
    if (context == INVALID_HANDLE_VALUE) return 1;
    printSetting(context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware");
    printSetting(context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness");
    ReleaseActCtx(context);
    return 0;
}

int printTypeLibrary(const wchar_t* exe) {
    HANDLE context = programContext(exe);
    ULONG_PTR cookie = 0;
    if (context == INVALID_HANDLE_VALUE || !ActivateActCtx(context, &cookie)) return 1;
    ITypeLib* lib = nullptr;
    BSTR name = nullptr;
    if (SUCCEEDED(LoadRegTypeLib(kLumoscopeLibId, 99, 0, 0x409, &lib)) &&
        SUCCEEDED(lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr))) {
        printUtf8(name);
    }
    SysFreeString(name);
    if (lib) lib->Release();
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
    return lib ? 0 : 1;
}

const void* resource(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC res = FindResourceW(module, name, type);
    return res ? LockResource(LoadResource(module, res)) : nullptr;
}

// RT_GROUP_ICON 1 lists the images; each is a BITMAPINFOHEADER, palette, colour bits, then
// the AND mask, one bit a pixel, rows padded to 32 bits (a set bit is transparent).
int printIcon(const wchar_t* exe) {
    HMODULE module = LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const auto* group = static_cast<const BYTE*>(module ? resource(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)) : nullptr);
    const WORD firstId = group ? *reinterpret_cast<const WORD*>(group + 6 + 12) : 0;  // GRPICONDIRENTRY.nId
    const auto* info = static_cast<const BITMAPINFOHEADER*>(group ? resource(module, MAKEINTRESOURCEW(firstId), MAKEINTRESOURCEW(3)) : nullptr);
    if (!info) return 1;
    const long w = info->biWidth, h = info->biHeight / 2;
    const long colours = info->biBitCount <= 8 ? (info->biClrUsed ? info->biClrUsed : 1L << info->biBitCount) : 0;
    const long xorStride = (w * info->biBitCount + 31) / 32 * 4, andStride = (w + 31) / 32 * 4;
    const BYTE* mask = reinterpret_cast<const BYTE*>(info) + info->biSize + colours * 4 + xorStride * h;
    long transparent = 0;
    for (long y = 0; y < h; ++y) {
        for (long x = 0; x < w; ++x) transparent += (mask[y * andStride + x / 8] >> (7 - x % 8)) & 1;
    }
    std::printf("%ld %ld %d %ld\n", w, h, info->biBitCount, transparent);
    FreeLibrary(module);
    return 0;
}

int printRect(HWND w, const RECT& r) {
    if (!w) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int printForm(const wchar_t* title) {
    HWND form = FindWindowW(kFormClass, title);
    RECT r{};
    if (!form || !IsWindowVisible(form) || !GetWindowRect(form, &r)) return 1;
    return printRect(form, r);
}

int printControl() {
    HWND body = FindWindowW(kFormClass, L"Quillora");
    HWND control = body ? FindWindowExW(body, nullptr, L"LumoCTRLWindow", nullptr) : nullptr;
    RECT r{};
    if (!control || !GetWindowRect(control, &r)) return 1;
    MapWindowPoints(HWND_DESKTOP, body, reinterpret_cast<POINT*>(&r), 2);
    return printRect(control, r);
}

int printDpi() {
    HDC screen = GetDC(nullptr);
    std::printf("%d\n", GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return 0;
}

}  // namespace

// The arguments as UTF-16: the narrow ones are in the ANSI code page, which loses the
// Japanese characters of a path or a title.
int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 3) return 2;
    const std::wstring command = argv[1];
    if (command == L"manifest") return printManifest(argv[2]);
    if (command == L"settings") return printSettings(argv[2]);
    if (command == L"typelib") return printTypeLibrary(argv[2]);
    if (command == L"icon") return printIcon(argv[2]);
    if (command == L"form") return printForm(argv[2]);
    if (command == L"control") return printControl();
    if (command == L"dpi") return printDpi();
    return 2;
}
