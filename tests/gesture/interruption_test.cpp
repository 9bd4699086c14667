// What the user can do while a replay runs: press the button, right-click the body, click the
// switch, open the about box or exit.
#include <gtest/gtest.h>

#include "gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;

class Interruption : public GestureTest {
protected:
    // A press, a drag and a release: the replay holds the left button down in between.
    void recordAndStartReplay() {
        recordPressDragRelease();
        total_ = rec().RecCount;
    }
    // Once the replay has pressed the button, does the action (inside the replay's wait).
    void duringHeldButton(const std::function<void()>& action) {
        whenTrue([&] { return !desk.synthesised().empty(); }, action);
    }
    Long total_ = 0;
    std::vector<Long> flags() const {
        std::vector<Long> f;
        for (const auto& e : desk.synthesised()) f.push_back(e.flags);
        return f;
    }
};

TEST_F(Interruption, ExitDuringTheReplayReleasesTheHeldButtonAndEndsCleanly) {
    recordAndStartReplay();
    duringHeldButton([&] { prog().menu.EndRTN_Click(); });
    EXPECT_NO_THROW(prog().run());
    EXPECT_TRUE(desk.programEnded());
    EXPECT_EQ(prog().forms.count(), 0);
    EXPECT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    EXPECT_FALSE(prog().engine.replaying());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

TEST_F(Interruption, TheSessionEndingDuringTheReplayReleasesTheButtonBeforeItsHandlerReturns) {
    recordAndStartReplay();
    duringHeldButton([&] { desk.endSession(); });
    EXPECT_NO_THROW(prog().run());
    // The system may end the process as soon as the handler returns: the release is already out.
    EXPECT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    EXPECT_TRUE(desk.programEnded());
    EXPECT_FALSE(desk.trayTip());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

TEST_F(Interruption, TheProgramEndingDuringTheWaitAlsoReleasesTheButton) {
    recordAndStartReplay();
    duringHeldButton([&] { desk.endProgram(); });
    EXPECT_NO_THROW(prog().run());
    EXPECT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
}

TEST_F(Interruption, PressesOnTheButtonDuringAReplayAreIgnored) {
    recordAndStartReplay();
    duringHeldButton([&] {
        const auto p = buttonPoint();
        desk.click(p.x, p.y);
    });
    runUntilReplayed();
    EXPECT_FALSE(rec().Recording);
    EXPECT_TRUE(rec().RecBuf.empty());
    EXPECT_EQ(flags().back(), platform::kLeftUpFlag);
    EXPECT_EQ(form1().label1.caption().rfind(std::to_string(total_) + ">", 0), 0u) << form1().label1.caption() << " " << total_;
}

TEST_F(Interruption, ARightClickOnTheBodyDoesNotCutTheReplaysRecords) {
    recordAndStartReplay();
    duringHeldButton([&] {
        const auto p = bodyPoint();
        desk.click(p.x, p.y, platform::kRightButton);
    });
    runUntilReplayed();
    EXPECT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    EXPECT_EQ(form1().recLED.fillColour(), 0xFFFFFFu);
}

TEST_F(Interruption, TheSwitchAndTheAboutBoxDuringAReplayLeaveItWhole) {
    recordAndStartReplay();
    duringHeldButton([&] {
        clickSwitch();  // off
        clickSwitch();  // on again
        prog().menu.View_Version_Click();
    });
    runUntilReplayed();
    EXPECT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    EXPECT_FALSE(form1().btnLDown.enabled());  // the replay's end switches it off
    EXPECT_TRUE(prog().frmAboutView.visible());
    // The heartbeat goes on afterwards, never nested.
    desk.runFor(300);
    EXPECT_EQ(form1().timer1.interval(), 100);
}

TEST_F(Interruption, ACompletedReplayNeverLeavesAButtonDown) {
    // A gesture that ends with the button still pressed (the user held it past the quiet time).
    rec().RecBuf = {{}, {300, 200, 6000, 4500, 45, 3000, 3000, 1, 0}, {320, 200, 6000, 4500, 45, 3000, 3000, 0, 2}};
    rec().RecCount = 2;
    ASSERT_EQ(prog().engine.PlayGesture(), RunError::None);
    EXPECT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    EXPECT_EQ(desk.synthesised().back().cursor, (platform::PixelPoint{320, 200}));
}

}  // namespace
}  // namespace quilltest
