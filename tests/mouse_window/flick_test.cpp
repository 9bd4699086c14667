// Flick counts: the body's 5000 / dt against the button's 1000 / dt.
#include "mouse_window/flick.h"

#include <gtest/gtest.h>

namespace {

using namespace quill::mouse_window;

TEST(Flick, BodyReleaseWorkedValues) {
    for (int dt : {1, 10, 25}) EXPECT_EQ(bodyFlick(dt, 3, 0).throwTicks, 200) << dt;
    EXPECT_EQ(bodyFlick(26, 3, 0).throwTicks, 192);
    EXPECT_EQ(bodyFlick(100, 0, -3).throwTicks, 50);
    EXPECT_EQ(bodyFlick(999, 3, 0).throwTicks, 5);
    EXPECT_TRUE(bodyFlick(999, 3, 0).startsGlide);
}

TEST(Flick, ButtonReleaseWorkedValues) {
    for (double dt : {1.0, 5.0}) EXPECT_EQ(buttonFlick(dt, 3, 0).throwTicks, 200) << dt;
    EXPECT_EQ(buttonFlick(10, 3, 0).throwTicks, 100);
    EXPECT_EQ(buttonFlick(100, 3, 0).throwTicks, 10);
    EXPECT_EQ(buttonFlick(999, 3, 0).throwTicks, 1);
    // A fraction of a millisecond: full speed, not an overflow.
    EXPECT_EQ(buttonFlick(0.00006, 3, 0).throwTicks, 200);
}

TEST(Flick, NoGlideAfterAPauseAStillStepOrAcrossMidnight) {
    for (const Flick& f : {bodyFlick(1000, 3, 0), bodyFlick(20, 0, 0), bodyFlick(-86399980, 3, 0), bodyFlick(0, 3, 0),
                           buttonFlick(1000, 3, 0), buttonFlick(20, 0, 0), buttonFlick(-5, 3, 0), buttonFlick(0, 3, 0)}) {
        EXPECT_EQ(f.throwTicks, 0);
        EXPECT_FALSE(f.startsGlide);
    }
}

TEST(Flick, TheClockIsRoundedMilliseconds) {
    EXPECT_EQ(clockMillis(1.0005f), 1000);   // 1000.49994 in single precision
    EXPECT_EQ(clockMillis(0.5f), 500);
    EXPECT_EQ(clockMillis(86399.99f), 86399992);
}

}  // namespace
