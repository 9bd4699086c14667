// The floor of a drag step: the least a program must do on every captured mouse move to drag a
// colour-keyed body with a companion in tow. A 130 by 130 topmost layered window keyed on green
// follows the drag and repaints its whole picture; a 47 by 48 layered window is moved beside
// it. The measuring script drives it exactly as it drives Quillora and compares their CPU.
// Prints "READY <left> <top>" once shown.
#include <windows.h>
#include <windowsx.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kBody = 130;
constexpr int kCompanionW = 47, kCompanionH = 48;
constexpr COLORREF kKey = RGB(0, 255, 0);

struct Floor {
    HWND body = nullptr;
    HWND companion = nullptr;
    POINT grab{};
    std::vector<std::uint32_t> picture;  // top-down 0x00RRGGBB
    BITMAPINFO info{};
};
Floor floorState;

// A white disc with a black rim on the key colour, like a body.
void drawPicture() {
    floorState.picture.assign(kBody * kBody, 0x0000FF00u);
    for (int y = 0; y < kBody; ++y) {
        for (int x = 0; x < kBody; ++x) {
            const int dx = x - kBody / 2, dy = y - kBody / 2, d2 = dx * dx + dy * dy;
            if (d2 < 50 * 50) floorState.picture[y * kBody + x] = d2 < 47 * 47 ? 0x00FFFFFFu : 0;
        }
    }
    BITMAPINFOHEADER& h = floorState.info.bmiHeader;
    h.biSize = sizeof h;
    h.biWidth = kBody;
    h.biHeight = -kBody;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
}

void paint(HWND w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    if (w == floorState.body) {
        SetDIBitsToDevice(dc, 0, 0, kBody, kBody, 0, 0, 0, kBody, floorState.picture.data(), &floorState.info,
                          DIB_RGB_COLORS);
    } else {
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &ps.rcPaint, red);
        DeleteObject(red);
    }
    EndPaint(w, &ps);
}

void dragTo(HWND w, LPARAM l) {
    RECT r{};
    GetWindowRect(w, &r);
    const int x = r.left + GET_X_LPARAM(l) - floorState.grab.x, y = r.top + GET_Y_LPARAM(l) - floorState.grab.y;
    SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(floorState.companion, nullptr, x - kCompanionW, y - kCompanionH, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CALLBACK floorProc(HWND w, UINT msg, WPARAM wp, LPARAM l) {
    switch (msg) {
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_PAINT: paint(w); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
            floorState.grab = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            SetCapture(w);
            return 0;
        case WM_MOUSEMOVE:
            if ((wp & MK_LBUTTON) && w == floorState.body) dragTo(w, l);
            return 0;
        case WM_LBUTTONUP: ReleaseCapture(); return 0;
        case WM_CLOSE: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(w, msg, wp, l);
    }
}

HWND layered(const wchar_t* cls, const wchar_t* title, int x, int y, int w, int h) {
    HWND win = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls, title,
                               WS_POPUP, x, y, w, h, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetLayeredWindowAttributes(win, kKey, 0, LWA_COLORKEY);
    ShowWindow(win, SW_SHOWNOACTIVATE);
    return win;
}

}  // namespace

int main() {
    drawPicture();
    WNDCLASSW wc{};
    wc.lpfnWndProc = floorProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"QuillDragFloor";
    if (!RegisterClassW(&wc)) return 1;
    floorState.body = layered(wc.lpszClassName, L"Drag floor", 320, 200, kBody, kBody);
    floorState.companion = layered(wc.lpszClassName, L"", 320 - kCompanionW, 200 - kCompanionH, kCompanionW, kCompanionH);
    std::printf("READY 320 200\n");
    std::fflush(stdout);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}
