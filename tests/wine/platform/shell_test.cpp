// The real desktop's shell and boxes: the notification icon is the small picture for the
// screen's scale; an error box comes to the front above every window while the program's
// windows let the mouse through and ignore it; the popup menu's watch takes only new presses.
#include <gtest/gtest.h>

#include "platform/win32/menu_watch_win32.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/window_classes_win32.h"

namespace {

using namespace quill;
using namespace quill::platform;
using platform::win32::toHwnd;

TEST(Win32Shell, TheNotificationIconIsTheSmallPictureForTheScreensScale) {
    const auto icon = platform::win32::loadSmallAppIcon(GetModuleHandleW(nullptr));  // the test's own copy
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(colour.bmHeight, GetSystemMetrics(SM_CYSMICON));
    EXPECT_LT(colour.bmWidth, GetSystemMetrics(SM_CXICON));  // not the application icon's large size
}

struct MouseCounter final : WindowClient {
    void onMouse(const RawMouse& m) override { presses += m.action == MouseAction::Down ? 1 : 0; }
    WindowModel model() const override { return {}; }
    CursorShape cursorAt(Long, Long) const override { return CursorShape::Default; }
    void onCloseMessage(CloseReason) override {}
    int presses = 0;
};

// What the test saw from inside the box's modal loop, where a thread timer's procedure runs.
struct WhileTheBoxIsOpen {
    HWND window = nullptr;
    MouseCounter* client = nullptr;
    bool looked = false, topmost = false, inFront = false, windowPassesTheMouse = false;
    int pressesHeard = 0;
};
WhileTheBoxIsOpen seen;
constexpr const wchar_t* kBoxTitle = L"QuilloraShellTest";

void CALLBACK lookAtTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowW(L"#32770", kBoxTitle);
    if (!box || seen.looked) return;
    seen.looked = true;
    seen.topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    seen.inFront = GetForegroundWindow() == box;
    seen.windowPassesTheMouse = (GetWindowLongW(seen.window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
    SendMessageW(seen.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(seen.window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    seen.pressesHeard = seen.client->presses;
    KillTimer(nullptr, timer);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(Win32Shell, AnErrorBoxComesToTheFrontAboveEveryWindowWhileTheProgramsWindowsIgnoreTheMouse) {
    platform::win32::Win32Desktop desk(GetModuleHandleW(nullptr));
    MouseCounter client;
    const WindowHandle w = desk.createWindow(client, "body", {40, 40, 100, 100}, Placement::Given);
    ASSERT_NE(w, 0);
    ASSERT_EQ(desk.setTopmost(w, true), Outcome::Done);
    seen = {toHwnd(w), &client};
    ASSERT_NE(SetTimer(nullptr, 0, 50, lookAtTheBox), 0u);
    EXPECT_EQ(desk.messageBox("Run-time error", "QuilloraShellTest", kCriticalIcon), Outcome::Done);
    ASSERT_TRUE(seen.looked);
    EXPECT_TRUE(seen.topmost);
    EXPECT_TRUE(seen.inFront);
    EXPECT_TRUE(seen.windowPassesTheMouse);
    EXPECT_EQ(seen.pressesHeard, 0);
    // Once the box is answered the window takes the mouse again.
    EXPECT_EQ(GetWindowLongW(toHwnd(w), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    SendMessageW(toHwnd(w), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(toHwnd(w), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(client.presses, 1);
    (void)desk.destroyWindow(w);
}

TEST(MenuWatch, TakesANewPressNotTheButtonThatOpenedTheMenuNorOneHeldOn) {
    constexpr SHORT kUp = 0, kDown = static_cast<SHORT>(0x8000), kPressedBetweenLooks = 1;
    platform::win32::NewPresses presses({kDown, kUp, kUp});  // the click on the icon, still held
    EXPECT_FALSE(presses.anyIn({kDown, kUp, kUp}));
    EXPECT_FALSE(presses.anyIn({kUp, kUp, kUp}));  // let go
    EXPECT_TRUE(presses.anyIn({kDown, kUp, kUp}));  // pressed again
    EXPECT_FALSE(presses.anyIn({kDown, kUp, kUp}));  // held on: the same press
    EXPECT_TRUE(presses.anyIn({kUp, kPressedBetweenLooks, kUp}));  // a right click between two looks
    EXPECT_TRUE(presses.anyIn({kUp, kUp, kDown}));
}

}  // namespace
