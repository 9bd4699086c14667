#include "platform/win32/menu_watch_win32.h"

namespace quill::platform::win32 {

namespace {
constexpr UINT kWatchMs = 50;
constexpr SHORT kDown = static_cast<SHORT>(0x8000);
constexpr SHORT kPressedSinceLastLook = 0x0001;
constexpr const wchar_t* kMenuWindowClass = L"#32768";

MenuWatch* watching = nullptr;

// Reading a key's state also forgets a press made before: what happened before the menu opened
// does not count.
ButtonStates readButtons() {
    return {GetAsyncKeyState(VK_LBUTTON), GetAsyncKeyState(VK_RBUTTON), GetAsyncKeyState(VK_MBUTTON)};
}

bool cursorOverAMenu() {
    POINT p{};
    if (!GetCursorPos(&p)) return true;  // nowhere to tell: leave the menu to the user
    wchar_t cls[16] = {};
    HWND under = WindowFromPoint(p);
    return under && GetClassNameW(under, cls, 16) && lstrcmpW(cls, kMenuWindowClass) == 0;
}
}  // namespace

NewPresses::NewPresses(const ButtonStates& atOpen) {
    for (std::size_t i = 0; i < atOpen.size(); ++i) wasDown_[i] = (atOpen[i] & kDown) != 0;
}

// A press between two looks shows only in the low bit; a button held over several looks is one
// press, so that a drag out of the menu is not taken for a click outside it.
bool NewPresses::anyIn(const ButtonStates& now) {
    bool pressed = false;
    for (std::size_t i = 0; i < now.size(); ++i) {
        const bool down = (now[i] & kDown) != 0;
        pressed = pressed || (down && !wasDown_[i]) || (now[i] & kPressedSinceLastLook) != 0;
        wasDown_[i] = down;
    }
    return pressed;
}

MenuWatch::MenuWatch() : presses_(readButtons()), id_(SetTimer(nullptr, 0, kWatchMs, onTick)) {
    (void)GetAsyncKeyState(VK_ESCAPE);  // an Esc from before the menu opened does not count
    watching = this;
}

MenuWatch::~MenuWatch() {
    watching = nullptr;
    if (id_) KillTimer(nullptr, id_);
}

void CALLBACK MenuWatch::onTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!watching) return;
    const bool escape = (GetAsyncKeyState(VK_ESCAPE) & (kDown | kPressedSinceLastLook)) != 0;
    if (escape || (watching->presses_.anyIn(readButtons()) && !cursorOverAMenu())) EndMenu();
}

}  // namespace quill::platform::win32
