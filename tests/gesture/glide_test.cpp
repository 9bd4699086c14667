// The heartbeat's movement decisions: bounces, push-back and the countdown.
#include "mouse_window/glide.h"

#include <gtest/gtest.h>

namespace {

using namespace quill::mouse_window;

const MonitorBox kMon{0, 0, 1920, 1080};  // 28800 by 16200 twips

TEST(Glide, BouncesOnlyPastTheFiftyTwipMargin) {
    Step s{-100, 0};
    ASSERT_EQ(bounceOffEdges({-50, 1000, 1950, 1950}, kMon, 15, 15, s), quill::RunError::None);
    EXPECT_DOUBLE_EQ(s.dx, -80);  // exactly at the margin: slowed, not reversed
    s = {-100, 0};
    bounceOffEdges({-51, 1000, 1950, 1950}, kMon, 15, 15, s);
    EXPECT_DOUBLE_EQ(s.dx, 80);
    s = {0, 100};
    bounceOffEdges({1000, 16200 - 1950 + 51, 1950, 1950}, kMon, 15, 15, s);
    EXPECT_DOUBLE_EQ(s.dy, -80);
    s = {100, -100};  // heading away from the edges it crossed: only slowed
    bounceOffEdges({-500, 16000, 1950, 1950}, kMon, 15, 15, s);
    EXPECT_DOUBLE_EQ(s.dx, 80);
    EXPECT_DOUBLE_EQ(s.dy, -80);
}

TEST(Glide, PushesAStrayBodyBackByEightyTwipsATick) {
    Step s{0, 0};
    bool pushed = false;
    pushBack({1000, 16200 - 1000, 1950, 1950}, kMon, 15, 15, s, pushed);
    EXPECT_TRUE(pushed);
    EXPECT_DOUBLE_EQ(s.dy, -80);
    EXPECT_DOUBLE_EQ(s.dx, 0);
    s = {10, 0};
    pushBack({1000, 1000, 1950, 1950}, kMon, 15, 15, s, pushed);
    EXPECT_FALSE(pushed);
    EXPECT_DOUBLE_EQ(s.dx, 8);  // the leftover step still slows
}

TEST(Glide, AMonitorEdgeBeyondALongIsAnOverflow) {
    Step s{0, 0};
    bool pushed = false;
    EXPECT_EQ(pushBack({0, 0, 15, 15}, {2147483000, 0, 1000, 10}, 15, 15, s, pushed), quill::RunError::Overflow);
}

TEST(Glide, ACountOfNMovesMaxOneAndNMinusOneTimes) {
    for (int n : {1, 2, 3, 5, 200}) {
        quill::Integer ticks = static_cast<quill::Integer>(n);
        int moves = 0;
        for (;;) {
            ++moves;  // every glide tick moves before it counts down
            const GlideCount c = countDown(ticks);
            ticks = c.throwTicks;
            if (c.glideOver) {
                EXPECT_TRUE(c.releaseDue);
                break;
            }
        }
        EXPECT_EQ(moves, std::max(1, n - 1)) << n;
    }
    EXPECT_FALSE(countDown(0).releaseDue);  // an idle tick
}

}  // namespace
