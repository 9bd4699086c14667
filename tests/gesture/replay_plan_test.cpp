// What a replay sends and when: the button the user recorded whatever the swap, and a double
// click that stays one at a third of the speed while every other interval keeps three times its
// length.
#include <gtest/gtest.h>

#include "gesture/replay_plan.h"
#include "gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using gesture::RecEvent;

constexpr Long kTickMs = 10;

// Records at one point unless told: {code, tick}, or {code, tick, x}.
std::vector<RecEvent> records(std::initializer_list<std::tuple<Long, double, Long>> steps) {
    std::vector<RecEvent> buf(1);
    for (const auto& [code, tick, x] : steps) buf.push_back({x, 200, 0, 0, 0, 0, 0, code, tick});
    return buf;
}

// The ticks of records 1 to n.
std::vector<double> plan(const std::vector<RecEvent>& r, platform::PointerSettings pointer = {}) {
    std::vector<double> at;
    for (const auto& step : gesture::replayPlan(r, static_cast<Long>(r.size()) - 1, pointer, kTickMs)) {
        at.push_back(step.tick);
    }
    at.erase(at.begin());
    return at;
}

TEST(PhysicalFlags, LeftAndRightTradePlacesForALeftHandedUserAndTheMiddleStays) {
    const std::pair<Long, Long> swapped[] = {{1, platform::kRightDownFlag}, {2, platform::kRightUpFlag},
                                             {3, platform::kLeftDownFlag},  {4, platform::kLeftUpFlag},
                                             {7, platform::kMiddleDownFlag}, {8, platform::kMiddleUpFlag}, {0, 0}};
    for (const auto& [code, flags] : swapped) {
        EXPECT_EQ(gesture::physicalFlagsForCode(code, true), flags) << code;
        EXPECT_EQ(gesture::physicalFlagsForCode(code, false), gesture::flagsForCode(code)) << code;
    }
}

TEST(ReplayTicks, AQuickDoubleClickAndEverythingElsePlayAtThreeTimesTheirTicks) {
    // Presses 8 ticks apart: 240 ms replayed, already a double click.
    const auto r = records({{1, 2, 100}, {2, 4, 100}, {1, 10, 100}, {2, 12, 100}, {0, 30, 120}});
    EXPECT_EQ(plan(r), (std::vector<double>{6, 12, 30, 36, 90}));
    // Its second press still keeps to the double-click gap by the clock.
    const auto steps = gesture::replayPlan(r, 5, {}, kTickMs);
    EXPECT_EQ(steps[3].secondPressOf, 1u);
    for (std::size_t i : {1u, 2u, 4u, 5u}) EXPECT_EQ(steps[i].secondPressOf, 0u) << i;
}

TEST(ReplayTicks, ASlowDoubleClickKeepsItsPressesUnderTheDoubleClickTime) {
    // Presses 31 ticks apart (310 ms): 930 ms replayed would be two clicks. The stretch between
    // them plays at 40 / 31 of its pace (400 ms, a fifth under 500); what follows keeps three
    // times its intervals, moved earlier by the 530 ms saved.
    const auto at = plan(records({{1, 0, 100}, {2, 15.5, 100}, {1, 31, 100}, {2, 46.5, 100}, {0, 56.5, 130}}));
    ASSERT_EQ(at.size(), 5u);
    EXPECT_DOUBLE_EQ(at[0], 0);
    EXPECT_DOUBLE_EQ(at[1], 20);
    EXPECT_DOUBLE_EQ(at[2], 40);
    EXPECT_DOUBLE_EQ(at[3], 40 + 3 * 15.5);
    EXPECT_DOUBLE_EQ(at[4], 40 + 3 * 25.5);
}

TEST(ReplayTicks, OnlyTwoPressesTheSystemTookForADoubleClickArePulledTogether) {
    // Another button, a press beyond the double-click rectangle (2 pixels either way of the
    // first), and presses further apart than the double-click time keep three times their gap.
    for (const auto& r : {records({{1, 0, 100}, {3, 20, 100}}), records({{1, 0, 100}, {1, 20, 103}}),
                          records({{1, 0, 100}, {1, 51, 100}})}) {
        EXPECT_DOUBLE_EQ(plan(r).back(), 3 * r.back().Tick);
    }
    // A shorter double-click time of the user's pulls together what it still counts as one.
    platform::PointerSettings quick;
    quick.doubleClickMs = 250;
    EXPECT_DOUBLE_EQ(plan(records({{1, 0, 100}, {1, 20, 100}}), quick).back(), 20);
}

TEST(ReplayTicks, AThirdPressStartsAfreshAsTheSystemDoes) {
    // A triple click: the second press makes the double click, the third is a new first press
    // and keeps three times its distance from the second.
    const auto at = plan(records({{1, 0, 100}, {1, 20, 100}, {1, 40, 100}, {1, 45, 100}}));
    EXPECT_DOUBLE_EQ(at[1], 40);
    EXPECT_DOUBLE_EQ(at[2], 40 + 3 * 20);
    EXPECT_DOUBLE_EQ(at[3], at[2] + 3 * 5);  // a pair of its own, quick enough as it is
}

using ReplayPlan = GestureTest;

TEST_F(ReplayPlan, WithTheButtonsSwappedARecordedLeftClickArrivesAsALeftClick) {
    desk.setButtonsSwapped(true);
    clickButton();
    ASSERT_EQ(rec().RecBuf[1].Code, 1);
    runUntilReplayed();
    const auto& ev = desk.synthesised();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].flags, platform::kRightDownFlag);  // the device's right button is the user's left
    EXPECT_EQ(ev[1].flags, platform::kRightUpFlag);
    EXPECT_EQ(ev[0].button, platform::kLeftButton);
    EXPECT_EQ(ev[1].button, platform::kLeftButton);
}

TEST_F(ReplayPlan, AStoppedReplayReleasesTheButtonItPressedWhateverTheSwap) {
    desk.setButtonsSwapped(true);
    recordPressDragRelease();
    whenTrue([&] { return !desk.synthesised().empty(); }, [&] {
        desk.setButtonsSwapped(false);  // changed in the middle: the replay keeps what it read
        desk.typeEscape();
    });
    runUntilReplayed();
    const auto& ev = desk.synthesised();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].flags, platform::kRightDownFlag);
    EXPECT_EQ(ev[1].flags, platform::kRightUpFlag);
}

class SlowDoubleClick : public GestureTest {
protected:
    // Every gap 155 ms, as long as a recording allows: the presses are 310 ms apart.
    void record() {
        const auto p = buttonPoint();
        const auto t0 = desk.nowMs();
        desk.press(p.x, p.y, platform::kLeftButton);
        desk.at(t0 + 155, [this, p] { desk.release(p.x, p.y, platform::kLeftButton); });
        desk.at(t0 + 310, [this, p] { desk.press(p.x, p.y, platform::kLeftButton); });
        desk.at(t0 + 465, [this, p] { desk.release(p.x, p.y, platform::kLeftButton); });
        desk.runFor(470);
        ASSERT_EQ(codes(), (std::vector<Long>{1, 2, 1, 2}));
    }
};

TEST_F(SlowDoubleClick, ArrivesAsADoubleClick) {
    record();
    runUntilReplayed();
    const auto& ev = desk.synthesised();
    ASSERT_EQ(ev.size(), 4u);
    EXPECT_FALSE(ev[0].doubleClick);
    EXPECT_TRUE(ev[2].doubleClick);
    EXPECT_LT(ev[2].timeMs - ev[0].timeMs, 500);
    // The second click is held three times as long as it was (15 or 16 counter ticks).
    EXPECT_NEAR(static_cast<double>(ev[3].timeMs - ev[2].timeMs), 3 * 155, 30);
}

TEST_F(SlowDoubleClick, StaysOneWhenTheTicksComeLate) {
    record();
    // From the first press on, the wait timer ticks every 17 ms instead of 10: forty ticks
    // would put the second press 680 ms after the first.
    whenTrue([&] { return !desk.synthesised().empty(); }, [&] { form1().uWaitObj.setInterval(17); });
    runUntilReplayed();
    const auto& ev = desk.synthesised();
    ASSERT_EQ(ev.size(), 4u);
    EXPECT_TRUE(ev[2].doubleClick);
    EXPECT_LE(ev[2].timeMs - ev[0].timeMs, 400 + 17);
}

}  // namespace
}  // namespace quilltest
