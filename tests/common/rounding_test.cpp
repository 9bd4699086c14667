#include "common/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/checked_int.h"

namespace {

using quill::roundToInteger;
using quill::roundToLong;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundToLong(2.5), 2);
    EXPECT_EQ(roundToLong(3.5), 4);
    EXPECT_EQ(roundToLong(-0.5), 0);
    EXPECT_EQ(roundToLong(-1.5), -2);
    EXPECT_EQ(roundToLong(65.5), 66);
    EXPECT_EQ(roundToLong(64.5), 64);
    EXPECT_EQ(roundToLong(2.5000001), 3);
    EXPECT_EQ(roundToLong(-2.4999999), -2);
}

TEST(Rounding, ValuesBeyondTheWidthHaveNoResult) {
    EXPECT_EQ(roundToInteger(32767.4), 32767);
    EXPECT_EQ(roundToInteger(-32768.5), -32768);  // the even neighbour fits
    EXPECT_FALSE(roundToInteger(32767.5));
    EXPECT_FALSE(roundToInteger(-32769));
    EXPECT_EQ(roundToLong(2147483647.4), 2147483647);
    EXPECT_FALSE(roundToLong(2147483647.5));
    EXPECT_FALSE(roundToLong(std::nan("")));
    EXPECT_FALSE(roundToLong(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(roundToInteger(-std::numeric_limits<double>::infinity()));
}

TEST(Rounding, FloorToIntMatchesStdFloorAroundWholeNumbers) {
    for (double v : {-2.0, -1.5, -1.0, -1e-15, -0.0, 0.0, 1e-15, 0.999999, 1.0, 2.5, -32767.2}) {
        EXPECT_EQ(quill::floorToInt(v), static_cast<int>(std::floor(v))) << v;
    }
}

TEST(CheckedInt, OverflowIsAnErrorNotAWrap) {
    EXPECT_EQ(quill::checkedAdd<quill::Integer>(32766, 1), 32767);
    EXPECT_FALSE(quill::checkedAdd<quill::Integer>(32767, 1));
    EXPECT_FALSE(quill::checkedSub<quill::Long>(-2147483647 - 1, 1));
    EXPECT_EQ(quill::checkedMul<quill::Long>(-46341, 46340), -2147441940);
    EXPECT_FALSE(quill::checkedMul<quill::Long>(46341, 46341));
}

}  // namespace
