// Racks, the rest test and the angle helper.

#include "simulation/table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zandrel {
namespace {

void expectAt(const Ball& b, float x, float y) {
    EXPECT_EQ(b.x, x);
    EXPECT_EQ(b.y, y);
}

void expectAtRestWithoutSpin(const Ball& b) {
    EXPECT_EQ(b.speed, 0.0f);
    EXPECT_EQ(b.vx, 0.0f);
    EXPECT_EQ(b.vy, 0.0f);
    EXPECT_EQ(b.direction, 0.0f);
    EXPECT_EQ(b.followSpin, 0.0f);
    EXPECT_EQ(b.sideSpin, 0.0f);
}

/// A table in the middle of a shot: everything moving, spinning and touched.
Table busyTable() {
    Table t;
    for (int i = 0; i < kBallCount; ++i) {
        Ball& b = t.balls[i];
        b.x = 111.0f * (i + 1);
        b.y = 222.0f + i;
        b.vx = 30.0f;
        b.vy = -40.0f;
        b.speed = 50.0f;
        b.direction = -0.9f;
        b.followSpin = 12.0f;
        b.sideSpin = -7.0f;
        b.onTable = (i != 3);
        b.hitByCue = true;
    }
    t.target = TablePoint{5.0f, 6.0f};
    return t;
}

TEST(Rack, FourBallPutsAllBallsOnTheLongCentreLine) {
    Table t = busyTable();
    setFirstPosition(t, kGameKindFourBall);
    expectAt(t.balls[0], 300.0f, 600.0f);
    expectAt(t.balls[1], 2100.0f, 600.0f);
    expectAt(t.balls[2], 600.0f, 600.0f);
    expectAt(t.balls[3], 1800.0f, 600.0f);
    for (const Ball& b : t.balls) {
        EXPECT_TRUE(b.onTable);
        expectAtRestWithoutSpin(b);
        EXPECT_TRUE(b.hitByCue) << "racking leaves the touched flags alone";
    }
    EXPECT_EQ(t.target.x, 1200.0f);
    EXPECT_EQ(t.target.y, 600.0f);
}

TEST(Rack, ThreeBallTakesBallThreeOffWhereItWas) {
    Table t = busyTable();
    t.balls[3].onTable = true;
    setFirstPosition(t, kGameKindThreeBall);
    expectAt(t.balls[0], 600.0f, 750.0f);
    expectAt(t.balls[1], 600.0f, 600.0f);
    expectAt(t.balls[2], 1800.0f, 600.0f);
    expectAt(t.balls[3], 444.0f, 225.0f);
    EXPECT_FALSE(t.balls[3].onTable);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(t.balls[i].onTable);
    }
    for (const Ball& b : t.balls) {
        expectAtRestWithoutSpin(b);
        EXPECT_TRUE(b.hitByCue);
    }
    EXPECT_EQ(t.target.x, 1200.0f);
    EXPECT_EQ(t.target.y, 600.0f);
    EXPECT_TRUE(areAllBallsStopped(t));
    EXPECT_EQ(getFirstBallOnTable(t), 1);
}

TEST(Rack, AnyKindOtherThanFourBallIsTheThreeBallRack) {
    Table t;
    setFirstPosition(t, 7);
    EXPECT_FALSE(t.balls[3].onTable);
    expectAt(t.balls[0], 600.0f, 750.0f);
}

TEST(TableQueries, AnyPositiveSpeedMeansNotStopped) {
    for (int moving = 0; moving < kBallCount; ++moving) {
        Table t;
        setFirstPosition(t, kGameKindThreeBall);
        t.balls[moving].speed = 0.001f; // velocity, direction and spins all say "at rest"
        EXPECT_FALSE(areAllBallsStopped(t)) << "ball " << moving;
    }
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    t.balls[2].vx = 500.0f; // speed 0 is what counts
    EXPECT_TRUE(areAllBallsStopped(t));
}

TEST(TableQueries, StopAllBallsClearsSpeedAndSpinOnly) {
    Table t = busyTable();
    stopAllBalls(t);
    for (const Ball& b : t.balls) {
        EXPECT_EQ(b.speed, 0.0f);
        EXPECT_EQ(b.followSpin, 0.0f);
        EXPECT_EQ(b.sideSpin, 0.0f);
        EXPECT_EQ(b.vx, 30.0f);
        EXPECT_EQ(b.vy, -40.0f);
        EXPECT_EQ(b.direction, -0.9f);
        EXPECT_TRUE(b.hitByCue);
    }
    EXPECT_EQ(t.balls[1].x, 222.0f);
    EXPECT_TRUE(areAllBallsStopped(t));
}

TEST(TableQueries, FirstBallOnTableIgnoresTheCueBall) {
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    EXPECT_EQ(getFirstBallOnTable(t), 1);
    t.balls[1].onTable = false;
    EXPECT_EQ(getFirstBallOnTable(t), 2);
    t.balls[2].onTable = false;
    EXPECT_EQ(getFirstBallOnTable(t), 3);
    t.balls[3].onTable = false;
    EXPECT_EQ(getFirstBallOnTable(t), 0);
    t.balls[0].onTable = false;
    EXPECT_EQ(getFirstBallOnTable(t), 0);
}

TEST(GetAngle, AxisDirectionsUseTheRoundedPi) {
    EXPECT_EQ(getAngle(0.0f, 0.0f, -1.0f, 0.0f), 3.1415925f);
    EXPECT_EQ(getAngle(0.0f, 0.0f, 0.0f, 1.0f), 1.5707963f);
    EXPECT_EQ(getAngle(0.0f, 0.0f, 0.0f, -1.0f), -1.5707963f);
    EXPECT_EQ(getAngle(0.0f, 0.0f, 1.0f, 0.0f), 0.0f);
    EXPECT_EQ(getAngle(0.0f, 0.0f, 0.0f, 0.0f), 0.0f);
    EXPECT_EQ(getAngle(7.5f, -3.0f, 7.5f, -3.0f), 0.0f);
    // The float nearest 3.1415926 is below pi by about 1.5e-7, so the two
    // must not be confused.
    EXPECT_LT(static_cast<double>(getAngle(0.0f, 0.0f, -1.0f, 0.0f)), std::numbers::pi);
}

TEST(GetAngle, QuadrantsAddOrSubtractPi) {
    EXPECT_EQ(getAngle(0.0f, 0.0f, 1.0f, 1.0f), static_cast<float>(std::atan(1.0)));
    EXPECT_EQ(getAngle(0.0f, 0.0f, 1.0f, -1.0f), static_cast<float>(-std::atan(1.0)));
    EXPECT_EQ(getAngle(0.0f, 0.0f, -1.0f, 1.0f), static_cast<float>(std::atan(-1.0) + 3.1415926));
    EXPECT_EQ(getAngle(0.0f, 0.0f, -1.0f, -1.0f), static_cast<float>(std::atan(1.0) - 3.1415926));
    EXPECT_FLOAT_EQ(getAngle(0.0f, 0.0f, -1.0f, -1.0f), -2.3561944f);
    EXPECT_FLOAT_EQ(getAngle(0.0f, 0.0f, -1.0f, 1.0f), 2.3561944f);
    // Only the difference of the points matters.
    EXPECT_EQ(getAngle(100.0f, 200.0f, 40.0f, 260.0f), getAngle(0.0f, 0.0f, -60.0f, 60.0f));
}

TEST(GetAngle, ToTargetStartsAtTheBallCentre) {
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    EXPECT_EQ(getAngleToTarget(t, 0), 0.0f);       // (300, 600) to (1200, 600)
    EXPECT_EQ(getAngleToTarget(t, 1), 3.1415925f); // (2100, 600): straight left
    t.target = TablePoint{300.0f, 1000.0f};
    EXPECT_EQ(getAngleToTarget(t, 0), 1.5707963f);
    t.target = TablePoint{300.0f, 600.0f};
    EXPECT_EQ(getAngleToTarget(t, 0), 0.0f); // aim point on the centre
}

TEST(MinMax, TieReturnsTheSecondArgument) {
    // +0 and -0 compare equal but can be told apart by their sign bit.
    EXPECT_TRUE(std::signbit(maxOfTwo(0.0f, -0.0f)));
    EXPECT_FALSE(std::signbit(maxOfTwo(-0.0f, 0.0f)));
    EXPECT_TRUE(std::signbit(minOfTwo(0.0f, -0.0f)));
    EXPECT_FALSE(std::signbit(minOfTwo(-0.0f, 0.0f)));
    EXPECT_EQ(maxOfTwo(5, 5), 5);
    EXPECT_EQ(minOfTwo(5, 5), 5);
    EXPECT_EQ(maxOfTwo(-2, 3), 3);
    EXPECT_EQ(maxOfTwo(3, -2), 3);
    EXPECT_EQ(minOfTwo(-2, 3), -2);
    EXPECT_EQ(minOfTwo(3, -2), -2);
}

} // namespace
} // namespace zandrel
