// The real desktop skips window work nobody can see (moves to where a window is, labels told
// what they already show, children repainted under an unchanged picture). After every step of
// a drag, a recording and the switch, the screen must show what a full repaint of every window
// shows, and the labels the captions the program gave them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/program.h"
#include "common/win32/unique_handle.h"
#include "mouse_window/lumo_ctrl_engine.h"
#include "common/win32/text.h"
#include "platform/win32/win32_desktop.h"

namespace {

using namespace quill;
using platform::win32::toHwnd;

// What the screen shows in a rectangle, read back as a user would see it.
std::vector<std::uint32_t> screenPixels(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::WindowDc screen(nullptr);
    win32::UniqueDc mem(CreateCompatibleDC(screen.get()));
    win32::UniqueBitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        win32::SelectGuard select(mem.get(), dib.get());
        BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    const auto* p = static_cast<const std::uint32_t*>(bits);
    return {p, p + static_cast<std::size_t>(w) * h};
}

class ScreenSteps : public ::testing::Test {
protected:
    ScreenSteps() : desk(GetModuleHandleW(nullptr)), program(desk, lumo) {}

    // The windows on screen once the desktop has settled: wait as the program's loop does (Wine
    // puts what was painted on the screen when the program next waits), pump, and repeat until
    // two reads agree.
    std::vector<std::uint32_t> settledScreen() {
        std::vector<std::uint32_t> last;
        for (int i = 0; i < 50; ++i) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 60, QS_ALLINPUT);
            desk.doEvents();
            std::vector<std::uint32_t> now = screenPixels(area());
            if (now == last) return now;
            last = std::move(now);
        }
        return last;
    }
    // The body and its switch, with a margin where the switch may trail.
    RECT area() {
        RECT body{};
        GetWindowRect(toHwnd(program.form1View.hWnd()), &body);
        return {body.left - 80, body.top - 80, body.right + 80, body.bottom + 80};
    }
    void expectScreenAsAFullRepaint(const char* step) {
        const std::vector<std::uint32_t> shown = settledScreen();
        for (platform::Form* f : {static_cast<platform::Form*>(&program.form1View),
                                  static_cast<platform::Form*>(&program.form2View)}) {
            RedrawWindow(toHwnd(f->hWnd()), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        const std::vector<std::uint32_t> repainted = settledScreen();
        ASSERT_EQ(repainted.size(), shown.size());
        std::size_t differ = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) differ += shown[i] != repainted[i];
        EXPECT_EQ(differ, 0u) << "pixels differ after: " << step;
        EXPECT_EQ(labelText(program.form1View), program.form1View.label1.caption()) << step;
        EXPECT_EQ(labelText(program.form2View), program.form2View.label1.caption()) << step;
    }
    // Each form's first label child is its hidden Label1.
    static std::string labelText(platform::Form& f) {
        wchar_t text[256] = {};
        GetDlgItemTextW(toHwnd(f.hWnd()), 100, text, 256);
        return win32::narrow(text);
    }
    platform::MouseArgs at(Single x, Single y, Integer button = platform::kLeftButton) { return {button, 0, x, y}; }

    platform::win32::Win32Desktop desk;
    mouse_window::EngineLumoCtrl lumo;
    app::Program program;
};

TEST_F(ScreenSteps, EveryStepShowsWhatAFullRepaintShows) {
    ASSERT_TRUE(program.start());
    expectScreenAsAFullRepaint("start");
    // A drag of the body in uneven steps: it turns, the switch trails, the lamp circles.
    mouse_window::MouseWindow& mouse = program.mouse;
    RECT start{};
    GetWindowRect(toHwnd(program.form1View.hWnd()), &start);
    ASSERT_EQ(mouse.Form_MouseDown(at(975, 975)), RunError::None);
    const Single steps[][2] = {{1005, 975}, {1050, 990}, {1050, 1050}, {990, 1110}, {900, 1050}, {975, 1035}, {975, 975}};
    for (const auto& s : steps) {
        ASSERT_EQ(mouse.Form_MouseMove(at(s[0], s[1])), RunError::None);
        expectScreenAsAFullRepaint("drag");
    }
    ASSERT_EQ(mouse.Form_MouseUp(at(975, 975)), RunError::None);
    RECT end{};
    GetWindowRect(toHwnd(program.form1View.hWnd()), &end);
    EXPECT_EQ(end.left - start.left, 8);  // each step moved it by its twips, 15 to the pixel
    EXPECT_EQ(end.top - start.top, 24);
    // The switch on, a press on the button and a move while recording: the lamp turns red and
    // both hidden labels take new captions. The heartbeat waits meanwhile: a recording that goes
    // quiet while the screen is read would end in a replay that clicks on the real desktop and
    // changes the screen between two reads.
    program.form1View.timer1.setEnabled(false);
    ASSERT_EQ(program.form2.Picture1_Click(), RunError::None);
    expectScreenAsAFullRepaint("switch on");
    ASSERT_EQ(program.engine.btnLDown_MouseDown(at(600, 600)), RunError::None);
    expectScreenAsAFullRepaint("recording");
    ASSERT_EQ(program.engine.btnLDown_MouseMove(at(690, 630)), RunError::None);
    expectScreenAsAFullRepaint("recorded move");
    ASSERT_NE(program.form1View.label1.caption(), "Label1");
    // A right press on the body discards the gesture, so nothing is replayed.
    ASSERT_EQ(mouse.Form_MouseDown(at(975, 975, platform::kRightButton)), RunError::None);
    ASSERT_FALSE(program.engine.state().Recording);
    program.form1View.timer1.setEnabled(true);
    ASSERT_EQ(program.form2.Picture1_Click(), RunError::None);
    expectScreenAsAFullRepaint("switch off");
    ASSERT_EQ(program.menu.EndRTN_Click(), RunError::None);
}

}  // namespace
