// Shot launch and contact resolution: the spins, the exchange of normal
// components and the cushion rebound with its side-spin kick.

#include "recording_events.h"
#include "simulation/motion.h"
#include "simulation/table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrel {
namespace {

using test::RecordingEvents;
using test::SimCall;

// ---- Shot launch -----------------------------------------------------------

class Launch : public ::testing::Test {
protected:
    void SetUp() override { setFirstPosition(table, kGameKindFourBall); }
    Table table;
};

TEST_F(Launch, FullPowerThroughTheCentre) {
    table.target = TablePoint{300.0f, 1000.0f}; // straight up from the cue ball
    startShot(table, 0, 100, 0.0f, 0.0f);
    const Ball& b = table.balls[0];
    EXPECT_EQ(b.speed, 4800.0f);
    EXPECT_EQ(b.direction, 1.5707963f);
    EXPECT_EQ(b.vy, 4800.0f);
    EXPECT_NEAR(b.vx, 0.0f, 1e-3f);
    EXPECT_EQ(b.followSpin, 0.0f);
    EXPECT_EQ(b.sideSpin, 0.0f);
}

TEST_F(Launch, SpeedIs48PerPercent) {
    startShot(table, 0, 1, 0.0f, 0.0f);
    EXPECT_EQ(table.balls[0].speed, 48.0f);
    startShot(table, 0, 37, 0.0f, 0.0f);
    EXPECT_EQ(table.balls[0].speed, 1776.0f);
    EXPECT_EQ(table.balls[0].vx, 1776.0f); // aim point straight to the right
    EXPECT_EQ(table.balls[0].vy, 0.0f);
}

TEST_F(Launch, TipOffsetsGiveFollowAndSideSpin) {
    startShot(table, 0, 50, -1.0f, 2.0f);
    EXPECT_EQ(table.balls[0].speed, 2400.0f);
    EXPECT_EQ(table.balls[0].followSpin, 1440.0f);
    EXPECT_EQ(table.balls[0].sideSpin, -1440.0f);

    startShot(table, 0, 37, 0.5f, -0.5f);
    EXPECT_EQ(table.balls[0].followSpin, -266.4f); // 0.3 x 1776 x -0.5
    EXPECT_EQ(table.balls[0].sideSpin, 532.8f);    // 0.6 x 1776 x 0.5
}

TEST_F(Launch, AimPointOnTheBallOrStraightLeft) {
    table.target = TablePoint{300.0f, 600.0f};
    startShot(table, 0, 10, 0.0f, 0.0f);
    EXPECT_EQ(table.balls[0].direction, 0.0f);
    EXPECT_EQ(table.balls[0].vx, 480.0f);
    EXPECT_EQ(table.balls[0].vy, 0.0f);

    table.target = TablePoint{100.0f, 600.0f};
    startShot(table, 0, 10, 0.0f, 0.0f);
    EXPECT_EQ(table.balls[0].direction, 3.1415925f);
    EXPECT_EQ(table.balls[0].vx, -480.0f);
    EXPECT_GT(table.balls[0].vy, 0.0f); // the rounded pi is a hair short of pi
    EXPECT_LT(table.balls[0].vy, 1e-4f);
}

TEST_F(Launch, TouchesOnlyTheMotionOfTheLaunchedBall) {
    table.balls[2].hitByCue = true;
    const Table before = table;
    table.target = TablePoint{2000.0f, 100.0f};
    startShot(table, 2, 60, 0.3f, 1.0f);
    const Ball& b = table.balls[2];
    EXPECT_EQ(b.x, before.balls[2].x);
    EXPECT_EQ(b.y, before.balls[2].y);
    EXPECT_TRUE(b.onTable);
    EXPECT_TRUE(b.hitByCue);
    EXPECT_EQ(b.speed, 2880.0f);
    EXPECT_NEAR(std::hypot(b.vx, b.vy), 2880.0f, 1e-3f);
    EXPECT_NEAR(std::atan2(b.vy, b.vx), std::atan2(-500.0, 1400.0), 1e-6);
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(table.balls[i].speed, 0.0f);
        EXPECT_EQ(table.balls[i].followSpin, 0.0f);
    }
}

// ---- Ball against ball -----------------------------------------------------

/// Ball 0 at (600, 600) rolling +x at 2000 onto ball 1 at rest at (700, 600).
Table headOn(float followSpin, float sideSpin) {
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    Ball& a = t.balls[0];
    a.x = 600.0f;
    a.y = 600.0f;
    a.vx = 2000.0f;
    a.speed = 2000.0f;
    a.followSpin = followSpin;
    a.sideSpin = sideSpin;
    t.balls[1].x = 700.0f;
    t.balls[1].y = 600.0f;
    return t;
}

TEST(CollideBalls, HeadOnWithoutSpinStopsTheCueBall) {
    Table t = headOn(0.0f, 0.0f);
    RecordingEvents ev;
    collideBalls(t, 0, 1, ev);
    const Ball& a = t.balls[0];
    const Ball& b = t.balls[1];
    EXPECT_EQ(a.speed, 0.0f);
    EXPECT_EQ(a.direction, 0.0f);
    EXPECT_EQ(a.vx, 0.0f);
    EXPECT_EQ(a.vy, 0.0f);
    EXPECT_EQ(b.speed, 2000.0f);
    EXPECT_EQ(b.direction, 0.0f);
    EXPECT_EQ(b.vx, 2000.0f);
    EXPECT_EQ(b.vy, 0.0f);
    ASSERT_EQ(ev.calls.size(), 1u);
    EXPECT_EQ(ev.calls[0], SimCall::BallHit(2000.0f));
    // Positions are the motion step's business.
    EXPECT_EQ(a.x, 600.0f);
    EXPECT_EQ(b.x, 700.0f);
}

TEST(CollideBalls, FollowKeepsTheCueBallRunning) {
    Table t = headOn(600.0f, 0.0f);
    RecordingEvents ev;
    collideBalls(t, 0, 1, ev);
    EXPECT_EQ(t.balls[0].speed, 600.0f);
    EXPECT_EQ(t.balls[0].vx, 600.0f);
    EXPECT_EQ(t.balls[0].direction, 0.0f);
    EXPECT_EQ(t.balls[1].speed, 2000.0f);
    EXPECT_EQ(ev.calls, std::vector<SimCall>{SimCall::BallHit(1400.0f)});
    EXPECT_EQ(t.balls[0].followSpin, 0.0f);
}

TEST(CollideBalls, DrawBringsTheCueBallBack) {
    Table t = headOn(-600.0f, 0.0f);
    RecordingEvents ev;
    collideBalls(t, 0, 1, ev);
    EXPECT_EQ(t.balls[0].speed, 600.0f);
    EXPECT_EQ(t.balls[0].vx, -600.0f);
    EXPECT_EQ(t.balls[0].direction, 3.1415925f);
    EXPECT_EQ(t.balls[1].speed, 2000.0f);
    EXPECT_EQ(ev.calls, std::vector<SimCall>{SimCall::BallHit(2600.0f)});
}

TEST(CollideBalls, SideSpinThrowsBothBallsAcrossTheLine) {
    Table t = headOn(0.0f, 1200.0f); // f = 0.3 x (0 - 1200) / 2 = -180
    t.balls[1].followSpin = 5.0f;    // the partner's spins are cleared too
    t.balls[1].sideSpin = 0.0f;
    RecordingEvents ev;
    collideBalls(t, 0, 1, ev);
    const Ball& a = t.balls[0];
    const Ball& b = t.balls[1];
    EXPECT_EQ(a.vx, 0.0f);
    EXPECT_EQ(a.vy, -180.0f);
    EXPECT_EQ(a.speed, 180.0f);
    EXPECT_EQ(a.direction, -1.5707963f);
    EXPECT_EQ(b.vx, 2000.0f + 5.0f); // the partner's follow acts along its own direction 0
    EXPECT_EQ(b.vy, 180.0f);
    for (const Ball* p : {&a, &b}) {
        EXPECT_EQ(p->followSpin, 0.0f);
        EXPECT_EQ(p->sideSpin, 0.0f);
    }
    ASSERT_EQ(ev.calls.size(), 1u);
    EXPECT_FLOAT_EQ(ev.calls[0].speed, std::hypot(2005.0f, 360.0f));
}

TEST(CollideBalls, GlancingContactSendsTheBallsAtRightAngles) {
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    Ball& a = t.balls[0];
    a.x = 600.0f;
    a.y = 600.0f;
    a.vx = 2000.0f;
    a.speed = 2000.0f;
    // Line of centres at 60 degrees to the motion.
    t.balls[1].x = 650.0f;
    t.balls[1].y = 600.0f + 86.60254f;
    RecordingEvents ev;
    collideBalls(t, 0, 1, ev);
    const Ball& p = t.balls[0];
    const Ball& q = t.balls[1];
    EXPECT_NEAR(p.vx * q.vx + p.vy * q.vy, 0.0f, 0.5f);
    EXPECT_NEAR(q.speed, 1000.0f, 0.01f);  // along the line: 2000 cos 60
    EXPECT_NEAR(p.speed, 1732.05f, 0.01f); // across it: 2000 sin 60
    EXPECT_NEAR(q.direction, 1.0471976f, 1e-6f);
    EXPECT_NEAR(p.direction, -0.5235988f, 1e-6f);
    EXPECT_NEAR(ev.calls[0].speed, 2000.0f, 0.01f);
}

TEST(CollideBalls, TwoMovingBallsExchangeTheirNormalComponents) {
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    Ball& a = t.balls[2];
    Ball& b = t.balls[3];
    a.x = 1000.0f;
    a.y = 600.0f;
    a.vx = 300.0f;
    a.vy = 400.0f;
    a.speed = 500.0f;
    b.x = 1000.0f;
    b.y = 700.0f; // line of centres straight up: normal is y
    b.vx = -100.0f;
    b.vy = -200.0f;
    b.speed = std::hypot(100.0f, 200.0f);
    RecordingEvents ev;
    collideBalls(t, 2, 3, ev);
    // The float pi / 2 leaves cos at -4.4e-8, hence the small tolerances.
    EXPECT_NEAR(a.vx, 300.0f, 1e-3f);
    EXPECT_FLOAT_EQ(a.vy, -200.0f);
    EXPECT_NEAR(b.vx, -100.0f, 1e-3f);
    EXPECT_FLOAT_EQ(b.vy, 400.0f);
    EXPECT_FLOAT_EQ(ev.calls[0].speed, std::hypot(400.0f, 600.0f));
}

// ---- Ball against cushion --------------------------------------------------

Ball& ballMoving(Table& t, float direction, float speed, float sideSpin) {
    setFirstPosition(t, kGameKindFourBall);
    Ball& b = t.balls[0];
    b.direction = direction;
    b.speed = speed;
    b.vx = static_cast<float>(std::cos(static_cast<double>(direction)) * speed);
    b.vy = static_cast<float>(std::sin(static_cast<double>(direction)) * speed);
    b.sideSpin = sideSpin;
    b.followSpin = 321.0f;
    return b;
}

TEST(BounceOffCushion, TopCushionWithSideSpinKick) {
    Table t;
    Ball& b = ballMoving(t, 1.5707963f, 1000.0f, 300.0f);
    const float x = b.x;
    bounceOffCushion(t, 0, cushionTop);
    EXPECT_FLOAT_EQ(b.vx, 300.0f);
    EXPECT_FLOAT_EQ(b.vy, -1000.0f);
    EXPECT_FLOAT_EQ(b.speed, 1044.0307f);
    EXPECT_NEAR(b.speed, 1044.03f, 0.005f);
    EXPECT_FLOAT_EQ(b.direction, static_cast<float>(std::atan2(-1000.0, 300.0)));
    EXPECT_EQ(b.followSpin, 0.0f);
    EXPECT_EQ(b.sideSpin, 0.0f);
    EXPECT_EQ(b.x, x);
}

TEST(BounceOffCushion, LeftCushionStraightOn) {
    Table t;
    Ball& b = ballMoving(t, 3.1415925f, 500.0f, 100.0f);
    bounceOffCushion(t, 0, cushionLeft);
    // 3.1415926 - 3.1415925f is about 1e-7, so the ball comes straight back
    // (a hair upward), pushed along +y by the spin.
    EXPECT_FLOAT_EQ(b.vx, 500.0f);
    EXPECT_GT(b.vy, 100.0f);
    EXPECT_NEAR(b.vy, 100.0f, 1e-4f);
    EXPECT_NEAR(b.direction, std::atan2(100.0, 500.0), 1e-6);
}

TEST(BounceOffCushion, KickGoesToTheShootersRightForTipRight) {
    struct Case {
        int cushion;
        float direction; // of travel onto the cushion
        float kickX;     // of a ball arriving at speed 0 with side spin +100
        float kickY;
    };
    // Arriving "straight on", the shooter's right is the travel direction
    // turned clockwise.
    const Case cases[] = {
        {cushionLeft, 3.1415925f, 0.0f, 100.0f},     // going -x: right is +y
        {cushionRight, 0.0f, 0.0f, -100.0f},         // going +x: right is -y
        {cushionTop, 1.5707963f, 100.0f, 0.0f},      // going +y: right is +x
        {cushionBottom, -1.5707963f, -100.0f, 0.0f}, // going -y: right is -x
    };
    for (const Case& c : cases) {
        Table t;
        Ball& b = ballMoving(t, c.direction, 0.0f, 100.0f);
        bounceOffCushion(t, 0, c.cushion);
        EXPECT_FLOAT_EQ(b.vx, c.kickX) << c.cushion;
        EXPECT_FLOAT_EQ(b.vy, c.kickY) << c.cushion;
        EXPECT_EQ(b.speed, 100.0f) << c.cushion;
    }
}

TEST(BounceOffCushion, BallArrivingAtRestLeavesWithTheKickAlone) {
    Table t;
    Ball& b = ballMoving(t, -1.2f, 0.0f, -200.0f);
    bounceOffCushion(t, 0, cushionBottom);
    EXPECT_EQ(b.vx, 200.0f);
    EXPECT_EQ(b.vy, 0.0f);
    EXPECT_EQ(b.speed, 200.0f);
    EXPECT_EQ(b.direction, 0.0f);

    Ball& still = ballMoving(t, 2.0f, 0.0f, 0.0f);
    bounceOffCushion(t, 0, cushionRight);
    EXPECT_EQ(still.speed, 0.0f);
    EXPECT_EQ(still.direction, 0.0f);
}

TEST(BounceOffCushion, MirrorsTheDirectionWithoutLoss) {
    Table t;
    Ball& b = ballMoving(t, 0.5f, 900.0f, 0.0f);
    bounceOffCushion(t, 0, cushionRight);
    EXPECT_FLOAT_EQ(b.direction, static_cast<float>(3.1415926 - 0.5));
    EXPECT_FLOAT_EQ(b.speed, 900.0f);
    EXPECT_LT(b.vx, 0.0f);
    EXPECT_GT(b.vy, 0.0f);

    b = ballMoving(t, 0.5f, 900.0f, 0.0f);
    bounceOffCushion(t, 0, cushionTop);
    EXPECT_FLOAT_EQ(b.direction, -0.5f);
    EXPECT_FLOAT_EQ(b.vx, static_cast<float>(900.0 * std::cos(0.5)));
    EXPECT_FLOAT_EQ(b.vy, static_cast<float>(-900.0 * std::sin(0.5)));
}

} // namespace
} // namespace zandrel
