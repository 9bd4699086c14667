#pragma once
// Ends the program's popup menu on Esc and on a button pressed outside it. A menu whose owner
// is not in front hears of neither on Windows (a hover over the icon gives the program no right
// to the foreground), and under Wine a hidden owner cannot take the keyboard: the keys' and
// buttons' states can always be read, so a timer reads them while the menu is open.
#include <windows.h>

#include <array>

namespace quill::platform::win32 {

// The left, right and middle buttons' states as GetAsyncKeyState reports them.
using ButtonStates = std::array<SHORT, 3>;

// Which presses count: a new one since the last look. A button already held when the menu
// opened (the click on the icon that opened it) counts only once it has been let go.
class NewPresses {
public:
    explicit NewPresses(const ButtonStates& atOpen);
    bool anyIn(const ButtonStates& now);

private:
    std::array<bool, 3> wasDown_{};
};

// Watches while it lives; one menu is open at a time on the program's thread.
class MenuWatch {
public:
    MenuWatch();
    ~MenuWatch();
    MenuWatch(const MenuWatch&) = delete;
    MenuWatch& operator=(const MenuWatch&) = delete;

private:
    static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD);

    NewPresses presses_;
    UINT_PTR id_;
};

}  // namespace quill::platform::win32
