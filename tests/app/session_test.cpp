// A whole session as a user would have it: switch on, press, drag, release, a quiet moment,
// and the replay into the window the user was working in.
#include <gtest/gtest.h>

#include "program_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using Session = ProgramTest;

TEST_F(Session, RecordsADragAndReplaysItIntoTheOtherWindow) {
    ASSERT_TRUE(startProgram());
    const auto editor = desk.addForeignWindow("Editor", {0, 0, 1920, 1040});
    desk.setForeground(editor);
    desk.runFor(300);
    clickSwitch();
    ASSERT_TRUE(form1().btnLDown.enabled());

    const auto p = buttonPoint();
    const auto t0 = desk.nowMs();
    desk.press(p.x, p.y, platform::kLeftButton);
    for (int i = 1; i <= 10; ++i) desk.at(t0 + 40 * i, [this, p, i] { desk.moveMouse(p.x + 6 * i, p.y + 3 * i); });
    desk.at(t0 + 550, [this, p] { desk.release(p.x + 60, p.y + 30, platform::kLeftButton); });
    desk.runFor(550);
    ASSERT_TRUE(rec().Recording);
    const auto recorded = rec().RecBuf;
    EXPECT_EQ(recorded[1].Code, 1);
    EXPECT_EQ(recorded.back().Code, 2);  // the pause before the release leaves no glide
    EXPECT_EQ(rec().TargetHwnd, editor);

    desk.runUntil([&] { return !form1().btnLDown.enabled(); });
    const auto& ev = desk.synthesised();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].flags, platform::kLeftDownFlag);
    EXPECT_EQ(ev[1].flags, platform::kLeftUpFlag);
    EXPECT_EQ(ev[0].cursor, (platform::PixelPoint{recorded[1].X, recorded[1].Y}));
    EXPECT_EQ(ev[1].cursor, (platform::PixelPoint{recorded.back().X, recorded.back().Y}));
    EXPECT_EQ(ev[0].foreground, editor);
    EXPECT_EQ(ev[1].foreground, editor);
    // Every recorded point was visited, in order, after the lead-in move to the first point.
    ASSERT_EQ(desk.cursorMoves().size(), recorded.size());
    for (std::size_t i = 1; i < recorded.size(); ++i) {
        EXPECT_EQ(desk.cursorMoves()[i], (platform::PixelPoint{recorded[i].X, recorded[i].Y}));
    }
    // The pointer tip moved with the drag, so the replay moves between distinct pixels.
    EXPECT_FALSE(ev[0].cursor == ev[1].cursor);
    EXPECT_EQ(form1().recLED.fillColour(), 0xFFFFFFu);
    EXPECT_TRUE(rec().RecBuf.empty());

    // The program keeps running afterwards and ends by its exit command.
    desk.runFor(500);
    EXPECT_TRUE(desk.messageBoxes().empty());
    prog().menu.EndRTN_Click();
    EXPECT_TRUE(desk.programEnded());
}

}  // namespace
}  // namespace quilltest
