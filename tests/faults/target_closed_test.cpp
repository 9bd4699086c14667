// The replay's target window closing: in the middle of the replay, with a replayed button
// held, or before the replay begins. The replay goes on into whatever is in front and ends
// cleanly; no synthesised button is left held down, and the next gesture works.
#include <gtest/gtest.h>

#include "../gesture/gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;

class TargetClosed : public GestureTest {
protected:
    std::vector<Long> flags() const {
        std::vector<Long> f;
        for (const auto& e : desk.synthesised()) f.push_back(e.flags);
        return f;
    }
    void expectEndedCleanly() {
        EXPECT_FALSE(desk.exists(notepad));
        EXPECT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
        EXPECT_EQ(form1().recLED.fillColour(), 0xFFFFFFu);
        EXPECT_TRUE(desk.messageBoxes().empty());
        EXPECT_FALSE(desk.programEnded());
        // The next gesture records and replays as any other.
        clickSwitch();
        clickButton();
        runUntilReplayed();
        EXPECT_EQ(desk.synthesised().size(), 4u);
    }
};

TEST_F(TargetClosed, WithAReplayedButtonHeldTheReplayGoesOnAndReleasesIt) {
    recordPressDragRelease();
    whenTrue([&] { return !desk.synthesised().empty(); }, [&] { desk.closeForeignWindow(notepad); });
    runUntilReplayed();
    ASSERT_EQ(desk.synthesised().size(), 2u);
    EXPECT_EQ(desk.synthesised()[0].foreground, notepad);
    EXPECT_EQ(desk.synthesised()[1].foreground, 0);  // nothing in front any more
    expectEndedCleanly();
}

TEST_F(TargetClosed, BeforeTheReplayBeginsItsRequestToComeForwardGoesNowhere) {
    recordPressDragRelease();
    desk.closeForeignWindow(notepad);
    runUntilReplayed();
    expectEndedCleanly();
}

}  // namespace
}  // namespace quilltest
