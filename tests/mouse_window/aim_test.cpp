// Aiming: the pointer tip 900 twips ahead, the switch 1000 behind, the angle, and the drift.
#include "mouse_window/aim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using namespace quill::mouse_window;

AimInput at(double cx, double cy, double sx, double sy) {
    return {sx, sy, cx, cy, cx, cy, 1950, 1950, 255, 165, 0, 0, 0};
}

TEST(Aim, SwitchLevelOnTheLeftPutsTheTipRightAt135Degrees) {
    const Aim a = aimBody(at(5000, 4000, 3000, 4000));
    EXPECT_EQ(a.pointerX, 5900);
    EXPECT_EQ(a.pointerY, 4000);
    EXPECT_DOUBLE_EQ(a.switchX, 4000);
    EXPECT_DOUBLE_EQ(a.switchY, 4000);
    EXPECT_EQ(a.bodyAngle, 135);
}

TEST(Aim, SwitchLevelOnTheRightPutsTheTipLeftAt315Degrees) {
    const Aim a = aimBody(at(5000, 4000, 7000, 4000));
    EXPECT_EQ(a.pointerX, 4100);
    EXPECT_EQ(a.pointerY, 4000);
    EXPECT_DOUBLE_EQ(a.switchX, 6000);
    EXPECT_EQ(a.bodyAngle, 315);
}

TEST(Aim, SwitchStraightAboveOrBelowFallsBackToTheLeft) {
    // The quotient divides by zero, so the angle keeps its start value 0.
    for (double sy : {1000.0, 9000.0}) {
        const Aim a = aimBody(at(5000, 4000, 5000, sy));
        EXPECT_DOUBLE_EQ(a.switchX, 4000);
        EXPECT_DOUBLE_EQ(a.switchY, 4000);
        EXPECT_EQ(a.pointerX, 5900);
        EXPECT_EQ(a.bodyAngle, 135);
    }
}

TEST(Aim, DistancesHoldAndTheAngleFacesTheTip) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> pos(-20000, 40000);
    for (int i = 0; i < 2000; ++i) {
        const double cx = pos(rng), cy = pos(rng), sx = pos(rng), sy = pos(rng);
        if (sx == cx) continue;
        const Aim a = aimBody(at(cx, cy, sx, sy));
        EXPECT_NEAR(std::hypot(a.switchX - cx, a.switchY - cy), 1000, 1e-6);
        EXPECT_NEAR(std::hypot(a.pointerX - cx, a.pointerY - cy), 900, 1.0);
        ASSERT_GE(a.bodyAngle, 0);
        ASSERT_LE(a.bodyAngle, 359);
        // The angle is the direction to the tip (clockwise on screen) plus 135, in whole degrees.
        const double dir = std::atan2(a.pointerY - cy, a.pointerX - cx) * 180 / 3.1415;
        const double expected = std::fmod(dir + 135 + 720, 360);
        const double diff = std::fabs(std::remainder(a.bodyAngle - expected, 360));
        EXPECT_LE(diff, 1.0) << cx << "," << cy << " " << sx << "," << sy;
        // The switch stays on its side of the centre; the tip goes to the other.
        EXPECT_EQ(a.switchX > cx, sx > cx);
    }
}

TEST(Aim, TheSwitchDriftsByAHundredthOfTheLatestStep) {
    AimInput in = at(5000, 4000, 3000, 4000);
    in.lastCenterX = 4700;  // the body just moved 300 twips right
    in.lastCenterY = 4100;  // and 100 up
    const Aim a = aimBody(in);
    EXPECT_DOUBLE_EQ(a.switchX, 4003);
    EXPECT_DOUBLE_EQ(a.switchY, 3999);
}

TEST(Aim, DraggingTowardsTheSwitchPushesItAheadOnTheSameLine) {
    AimInput in = at(5000, 4000, 4000, 4000);
    in.lastCenterX = 5100;  // moved 100 twips left, straight at the switch
    const Aim a = aimBody(in);
    EXPECT_EQ(a.bodyAngle, 135);
    EXPECT_DOUBLE_EQ(5000 - a.switchX, 1001);
}

TEST(Aim, TheLedCirclesTheClientCentreAt200Twips) {
    for (double sx : {3000.0, 7000.0}) {
        const Aim a = aimBody(at(5000, 4000, sx, 3500));
        const double lx = a.ledLeft + 255 / 2.0 - 975, ly = a.ledTop + 165 / 2.0 - 975;
        EXPECT_NEAR(std::hypot(lx, ly), 200, 1e-9);
    }
}

}  // namespace
