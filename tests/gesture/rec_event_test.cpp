// A gesture's record and its caption, as plain values, and the state that holds the records.
#include <gtest/gtest.h>

#include "gesture/gesture_state.h"
#include "gesture/rec_event.h"

namespace quilltest {
namespace {

using namespace quill;
using namespace quill::gesture;

TEST(RecordCaption, CountTipAndCodeInOrderAlsoForNegativeAndExtremeValues) {
    RecEvent r;
    r.X = 800, r.Y = 600, r.Code = kLeftDown;
    EXPECT_EQ(recordCaption(1, r), "1>800:600(1)");
    r.X = -1919, r.Y = -5, r.Code = kMiddleUp;  // a monitor left of and above the primary one
    EXPECT_EQ(recordCaption(12, r), "12>-1919:-5(8)");
    r.X = -2147483647 - 1, r.Y = 2147483647, r.Code = kNoButtonEvent;
    EXPECT_EQ(recordCaption(2147483647, r), "2147483647>-2147483648:2147483647(0)");
}

TEST(MakeRecord, KeepsTipCodeAngleAndTickAndRoundsPlacesHalfToEven) {
    const RecEvent r = makeRecord(-3, 1079, kRightUp, {100.5f, 101.5f, -2.5f, 6150.0f}, -90, 42);
    EXPECT_EQ(r.X, -3);
    EXPECT_EQ(r.Y, 1079);
    EXPECT_EQ(r.Code, kRightUp);
    EXPECT_EQ(r.Angle, -90);
    EXPECT_EQ(r.Tick, 42);
    EXPECT_EQ(r.BodyLeft, 100);
    EXPECT_EQ(r.BodyTop, 102);
    EXPECT_EQ(r.SwitchLeft, -2);
    EXPECT_EQ(r.SwitchTop, 6150);
}

TEST(MakeRecord, APlaceBeyondALongIsRecordedAsZeroAndTheOthersStay) {
    const RecEvent r = makeRecord(1, 2, kLeftUp, {3e9f, -3e9f, 30.0f, 45.0f}, 0, 7);
    EXPECT_EQ(r.BodyLeft, 0);
    EXPECT_EQ(r.BodyTop, 0);
    EXPECT_EQ(r.SwitchLeft, 30);
    EXPECT_EQ(r.SwitchTop, 45);
}

TEST(GestureState, LatestIsTheRecordAtTheCountOrNothingWhenTheCountMissesTheBuffer) {
    GestureState s;
    EXPECT_EQ(s.latest(), nullptr);  // not allocated
    s.WaitCount = 9;
    s.start();
    ASSERT_NE(s.latest(), nullptr);
    EXPECT_EQ(s.latest(), &s.RecBuf[0]);  // the blank record a new gesture begins with
    EXPECT_TRUE(s.Recording);
    EXPECT_EQ(s.WaitCount, 0);
    s.RecBuf.resize(4);
    s.RecCount = 3;
    EXPECT_EQ(s.latest(), &s.RecBuf[3]);
    s.RecCount = 4;
    EXPECT_EQ(s.latest(), nullptr);
    s.RecCount = -1;
    EXPECT_EQ(s.latest(), nullptr);
    s.discard();
    EXPECT_FALSE(s.Recording);
    EXPECT_EQ(s.RecCount, 0);
    EXPECT_TRUE(s.RecBuf.empty());
    EXPECT_EQ(s.latest(), nullptr);
}

}  // namespace
}  // namespace quilltest
