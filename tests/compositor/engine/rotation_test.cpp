// The rotation's worked values: floor sampling, the clamp-and-flag rule, the key colour for
// everything outside, supersampling and the angle's reduction.
#include "compositor/engine/rotation.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace enginetest {
namespace {

constexpr Pixel kKey = 0x00FF00;

// A master with the key colour at (0, 0) and numbered pixels elsewhere.
struct Rig {
    lumo::Surface master{1, 1, 0xFFFFFF, true};
    lumo::Surface material{1, 1, 0xFFFFFF, true};
    lumo::RotationSamples samples;

    Rig(int w, int h) {
        std::vector<Pixel> px(numberedPicture(w, h)->pixels);
        px[0] = kKey;
        master.setPicture(lumo::makePicture(w, h, std::move(px)));
        material.resize(w, h);
    }
    RunError rotate(NumericArg angle, double qt = 1.0) {
        return lumo::rotateMaterial(angle, kKey, qt, master, material, samples);
    }
    // The master pixel a material pixel came from, decoded from its number.
    std::pair<int, int> origin(int x, int y) const {
        Pixel p = material.pixel(x, y);
        return {int(p - 1) % 1000, int(p - 1) / 1000};
    }
};

TEST(Rotation, NinetyDegreesOnFiveByFiveFloorsAHairBelowZeroToMinusOne) {
    Rig r(5, 5);
    ASSERT_EQ(r.rotate(NumericArg::integer(90)), RunError::None);
    EXPECT_EQ(r.origin(4, 2), std::make_pair(2, 0));
    EXPECT_EQ(r.origin(2, 4), std::make_pair(4, 2));
    EXPECT_EQ(r.origin(2, 0), std::make_pair(0, 1));  // not (0, 2)
    EXPECT_EQ(r.origin(2, 2), std::make_pair(2, 2));  // the centre stays
}

TEST(Rotation, MinusNinetyTurnsTheOtherWay) {
    Rig r(5, 5);
    ASSERT_EQ(r.rotate(NumericArg::integer(-90)), RunError::None);
    EXPECT_EQ(r.origin(4, 2), std::make_pair(2, 4));
}

TEST(Rotation, HalfTurnOnEvenSizeSamplesOutsideTheMasterAsKey) {
    Rig r(130, 130);
    ASSERT_EQ(r.rotate(NumericArg::integer(180)), RunError::None);
    EXPECT_EQ(r.samples.hw(), 65);
    EXPECT_EQ(r.samples.at(65, 0), quill::kNoPixel);  // master column 130 lies outside
    EXPECT_EQ(r.material.pixel(0, 65), kKey);
    EXPECT_EQ(r.material.width(), 130);
}

TEST(Rotation, FortyFiveDegreesKeysTheCornersAndKeepsTheSize) {
    Rig r(130, 60);
    ASSERT_EQ(r.rotate(NumericArg::integer(45)), RunError::None);
    EXPECT_EQ(r.material.width(), 130);
    EXPECT_EQ(r.material.height(), 60);
    EXPECT_EQ(r.samples.gridWidth(), 131);
    EXPECT_EQ(r.samples.gridHeight(), 61);
    for (auto [x, y] : {std::pair{0, 0}, {129, 0}, {0, 59}, {129, 59}}) EXPECT_EQ(r.material.pixel(x, y), kKey);
    EXPECT_NE(r.material.pixel(65, 30), kKey);
}

TEST(Rotation, KeyColouredMasterPixelsStayKeyWhereverTheyLand) {
    Rig r(9, 9);
    std::vector<Pixel> px(81, 0x111111);
    px[0] = kKey;
    px[4 * 9 + 6] = kKey;
    r.master.setPicture(lumo::makePicture(9, 9, px));
    ASSERT_EQ(r.rotate(NumericArg::integer(90)), RunError::None);
    int keys = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) keys += r.material.pixel(x, y) == kKey;
    EXPECT_GE(keys, 2);
    EXPECT_EQ(r.material.pixel(4, 6), kKey);  // (6, 4) turned a quarter clockwise about (4, 4)
}

TEST(Rotation, FullTurnsReduceToZeroAndReproduceTheMaster) {
    for (int degrees : {360, 720, -360}) {
        Rig r(7, 5);
        NumericArg angle = NumericArg::integer(std::int16_t(degrees));
        ASSERT_EQ(lumo::rotateMaterial(angle, kKey, 1.0, r.master, r.material, r.samples), RunError::None);
        EXPECT_EQ(angle.value(), 0);
        EXPECT_TRUE(imageOf(r.material) == imageOf(r.master)) << degrees;
    }
    Rig even(6, 4);  // the grid's extra column and row fall outside and are lost
    ASSERT_EQ(even.rotate(NumericArg::integer(360)), RunError::None);
    EXPECT_TRUE(imageOf(even.material) == imageOf(even.master));
}

TEST(Rotation, AngleReducesWithTheSignOfTheAngleIntoTheCallersType) {
    struct Case { NumericArg in; double out; lumo::NumericKind kind; };
    Case cases[] = {
        {NumericArg::integer(725), 5, lumo::NumericKind::Integer},
        {NumericArg::integer(-30), -30, lumo::NumericKind::Integer},
        {NumericArg::doubleValue(370.5), 10, lumo::NumericKind::Long},   // 370.5 rounds to 370
        {NumericArg::single(-725.5f), -6, lumo::NumericKind::Long},      // -725.5 rounds to -726
        {NumericArg::doubleValue(725, lumo::Slot::Typed), 5, lumo::NumericKind::Double},
        {NumericArg::longValue(1000000), 280, lumo::NumericKind::Long},
    };
    for (Case& c : cases) {
        Rig r(3, 3);
        NumericArg a = c.in;
        ASSERT_EQ(lumo::rotateMaterial(a, kKey, 1.0, r.master, r.material, r.samples), RunError::None);
        EXPECT_EQ(a.value(), c.out);
        EXPECT_EQ(a.kind(), c.kind);
    }
}

TEST(Rotation, SupersamplingByTwoCutsTheEnlargementAndSamplesBeyondAsKey) {
    Rig r(100, 100);
    const reference::Image before = imageOf(r.master);
    ASSERT_EQ(r.rotate(NumericArg::integer(30), 2.0), RunError::None);
    for (int y = 0; y < 100; y += 7)
        for (int x = 0; x < 100; x += 3) ASSERT_EQ(r.master.pixel(x, y), before.get(x / 2, y / 2)) << x << "," << y;
    EXPECT_EQ(r.samples.hw(), 100);
    EXPECT_EQ(r.samples.hh(), 100);
    EXPECT_EQ(r.samples.at(100, 100), quill::kNoPixel);
    EXPECT_EQ(r.material.width(), 100);
    // The master's picture is the snapshot taken before enlarging.
    EXPECT_TRUE(imageOf(*r.master.picture()) == before);
}

TEST(Rotation, BadAnglesAndFactorsFailEarlyAndLeaveTheMaterialUntouched) {
    Rig r(20, 20);
    const reference::Image untouched = imageOf(r.material);
    const double nan = std::nan("");
    struct Case { NumericArg angle; double qt; RunError want; };
    Case cases[] = {
        {NumericArg::notNumeric(), 1.0, RunError::TypeMismatch},
        {NumericArg::doubleValue(nan), 1.0, RunError::Overflow},
        {NumericArg::doubleValue(1e12), 1.0, RunError::Overflow},
        {NumericArg::integer(10), nan, RunError::Overflow},
        {NumericArg::integer(10), 1e300, RunError::Overflow},
        {NumericArg::integer(10), 5000.0, RunError::Overflow},        // half size beyond 16 bits
        {NumericArg::integer(10), 1000.0, RunError::OutOfMemory},     // 20001 x 20001 samples
        {NumericArg::integer(10), -1.0, RunError::SubscriptOutOfRange},
    };
    for (Case& c : cases) {
        EXPECT_EQ(r.rotate(c.angle, c.qt), c.want);
        EXPECT_TRUE(imageOf(r.material) == untouched);
    }
    EXPECT_EQ(r.rotate(NumericArg::integer(10), 0.0), RunError::None);  // a 1 by 1 grid
}

}  // namespace
}  // namespace enginetest
