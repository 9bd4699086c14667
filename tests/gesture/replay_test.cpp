// The replay: its lead, its pace, the synthesised buttons, the lamp and the switch afterwards.
#include <gtest/gtest.h>

#include "forms/artwork.h"
#include "gesture_fixture.h"

namespace quilltest {
namespace {

using namespace quill;
using Replay = GestureTest;

TEST_F(Replay, AClickReplaysAsDownAndUpAtThreeTimesTheRecordedTicks) {
    const auto p = buttonPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    desk.doEvents();
    desk.after(70, [&] { desk.release(p.x, p.y, platform::kLeftButton); });
    desk.runFor(70);
    const auto recorded = rec().RecBuf;
    ASSERT_EQ(recorded.size(), 3u);
    const double t1 = recorded[1].Tick, t2 = recorded[2].Tick;
    EXPECT_GE(t2 - t1, 6);

    Colour lampDuring = 0;
    std::size_t movesBeforeFirstEvent = 0;
    whenTrue([&] { return prog().engine.replaying(); }, [&] { lampDuring = form1().recLED.fillColour(); });
    whenTrue([&] { return !desk.synthesised().empty(); }, [&] { movesBeforeFirstEvent = desk.cursorMoves().size(); });
    runUntilReplayed();
    const platform::PixelPoint at{recorded[1].X, recorded[1].Y};
    ASSERT_GE(desk.cursorMoves().size(), 2u);
    EXPECT_EQ(desk.cursorMoves().front(), at);  // the cursor goes to the first point first
    EXPECT_EQ(movesBeforeFirstEvent, 2u);
    EXPECT_EQ(desk.foregroundRequests().back(), notepad);

    const auto& ev = desk.synthesised();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].flags, platform::kLeftDownFlag);
    EXPECT_EQ(ev[1].flags, platform::kLeftUpFlag);
    for (const auto& e : ev) {
        EXPECT_EQ(e.cursor, at);
        EXPECT_EQ(e.dx, at.x);
        EXPECT_EQ(e.dy, at.y);
        EXPECT_EQ(e.foreground, notepad);
    }
    // One counter tick is 10 ms: the two events lie three times their recorded distance apart.
    EXPECT_EQ(ev[1].timeMs - ev[0].timeMs, static_cast<std::int64_t>(30 * (t2 - t1)));
    EXPECT_EQ(lampDuring, 0x00FF00u);
    EXPECT_EQ(form1().recLED.fillColour(), 0xFFFFFFu);
    EXPECT_FALSE(form1().btnLDown.enabled());
    EXPECT_EQ(prog().form2View.picture1.picture(), forms::lampOffPicture());
    EXPECT_FALSE(form1().uWaitObj.enabled());
    EXPECT_EQ(rec().WaitCount, 0);
    EXPECT_TRUE(rec().RecBuf.empty());
}

TEST_F(Replay, TheLeadIsFiveTicksAndTheFirstRecordWaitsForItsTick) {
    // Records put straight into the buffer: a press at tick 4 and a release at tick 10.
    rec().RecBuf = {{}, {300, 200, 6000, 4500, 45, 3000, 3000, 1, 4}, {310, 200, 6150, 4500, 90, 3100, 3000, 2, 10}};
    rec().RecCount = 2;
    rec().TargetHwnd = notepad;
    const auto start = desk.nowMs();
    ASSERT_EQ(prog().engine.PlayGesture(), RunError::None);
    const auto& ev = desk.synthesised();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].timeMs - start, 50 + 120);
    EXPECT_EQ(ev[1].timeMs - start, 50 + 300);
    EXPECT_EQ(ev[1].cursor, (platform::PixelPoint{310, 200}));
    // Body, angle and switch end at the last record's values; the caption shows the total.
    EXPECT_EQ(form1Rect().left, 6150 / 15);
    EXPECT_EQ(form1Rect().top, 4500 / 15);
    EXPECT_EQ(st().BodyAngle, 90);
    EXPECT_EQ(desk.windowRect(prog().form2View.hWnd()).left, 207);  // 206.67 pixels
    EXPECT_EQ(form1().label1.caption(), "2>310:200(2)");
    const auto marker = desk.windowRect(prog().frmPointView.hWnd());
    EXPECT_EQ(marker.left, 311);
    EXPECT_EQ(marker.top, 201);
    EXPECT_FALSE(prog().frmPointView.visible());
}

TEST_F(Replay, EachCodeSynthesisesItsFlagsAndCodeZeroOnlyMoves) {
    std::vector<gesture::RecEvent> buf(1);
    const Long codesList[] = {0, 1, 2, 3, 4, 7, 8, 5};
    for (Long c : codesList) buf.push_back({100 + c, 100, 0, 0, 0, 0, 0, c, 1});
    rec().RecBuf = buf;
    rec().RecCount = static_cast<Long>(buf.size()) - 1;
    ASSERT_EQ(prog().engine.PlayGesture(), RunError::None);
    std::vector<Long> flags;
    for (const auto& e : desk.synthesised()) flags.push_back(e.flags);
    EXPECT_EQ(flags, (std::vector<Long>{0x2, 0x4, 0x8, 0x10, 0x20, 0x40}));
    EXPECT_EQ(desk.cursorMoves().size(), 1u + buf.size() - 1);
}

TEST_F(Replay, ATwoSecondGestureNeedsPumpPassesInProportionToItsTicksOnly) {
    const auto p = buttonPoint();
    desk.press(p.x, p.y, platform::kLeftButton);
    for (int i = 1; i <= 40; ++i) desk.at(desk.nowMs() + 50 * i, [this, p, i] { desk.moveMouse(p.x + i, p.y); });
    desk.at(desk.nowMs() + 2000, [this, p] { desk.release(p.x + 40, p.y, platform::kLeftButton); });
    long passes = 0, ticks = 0;
    Long records = 0;
    whenTrue([&] { return prog().engine.replaying(); }, [&] {
        passes = desk.pumpPasses();
        ticks = desk.ticksDelivered();
        records = rec().RecCount;
    });
    runUntilReplayed();
    EXPECT_GE(records, 40);
    const long replayPasses = desk.pumpPasses() - passes, replayTicks = desk.ticksDelivered() - ticks;
    EXPECT_GE(replayTicks, 3 * 190);  // about 3 x 200 counter ticks at 10 ms
    // Each wait pass is followed by a wait for the next event; each record adds two passes.
    EXPECT_LE(replayPasses, replayTicks + 2 * records + 5);
}

}  // namespace
}  // namespace quilltest
