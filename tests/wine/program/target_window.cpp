// A window of the tests that a replay aims at: an ordinary, activatable window that logs every
// mouse button message it receives, and the moves made while a button is held, one line each:
//   <message time ms> <DOWN|UP|DBL>_<L|R|M> <screen x> <screen y>
//   <message time ms> MOVE <screen x> <screen y>
// It starts by printing "READY <left> <top> <right> <bottom>" (its client area on screen).
//   target_window <left> <top> <width> <height> [<title>]    (title "Quill target" by default)
#include <windows.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct ButtonMessage {
    UINT message;
    const char* name;
};
constexpr ButtonMessage kButtons[] = {
    {WM_LBUTTONDOWN, "DOWN_L"}, {WM_LBUTTONUP, "UP_L"}, {WM_LBUTTONDBLCLK, "DBL_L"},
    {WM_RBUTTONDOWN, "DOWN_R"}, {WM_RBUTTONUP, "UP_R"}, {WM_RBUTTONDBLCLK, "DBL_R"},
    {WM_MBUTTONDOWN, "DOWN_M"}, {WM_MBUTTONUP, "UP_M"}, {WM_MBUTTONDBLCLK, "DBL_M"},
};

void log(HWND h, const char* what, LPARAM l) {
    POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    ClientToScreen(h, &p);
    std::printf("%ld %s %ld %ld\n", static_cast<long>(GetMessageTime()), what, p.x, p.y);
    std::fflush(stdout);
}

LRESULT CALLBACK targetProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    for (const ButtonMessage& b : kButtons) {
        if (msg == b.message) {
            log(h, b.name, l);
            return 0;
        }
    }
    if (msg == WM_MOUSEMOVE && (w & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) log(h, "MOVE", l);
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, msg, w, l);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) return 2;
    wchar_t title[64] = L"Quill target";
    if (argc == 6) MultiByteToWideChar(CP_UTF8, 0, argv[5], -1, title, 64);
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]), width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = targetProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"QuillTarget";
    if (!RegisterClassW(&wc)) return 1;
    HWND h = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
                             height, nullptr, nullptr, wc.hInstance, nullptr);
    if (!h) return 1;
    SetForegroundWindow(h);
    RECT r{};
    GetClientRect(h, &r);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::printf("READY %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    std::fflush(stdout);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}
