// The on-screen button's recorder: codes, positions, captions and the deferred release.
#include <gtest/gtest.h>

#include "gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using Recorder = GestureTest;

TEST_F(Recorder, APressStartsAGestureAndTheCaptionNamesTheTipPixel) {
    st().PointerX = 12000;
    st().PointerY = 9000;
    ASSERT_EQ(prog().engine.btnLDown_MouseDown({1, 0, 100, 100}), RunError::None);
    EXPECT_TRUE(rec().Recording);
    EXPECT_EQ(form1().label1.caption(), "1>800:600(1)");
    EXPECT_EQ(prog().form2View.label1.caption(), "1");
    EXPECT_EQ(form1().recLED.fillColour(), 0x0000FFu);
    EXPECT_TRUE(form1().uWaitObj.enabled());
    EXPECT_EQ(rec().EventCode, 0);
}

TEST_F(Recorder, ClicksWithEachButtonGiveTheirPairOfCodesAtOnePixel) {
    for (Integer button : {platform::kLeftButton, platform::kRightButton, platform::kMiddleButton}) {
        rec().Recording = false;
        const auto p = buttonPoint();
        desk.click(p.x, p.y, button);
        desk.doEvents();
        const auto& buf = rec().RecBuf;
        ASSERT_EQ(buf.size(), 3u);
        const Long down = button == 1 ? 1 : button == 2 ? 3 : 7;
        EXPECT_EQ(codes(), (std::vector<Long>{down, down + 1}));
        EXPECT_EQ(buf[1].X, buf[2].X);
        EXPECT_EQ(buf[1].Y, buf[2].Y);
    }
}

TEST_F(Recorder, ADoubleClickRecordsDownUpDownUp) {
    clickButton();
    clickButton();
    EXPECT_EQ(codes(), (std::vector<Long>{1, 2, 1, 2}));
}

TEST_F(Recorder, OnlyStepsThatMoveTheTipToAnotherPixelAreRecorded) {
    const auto p = buttonPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.doEvents();
    ASSERT_EQ(prog().engine.RecordStep(), RunError::None);  // the same pixel, but no longer code 1
    const Long before = rec().RecCount;
    ASSERT_EQ(prog().engine.RecordStep(), RunError::None);  // nothing changed
    EXPECT_EQ(rec().RecCount, before);
    desk.moveMouse(p.x + 20, p.y + 5);
    desk.doEvents();
    ASSERT_EQ(rec().RecCount, before + 1);
    const auto& r = rec().RecBuf.back();
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.BodyLeft, form1Rect().left * 15);
    EXPECT_EQ(r.Angle, st().BodyAngle);
    EXPECT_EQ(r.SwitchLeft, desk.windowRect(prog().form2View.hWnd()).left * 15);
    EXPECT_EQ(r.X, (st().PointerX + 7) / 15);
}

TEST_F(Recorder, AFlickDefersTheReleaseUntilTheGlideEnds) {
    const auto p = buttonPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.moveMouse(p.x + 10, p.y);
    desk.doEvents();
    desk.after(10, [&] { desk.release(p.x + 10, p.y, platform::kLeftButton); });
    desk.runFor(10);
    EXPECT_EQ(st().ThrowTicks, 100);
    EXPECT_TRUE(st().Throwing);
    EXPECT_NE(rec().RecBuf.back().Code, 2);  // held back
    desk.runUntil([&] { return !st().Throwing; });
    EXPECT_EQ(rec().RecBuf.back().Code, 2);
    EXPECT_EQ(rec().ReleasedButton, 0);
    EXPECT_EQ(rec().RecBuf.back().BodyLeft, form1Rect().left * 15);  // after the last glide step
}

TEST_F(Recorder, ButtonReleasesFlickWithAThousandOverDt) {
    clickButton();
    st().ThrowDX = 15;
    st().LastMoveTime = prog().mouse.clockMs() - 100;
    ASSERT_EQ(prog().engine.btnLDown_MouseUp({1, 0, 0, 0}), RunError::None);
    EXPECT_EQ(st().ThrowTicks, 10);
    EXPECT_TRUE(st().Throwing);
    EXPECT_EQ(rec().ReleasedButton, 1);
}

}  // namespace
}  // namespace quilltest
