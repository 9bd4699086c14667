// Looks at Quillora.exe from outside, for the release tests:
//   release_probe manifest <exe>   prints the manifest embedded in the program (RT_MANIFEST 1),
//                                  read through the resource API as the loader reads it
//   release_probe control -        prints the drawing control's window inside the body window:
//                                  left top width height, in the body's client pixels
//   release_probe dpi -            prints the screen's logical DPI (LOGPIXELSX)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

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

int printControl() {
    HWND body = FindWindowW(nullptr, L"Quillora");
    HWND control = body ? FindWindowExW(body, nullptr, L"LumoCTRLWindow", nullptr) : nullptr;
    RECT r{};
    if (!control || !GetWindowRect(control, &r)) return 1;
    MapWindowPoints(HWND_DESKTOP, body, reinterpret_cast<POINT*>(&r), 2);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int printDpi() {
    HDC screen = GetDC(nullptr);
    std::printf("%d\n", GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return 0;
}

}  // namespace

// The arguments as UTF-16: the narrow ones are in the ANSI code page, which loses the
// Japanese characters of a path.
int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 3) return 2;
    const std::wstring command = argv[1];
    if (command == L"manifest") return printManifest(argv[2]);
    if (command == L"control") return printControl();
    if (command == L"dpi") return printDpi();
    return 2;
}
