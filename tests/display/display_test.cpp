// The monitor report and the rectangle of the monitor that holds the mouse window.
#include "display/display_info.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_desktop.h"

namespace {

using namespace quill;
using platform::headless::HeadlessDesktop;

struct Client : platform::WindowClient {
    void onMouse(const platform::RawMouse&) override {}
    platform::WindowModel model() const override { return {}; }
    platform::CursorShape cursorAt(Long, Long) const override { return platform::CursorShape::Default; }
    void onCloseMessage(platform::CloseReason) override {}
};

class Display : public ::testing::Test {
protected:
    HeadlessDesktop d;
    Client client;
    display::DisplayInfo info{d};
    platform::WindowHandle form1 = 0;
    void place(const platform::PixelRect& r) {
        form1 = d.createWindow(client, "Quillora", r, platform::Placement::Given);
    }
};

TEST_F(Display, OneMonitorReportsSevenLines) {
    d.setMonitors({{65537, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1}});
    place({100, 100, 230, 230});
    std::string report;
    ASSERT_EQ(info.GetDisplayInfo(form1, &report), RunError::None);
    EXPECT_EQ(report,
              "Monitor handle: 65537\r\n"
              "Monitor Start Left/Start Top: 0/0\r\n"
              "Monitor Width/Height: 1920x1080\r\n"
              "Primary monitor: True\r\n"
              "Form1 is located on this monitor\r\n"
              "The point (0, 0) lies wihthin the range of this monitor...\r\n"
              "The rectangle of Form1 lies within this monitor\r\n");
    EXPECT_EQ(info.MonLeft, 0);
    EXPECT_EQ(info.MonTop, 0);
    EXPECT_EQ(info.MonWidth, 1920);
    EXPECT_EQ(info.MonHeight, 1080);
}

TEST_F(Display, ASecondMonitorLeftOfThePrimaryHasANegativeLeftEdge) {
    d.setMonitors({{1, {0, 0, 1920, 1080}, {}, 1}, {2, {-1280, 0, 0, 800}, {}, 0}});
    place({-700, 100, -570, 230});
    std::string report;
    ASSERT_EQ(info.GetDisplayInfo(form1, &report), RunError::None);
    EXPECT_EQ(report,
              "Monitor handle: 1\r\n"
              "Monitor Start Left/Start Top: 0/0\r\n"
              "Monitor Width/Height: 1920x1080\r\n"
              "Primary monitor: True\r\n"
              "The point (0, 0) lies wihthin the range of this monitor...\r\n"
              "Monitor handle: 2\r\n"
              "Monitor Start Left/Start Top: -1280/0\r\n"
              "Monitor Width/Height: 1280x800\r\n"
              "Primary monitor: False\r\n"
              "Form1 is located on this monitor\r\n"
              "The rectangle of Form1 lies within this monitor\r\n");
    EXPECT_EQ(info.MonLeft, -1280);
    EXPECT_EQ(info.MonWidth, 1280);
    EXPECT_EQ(info.MonHeight, 800);
}

TEST_F(Display, AStraddlingWindowBelongsToTheMonitorWithTheLargerPart) {
    d.setMonitors({{1, {0, 0, 1920, 1080}, {}, 1}, {2, {-1280, 0, 0, 800}, {}, 0}});
    place({-30, 100, 100, 230});
    ASSERT_EQ(info.GetDisplayInfo(form1), RunError::None);
    EXPECT_EQ(info.MonLeft, 0);
    d.moveWindow(form1, {-100, 100, 30, 230});
    ASSERT_EQ(info.GetDisplayInfo(form1), RunError::None);
    EXPECT_EQ(info.MonLeft, -1280);
}

TEST_F(Display, AWidthBeyondALongIsAnOverflow) {
    d.setMonitors({{1, {-2147483647, 0, 2147483647, 10}, {}, 1}});
    place({0, 0, 5, 5});
    EXPECT_EQ(info.GetDisplayInfo(form1), RunError::Overflow);
}

}  // namespace
