// Where the replay's clicks land: through the program's own windows into the window beneath,
// until the last one has arrived; and Esc stops a replay at once.
#include <gtest/gtest.h>

#include "gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;

class ReplayLanding : public GestureTest {
protected:
    // A press at tick 4 and a release at tick 100: the replay holds the button for 2.9 s.
    void loadLongPress() {
        rec().RecBuf = {{}, {tip().x, tip().y, 6000, 4500, 45, 3000, 3000, 1, 4},
                       {tip().x, tip().y, 6000, 4500, 45, 3000, 3000, 2, 100}};
        rec().RecCount = 2;
        rec().TargetHwnd = notepad;
    }
    platform::PixelPoint tip() const {
        const auto r = form1Rect();
        return {r.left + r.width() / 2 + 60, r.top + r.height() / 2};
    }
    std::vector<Long> flags() const {
        std::vector<Long> f;
        for (const auto& e : desk.synthesised()) f.push_back(e.flags);
        return f;
    }
};

TEST_F(ReplayLanding, ClicksPassThroughTheBodyToTheWindowBeneathUntilTheLastHasArrived) {
    clickButton();
    bool passingThroughDuring = false;
    whenTrue([&] { return !desk.synthesised().empty(); }, [&] { passingThroughDuring = desk.inputPassesThrough(); });
    runUntilReplayed();
    ASSERT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    const auto body = form1Rect();
    for (const auto& e : desk.synthesised()) {
        // The body covers the tip, so without passing through it would take the click itself.
        ASSERT_TRUE(e.cursor.x >= body.left && e.cursor.x < body.right && e.cursor.y >= body.top &&
                    e.cursor.y < body.bottom);
        EXPECT_EQ(e.receiver, notepad);
    }
    EXPECT_TRUE(passingThroughDuring);
    EXPECT_FALSE(desk.inputPassesThrough());
}

TEST_F(ReplayLanding, AfterwardsTheBodyAndTheSwitchTakeRealInputAgain) {
    clickButton();
    runUntilReplayed();
    clickSwitch();
    EXPECT_TRUE(form1().btnLDown.enabled());
    const auto before = form1Rect();
    const auto p = bodyPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.moveMouse(p.x + 40, p.y + 10);
    desk.release(p.x + 40, p.y + 10, platform::kLeftButton);
    desk.doEvents();
    EXPECT_EQ(form1Rect().left, before.left + 40);
    EXPECT_EQ(form1Rect().top, before.top + 10);
}

TEST_F(ReplayLanding, EscStopsTheReplayAtOnceAndLeavesItAsAfterANormalOne) {
    loadLongPress();
    std::int64_t escAt = 0;
    whenTrue([&] { return !desk.synthesised().empty(); }, [&] {
        escAt = desk.nowMs() + 200;
        desk.at(escAt, [&] { desk.typeEscape(); });
    });
    ASSERT_EQ(prog().engine.PlayGesture(), RunError::None);
    ASSERT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    const auto& up = desk.synthesised().back();
    EXPECT_LE(up.timeMs - escAt, 10);  // within one tick, not at the recorded 3 s
    EXPECT_EQ(up.receiver, notepad);
    EXPECT_FALSE(prog().engine.replaying());
    EXPECT_FALSE(desk.inputPassesThrough());
    EXPECT_EQ(form1().recLED.fillColour(), 0xFFFFFFu);
    EXPECT_FALSE(form1().btnLDown.enabled());
    EXPECT_FALSE(form1().uWaitObj.enabled());
    EXPECT_EQ(rec().WaitCount, 0);
}

TEST_F(ReplayLanding, AnEscTypedBeforeTheReplayOrOutsideOneStopsNothing) {
    desk.typeEscape();
    ASSERT_EQ(prog().engine.WaitTicks(3), gesture::Wait::Done);  // not a replay: Esc is not its business
    loadLongPress();
    desk.typeEscape();
    const auto start = desk.nowMs();
    ASSERT_EQ(prog().engine.PlayGesture(), RunError::None);
    ASSERT_EQ(flags(), (std::vector<Long>{platform::kLeftDownFlag, platform::kLeftUpFlag}));
    EXPECT_EQ(desk.synthesised().back().timeMs - start, 50 + 3000);
}

}  // namespace
}  // namespace quilltest
