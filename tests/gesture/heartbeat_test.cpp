// The heartbeat: the end of a recording, the target window, glides and push-back, WaitTicks.
#include <gtest/gtest.h>

#include "gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using Heartbeat = GestureTest;

TEST_F(Heartbeat, ARecordingEndsOnceMoreThanTwentyTicksPassedSinceItsLastRecord) {
    clickButton();
    rec().LastRecTick = 40;
    rec().WaitCount = 60;
    ASSERT_EQ(prog().engine.Timer1_Timer(), RunError::None);
    EXPECT_TRUE(rec().Recording);
    rec().WaitCount = 61;
    ASSERT_EQ(prog().engine.Timer1_Timer(), RunError::None);
    EXPECT_FALSE(rec().Recording);
    EXPECT_TRUE(rec().RecBuf.empty());  // replayed, then freed
    EXPECT_EQ(rec().RecCount, 0);
}

TEST_F(Heartbeat, OnlyAnotherProgramsWindowBecomesTheTarget) {
    clickButton();
    desk.runFor(100);
    EXPECT_EQ(rec().TargetHwnd, notepad);
    for (platform::WindowHandle own : {form1().hWnd(), prog().about.load(), prog().menu.hWnd()}) {
        desk.setForeground(own);
        ASSERT_EQ(prog().engine.Timer1_Timer(), RunError::None);
        EXPECT_EQ(rec().TargetHwnd, notepad);
    }
    const auto other = desk.addForeignWindow("Other", {0, 0, 10, 10});
    desk.setForeground(other);
    ASSERT_EQ(prog().engine.Timer1_Timer(), RunError::None);
    EXPECT_EQ(rec().TargetHwnd, other);
}

TEST_F(Heartbeat, TellingOwnWindowsFromTheTargetLoadsNoForm) {
    clickButton();
    desk.runFor(150);  // recording ticks compare the foreground with the program's windows
    EXPECT_EQ(rec().TargetHwnd, notepad);
    EXPECT_FALSE(prog().frmAboutView.loaded());
    EXPECT_EQ(prog().forms.count(), 3);  // Form1, MenuForm, Form2
}

TEST_F(Heartbeat, AGlideRunsAtOneMillisecondAndReturnsToAHundred) {
    st().Throwing = true;
    st().ThrowTicks = 5;
    st().ThrowDX = 150;
    const auto start = form1Rect().left;
    desk.runUntil([&] { return form1().timer1.interval() == 1; });
    desk.runUntil([&] { return !st().Throwing; });
    EXPECT_EQ(form1().timer1.interval(), 1);
    desk.runFor(5);
    EXPECT_EQ(form1().timer1.interval(), 100);
    // Four steps of 150, 120, 96 and 76.8 twips, each whole pixels.
    EXPECT_EQ(form1Rect().left - start, 10 + 8 + 6 + 5);
}

TEST_F(Heartbeat, ABodyBelowTheMonitorIsPushedBackStepByStep) {
    ASSERT_EQ(form1().setTop((1080 - 60) * 15), RunError::None);  // 70 pixels below the edge
    std::vector<Long> tops;
    desk.runUntil([&] {
        tops.push_back(form1Rect().top);
        return form1().timer1.interval() == 100 && form1Rect().bottom <= 1080;
    });
    ASSERT_GE(tops.size(), 3u);
    for (std::size_t i = 1; i < tops.size(); ++i) {
        EXPECT_TRUE(tops[i] == tops[i - 1] || tops[i - 1] - tops[i] == 5) << i;  // 80 twips: 5 whole pixels
    }
    EXPECT_LE(form1Rect().bottom, 1080);
    EXPECT_GT(form1Rect().bottom, 1080 - 6);
}

TEST_F(Heartbeat, WaitTicksReturnsAtOnceForZeroOrLessAndAfterTheFifthTick) {
    for (double n : {0.0, -3.0}) {
        const long passes = desk.pumpPasses();
        const auto now = desk.nowMs();
        EXPECT_EQ(prog().engine.WaitTicks(n), gesture::Wait::Done);
        EXPECT_EQ(desk.pumpPasses() - passes, 1);
        EXPECT_EQ(desk.nowMs(), now);
    }
    const auto now = desk.nowMs();
    EXPECT_EQ(prog().engine.WaitTicks(5), gesture::Wait::Done);
    EXPECT_EQ(desk.nowMs() - now, 50);
    EXPECT_EQ(rec().WaitCount, 5);
    EXPECT_FALSE(form1().uWaitObj.enabled());
}

TEST_F(Heartbeat, TheCounterReportsOverflowInsteadOfWrapping) {
    rec().WaitCount = 2147483647;
    EXPECT_EQ(prog().engine.uWaitObj_Timer(), RunError::Overflow);
}

}  // namespace
}  // namespace quilltest
