// Looks at another program's message box from outside:
//   window_probe box <title>      prints the box's text (UTF-8); exit 1 when there is none
//   window_probe dismiss <title>  presses its OK button
//   window_probe menu -           prints the open popup menu's rectangle
//   window_probe tray -           prints the screen centre of the first notification icon
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The static text of a standard message box has the control id 0xFFFF.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring wide(const char* s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s, -1, w.data(), n);
    w.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return w;
}

int printText(HWND box) {
    wchar_t text[512] = {};
    GetDlgItemTextW(box, kMessageBoxTextId, text, 512);
    char utf8[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::fputs(utf8, stdout);
    return 0;
}

int printRect(HWND w) {
    RECT r{};
    if (!w || !IsWindowVisible(w) || !GetWindowRect(w, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

// Wine's stand-alone notification area lays its icons out as child windows; its own frame
// sometimes carries a caption and sometimes not, so only Win32's rectangles say where they are.
int printFirstTrayIcon() {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray || !IsWindowVisible(tray)) return 1;
    HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr);
    RECT r{};
    if (!icon || !IsWindowVisible(icon) || !GetWindowRect(icon, &r) || r.right <= r.left) return 1;
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string command = argv[1];
    if (command == "menu") return printRect(FindWindowW(L"#32768", nullptr));  // the popup menu class
    if (command == "tray") return printFirstTrayIcon();
    HWND box = FindWindowW(L"#32770", wide(argv[2]).c_str());
    if (!box) return 1;
    if (command == "box") return printText(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}
