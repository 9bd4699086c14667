// Dragging the body and flicking it.
#include <gtest/gtest.h>

#include "../app/program_fixture.h"

namespace quilltest {
namespace {

using namespace quill;

class Drag : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(startProgram()); }
};

TEST_F(Drag, ALeftDragMovesTheBodyAndKeepsThePressedPointUnderTheCursor) {
    const auto start = form1Rect();
    const auto p = bodyPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.moveMouse(p.x + 30, p.y - 12);
    desk.moveMouse(p.x + 50, p.y - 20);
    desk.doEvents();
    EXPECT_EQ(form1Rect().left, start.left + 50);
    EXPECT_EQ(form1Rect().top, start.top - 20);
    EXPECT_DOUBLE_EQ(st().ThrowDX, 20 * 15);
    EXPECT_DOUBLE_EQ(st().ThrowDY, -8 * 15);
}

TEST_F(Drag, TwoButtonsHeldMoveNothingOnTheBodyButDragOnTheButton) {
    const auto start = form1Rect();
    auto p = bodyPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.press(p.x, p.y, platform::kRightButton);
    desk.moveMouse(p.x + 30, p.y);
    desk.release(p.x + 30, p.y, platform::kRightButton);
    desk.release(p.x + 30, p.y, platform::kLeftButton);
    desk.doEvents();
    EXPECT_EQ(form1Rect().left, start.left);

    clickSwitch();
    ASSERT_TRUE(form1().btnLDown.enabled());
    p = buttonPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.press(p.x, p.y, platform::kRightButton);
    desk.moveMouse(p.x + 30, p.y);
    desk.doEvents();
    EXPECT_EQ(form1Rect().left, start.left + 30);
}

TEST_F(Drag, AQuickReleaseFlicksWithFiveThousandOverDt) {
    const auto p = bodyPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.moveMouse(p.x + 10, p.y);
    desk.doEvents();
    desk.after(26, [&] { desk.release(p.x + 10, p.y, platform::kLeftButton); });
    desk.runUntil([&] { return st().Throwing; });
    EXPECT_EQ(st().ThrowTicks, 192);
}

TEST_F(Drag, AReleaseAcrossMidnightDoesNotFlick) {
    desk.setClockMs(86400000 - 10);
    const auto p = bodyPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.moveMouse(p.x + 10, p.y);
    desk.doEvents();
    desk.after(20, [&] { desk.release(p.x + 10, p.y, platform::kLeftButton); });
    desk.runFor(20);
    EXPECT_FALSE(st().Throwing);
    EXPECT_EQ(st().ThrowTicks, 0);
}

TEST_F(Drag, AnIdleHeartbeatClearsTheLastStepSoALateReleaseDoesNotFlick) {
    const auto p = bodyPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.moveMouse(p.x + 10, p.y);
    desk.doEvents();
    desk.runFor(150);  // at least one idle tick
    EXPECT_EQ(st().ThrowDX, 0);
    desk.release(p.x + 10, p.y, platform::kLeftButton);
    desk.doEvents();
    EXPECT_FALSE(st().Throwing);
}

TEST_F(Drag, ARightPressOnTheBodyDiscardsARecording) {
    rec().Recording = true;
    rec().RecBuf.resize(4);
    rec().RecCount = 3;
    const auto p = bodyPoint();
    desk.click(p.x, p.y, platform::kRightButton);
    desk.doEvents();
    EXPECT_FALSE(rec().Recording);
    EXPECT_EQ(rec().RecCount, 0);
    EXPECT_TRUE(rec().RecBuf.empty());
}

}  // namespace
}  // namespace quilltest
