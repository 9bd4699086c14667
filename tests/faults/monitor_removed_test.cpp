// A monitor going away while the body glides across it: between two ticks, or in the middle
// of the walk over the monitors. The report and the glide go on with the monitors that are
// left, and the body ends up on one of them.
#include <gtest/gtest.h>

#include "../app/program_fixture.h"

namespace quilltest {
namespace {

using namespace quill;

const platform::MonitorInfo kPrimary{1, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1};
const platform::MonitorInfo kRight{2, {1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}, 0};

class MonitorRemoved : public ProgramTest {
protected:
    void SetUp() override {
        desk.setMonitors({kPrimary, kRight});
        desk.setDefaultWindowPosition({2600, 400});  // on the right monitor
        ASSERT_TRUE(startProgram());
        settle();
    }
    // A flick to the right: the body glides on over the right monitor, the heartbeat at 1 ms.
    void flick() {
        flickBody(100, 0);
        desk.runUntil([&] { return form1().timer1.interval() == 1; });
    }
    bool onPrimary() const {
        const auto r = form1Rect();
        return r.left >= 0 && r.top >= 0 && r.right <= 1920 && r.bottom <= 1080;
    }
    std::string report() {
        std::string text;
        EXPECT_EQ(prog().display.GetDisplayInfo(form1().hWnd(), &text), RunError::None);
        return text;
    }
};

TEST_F(MonitorRemoved, BetweenTwoGlideTicksTheBodyComesBackToTheMonitorLeft) {
    flick();
    desk.setMonitors({kPrimary});
    const auto left = form1Rect().left;
    desk.runFor(10);
    EXPECT_LT(form1Rect().left, left);  // the glide goes on, bounced back towards the primary
    settle();
    EXPECT_TRUE(onPrimary());
    EXPECT_EQ(prog().display.MonLeft, 0);
    EXPECT_EQ(prog().display.MonWidth, 1920);
    const std::string text = report();
    EXPECT_EQ(text.find("Monitor handle: 2"), std::string::npos);
    EXPECT_NE(text.find("The rectangle of Form1 lies within this monitor"), std::string::npos);
    EXPECT_TRUE(desk.messageBoxes().empty());
}

TEST_F(MonitorRemoved, InTheMiddleOfTheWalkItsLinesReadAsZerosAndTheGlideGoesOn) {
    flick();
    desk.atNextMonitorQuery([&] { desk.setMonitors({kPrimary}); });
    desk.runFor(1);  // the next glide tick walks the monitors
    const std::string& text = prog().display.MonitorReport;
    EXPECT_NE(text.find("Monitor handle: 2\r\nMonitor Start Left/Start Top: 0/0\r\nMonitor Width/Height: 0x0\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(prog().display.MonLeft, 0);  // the monitor that is left holds the body now
    EXPECT_EQ(prog().display.MonWidth, 1920);
    settle();
    EXPECT_TRUE(onPrimary());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

}  // namespace
}  // namespace quilltest
