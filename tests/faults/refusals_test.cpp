// The system refusing what the program asks: synthesised input blocked, the target kept from
// the front, the notification icon turned away. The program hears of each: input that does not
// go in stops the replay as Esc does; the rest it carries on without, and the exit still works.
#include <gtest/gtest.h>

#include "../gesture/gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using Refusal = platform::headless::HeadlessDesktop::Refusal;

using Refusals = GestureTest;

TEST_F(Refusals, BlockedInputStopsTheReplayAtItsFirstPress) {
    recordPressDragRelease();
    desk.refuse(Refusal::SynthesisedInput);
    desk.refuse(Refusal::Foreground);
    runUntilReplayed();
    EXPECT_TRUE(desk.synthesised().empty());  // nothing went in, so nothing is held or released
    EXPECT_EQ(desk.cursorMoves().size(), 2u);  // the lead's move and the first record's, no more
    EXPECT_FALSE(desk.inputPassesThrough());
    EXPECT_EQ(form1().recLED.fillColour(), 0xFFFFFFu);
    EXPECT_FALSE(form1().uWaitObj.enabled());
    EXPECT_TRUE(desk.messageBoxes().empty());
    EXPECT_FALSE(desk.programEnded());
}

TEST_F(Refusals, ATrayIconTheShellTurnsAwayLeavesTheProgramRunningAndItsExitWhole) {
    prog().menuFormView.unload();
    ASSERT_FALSE(desk.trayTip());
    desk.refuse(Refusal::TrayIcon);
    prog().menu.load();
    EXPECT_FALSE(desk.trayTip());
    clickButton();
    runUntilReplayed();
    EXPECT_EQ(desk.synthesised().size(), 2u);
    ASSERT_EQ(prog().menu.EndRTN_Click(), RunError::None);
    EXPECT_TRUE(desk.programEnded());
    EXPECT_TRUE(desk.messageBoxes().empty());
}

}  // namespace
}  // namespace quilltest
