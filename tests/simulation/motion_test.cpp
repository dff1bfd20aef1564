// The motion step: contact times, friction, and the order in which one tick
// resolves contacts and reports them.

#include "recording_events.h"
#include "simulation/motion.h"
#include "simulation/table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zandrel {
namespace {

using test::CountingEvents;
using test::RecordingEvents;
using test::SimCall;
using Calls = std::vector<SimCall>;

/// A four-ball table with every ball at rest far from the action (spread along
/// the bottom) so that a test only has to place the balls it uses.
Table quietTable() {
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    for (int i = 0; i < kBallCount; ++i) {
        t.balls[i].x = 400.0f + 500.0f * i;
        t.balls[i].y = 100.0f;
    }
    return t;
}

/// Sets a ball moving the way the motion step leaves balls: velocity rebuilt
/// from direction and speed.
void setMotion(Ball& b, float x, float y, float direction, float speed) {
    b.x = x;
    b.y = y;
    b.direction = direction;
    b.speed = speed;
    b.vx = static_cast<float>(std::cos(static_cast<double>(direction)) * speed);
    b.vy = static_cast<float>(std::sin(static_cast<double>(direction)) * speed);
}

/// Sets a ball moving along an axis with an exactly axial velocity.
void setAxial(Ball& b, float x, float y, float vx, float vy) {
    b.x = x;
    b.y = y;
    b.vx = vx;
    b.vy = vy;
    b.speed = std::fabs(vx) + std::fabs(vy);
    b.direction = getAngle(0.0f, 0.0f, vx, vy);
}

/// The calls without the speeds, for checking order alone.
Calls kindsOnly(Calls calls) {
    for (SimCall& c : calls) {
        c.speed = 0.0f;
    }
    return calls;
}

const SimCall Y = SimCall::Yield();
SimCall D(int i) {
    return SimCall::Draw(i);
}
const SimCall Hit = SimCall::BallHit(0.0f);
const SimCall Cush = SimCall::Cushion(0.0f);

// ---- Contact times ---------------------------------------------------------

TEST(CushionHitTime, OnlyTowardTheCushion) {
    Table t = quietTable();
    setAxial(t.balls[0], 1000.0f, 600.0f, -1000.0f, 0.0f);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionLeft), 0.95f);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionRight), kNoContact);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionTop), kNoContact);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionBottom), kNoContact);

    setAxial(t.balls[0], 1000.0f, 600.0f, 500.0f, 0.0f);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionRight), 2.7f); // (2350 - 1000) / 500

    // Parallel to the side cushions: no time for 101 or 102.
    setAxial(t.balls[0], 1000.0f, 1000.0f, 0.0f, 300.0f);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionLeft), kNoContact);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionRight), kNoContact);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionTop), 0.5f);

    setAxial(t.balls[0], 1000.0f, 250.0f, 0.0f, -400.0f);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionBottom), 0.5f);
}

TEST(CushionHitTime, RestingOrOffTableBallsHaveNone) {
    Table t = quietTable();
    setAxial(t.balls[0], 1000.0f, 600.0f, -1000.0f, 0.0f);
    t.balls[0].speed = 0.0f; // the stored velocity does not count
    EXPECT_EQ(getCushionHitTime(t, 0, cushionLeft), kNoContact);
    t.balls[0].speed = 1000.0f;
    t.balls[0].onTable = false;
    EXPECT_EQ(getCushionHitTime(t, 0, cushionLeft), kNoContact);
}

TEST(CushionHitTime, PastTheLineGoingOutIsImmediate) {
    Table t = quietTable();
    setAxial(t.balls[0], 40.0f, 600.0f, -100.0f, 0.0f);
    EXPECT_EQ(getCushionHitTime(t, 0, cushionLeft), 0.0f);
    setAxial(t.balls[0], 40.0f, 600.0f, 100.0f, 0.0f); // coming back in: no contact there
    EXPECT_EQ(getCushionHitTime(t, 0, cushionLeft), kNoContact);
    setAxial(t.balls[0], 1000.0f, 1150.0f, 0.0f, 10.0f); // exactly on the line
    EXPECT_EQ(getCushionHitTime(t, 0, cushionTop), 0.0f);
}

TEST(BallHitTime, SolvesForTheMomentTheCentresAre100Apart) {
    Table t = quietTable();
    setAxial(t.balls[0], 600.0f, 600.0f, 2000.0f, 0.0f);
    t.balls[1].x = 800.0f;
    t.balls[1].y = 600.0f;
    EXPECT_EQ(getBallHitTime(t, 0, 1), 0.05f);
    EXPECT_EQ(getBallHitTime(t, 1, 0), 0.05f) << "same pair from the other side";

    // Along a 3-4-5 diagonal, 500 away: meets after 400 units at 500 per second.
    setMotion(t.balls[0], 500.0f, 500.0f, 0.0f, 0.0f);
    t.balls[0].vx = 300.0f;
    t.balls[0].vy = 400.0f;
    t.balls[0].speed = 500.0f;
    t.balls[1].x = 800.0f;
    t.balls[1].y = 900.0f;
    EXPECT_EQ(getBallHitTime(t, 0, 1), 0.8f);
    // The same with the partner 60 to the side of the path: 0.84.
    t.balls[1].x = 848.0f;
    t.balls[1].y = 864.0f;
    EXPECT_EQ(getBallHitTime(t, 0, 1), 0.84f);
}

TEST(BallHitTime, NoTimeUnlessApproachingAndOverlappingPaths) {
    Table t = quietTable();
    setAxial(t.balls[0], 600.0f, 600.0f, -2000.0f, 0.0f); // moving away
    t.balls[1].x = 800.0f;
    t.balls[1].y = 600.0f;
    EXPECT_EQ(getBallHitTime(t, 0, 1), kNoContact);

    setAxial(t.balls[0], 600.0f, 600.0f, 2000.0f, 0.0f);
    t.balls[1].y = 700.0f; // paths exactly 100 apart: a graze is no contact
    EXPECT_EQ(getBallHitTime(t, 0, 1), kNoContact);
    t.balls[1].y = 699.0f;
    EXPECT_LT(getBallHitTime(t, 0, 1), 0.1f);

    t.balls[1].y = 600.0f;
    t.balls[1].onTable = false;
    EXPECT_EQ(getBallHitTime(t, 0, 1), kNoContact);
    EXPECT_EQ(getBallHitTime(t, 1, 0), kNoContact);
    t.balls[1].onTable = true;

    setAxial(t.balls[1], 800.0f, 600.0f, 2000.0f, 0.0f); // same velocity
    EXPECT_EQ(getBallHitTime(t, 0, 1), kNoContact);
}

TEST(BallHitTime, OverlappingAndApproachingIsImmediate) {
    Table t = quietTable();
    setAxial(t.balls[0], 600.0f, 600.0f, 100.0f, 0.0f);
    t.balls[1].x = 650.0f;
    t.balls[1].y = 600.0f;
    EXPECT_EQ(getBallHitTime(t, 0, 1), 0.0f);
    setAxial(t.balls[0], 600.0f, 600.0f, -100.0f, 0.0f); // overlapping but separating
    EXPECT_EQ(getBallHitTime(t, 0, 1), kNoContact);
}

// ---- Friction --------------------------------------------------------------

TEST(MoveBalls, FastBallKeepsItsFollowForOneMoreStep) {
    Table t = quietTable();
    setMotion(t.balls[0], 1000.0f, 600.0f, 0.0f, 1500.0f);
    t.balls[0].followSpin = 100.0f;
    moveBalls(t, kTickSeconds);
    EXPECT_EQ(t.balls[0].x, 1075.0f);
    EXPECT_EQ(t.balls[0].speed, 1420.0f); // 1500 - 1600 x 0.05
    EXPECT_EQ(t.balls[0].vx, 1420.0f);
    EXPECT_EQ(t.balls[0].followSpin, 100.0f);
    moveBalls(t, kTickSeconds);
    EXPECT_EQ(t.balls[0].speed, 1388.0f); // 1420 - 640 x 0.05
    EXPECT_EQ(t.balls[0].followSpin, 0.0f);
}

TEST(MoveBalls, ThresholdSpeedItselfIsSlow) {
    Table t = quietTable();
    setMotion(t.balls[0], 1000.0f, 600.0f, 0.0f, 1440.0f);
    t.balls[0].followSpin = -50.0f;
    moveBalls(t, kTickSeconds);
    EXPECT_EQ(t.balls[0].speed, 1408.0f);
    EXPECT_EQ(t.balls[0].followSpin, 0.0f);
}

TEST(MoveBalls, SlowBallStopsWithinATick) {
    Table t = quietTable();
    setMotion(t.balls[0], 1000.0f, 600.0f, 0.7f, 20.0f);
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(t.balls[0].speed, 0.0f);
    EXPECT_EQ(t.balls[0].vx, 0.0f);
    EXPECT_EQ(t.balls[0].vy, 0.0f);
    EXPECT_TRUE(areAllBallsStopped(t));
    EXPECT_EQ(ev.calls, Calls{Y});
}

TEST(MoveBalls, ZeroTimeOnlyClearsSlowSpinAndRebuildsVelocity) {
    Table t = quietTable();
    setMotion(t.balls[0], 1000.0f, 600.0f, 0.0f, 1000.0f);
    t.balls[0].followSpin = 200.0f;
    t.balls[0].vx = 5.0f; // stale velocity
    setMotion(t.balls[1], 1500.0f, 600.0f, 0.0f, 2000.0f);
    t.balls[1].followSpin = 300.0f;
    moveBalls(t, 0.0f);
    EXPECT_EQ(t.balls[0].x, 1000.0f);
    EXPECT_EQ(t.balls[0].speed, 1000.0f);
    EXPECT_EQ(t.balls[0].vx, 1000.0f);
    EXPECT_EQ(t.balls[0].followSpin, 0.0f);
    EXPECT_EQ(t.balls[1].followSpin, 300.0f);
    EXPECT_EQ(t.balls[1].speed, 2000.0f);
}

TEST(MoveBalls, RestingAndOffTableBallsAreLeftAlone) {
    Table t = quietTable();
    t.balls[1].vx = 50.0f; // at rest: speed 0
    setMotion(t.balls[2], 1400.0f, 600.0f, 0.0f, 500.0f);
    t.balls[2].onTable = false;
    moveBalls(t, kTickSeconds);
    EXPECT_EQ(t.balls[1].x, 900.0f);
    EXPECT_EQ(t.balls[1].vx, 50.0f);
    EXPECT_EQ(t.balls[2].x, 1400.0f);
    EXPECT_EQ(t.balls[2].speed, 500.0f);
}

// ---- One tick: order of contacts and reports --------------------------------

TEST(StepOrder, TickWithoutContactYieldsOnceAndMoves) {
    Table t = quietTable();
    setMotion(t.balls[0], 1000.0f, 600.0f, 0.0f, 1000.0f);
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(ev.calls, Calls{Y});
    EXPECT_EQ(t.balls[0].x, 1050.0f);
    EXPECT_EQ(t.balls[0].speed, 968.0f);
}

TEST(StepOrder, CushionContactDrawsThenSoundsTheReboundSpeed) {
    Table t = quietTable();
    setMotion(t.balls[0], 100.0f, 600.0f, 3.1415925f, 2000.0f); // 0.025 s from cushion 101
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, D(0), Cush, Y}));
    EXPECT_FLOAT_EQ(ev.calls[2].speed, 1960.0f); // 2000 - 1600 x 0.025, no loss at the cushion
    EXPECT_FLOAT_EQ(t.balls[0].x, 99.0f);        // back out by 1960 x 0.025
    EXPECT_FLOAT_EQ(t.balls[0].speed, 1920.0f);
    EXPECT_GT(t.balls[0].vx, 0.0f);
}

TEST(StepOrder, SideSpinKickIsInTheCushionSoundSpeed) {
    Table t = quietTable();
    setMotion(t.balls[0], 1000.0f, 1100.0f, 1.5707963f, 1000.0f); // 0.05 s from cushion 103
    t.balls[0].sideSpin = 300.0f;
    RecordingEvents ev;
    stepSimulation(t, ev);
    ASSERT_EQ(kindsOnly(ev.calls), (Calls{Y, D(0), Cush, Y}));
    EXPECT_FLOAT_EQ(ev.calls[2].speed, std::hypot(968.0f, 300.0f));
    EXPECT_EQ(t.balls[0].sideSpin, 0.0f);
}

TEST(StepOrder, BallContactSoundsThenDrawsBothBalls) {
    Table t = quietTable();
    setAxial(t.balls[0], 600.0f, 600.0f, 2000.0f, 0.0f);
    t.balls[1].x = 750.0f; // 0.025 s away
    t.balls[1].y = 600.0f;
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, Hit, D(0), D(1), Y}));
    EXPECT_FLOAT_EQ(ev.calls[1].speed, 1960.0f);
    EXPECT_TRUE(t.balls[1].hitByCue);
    EXPECT_FALSE(t.balls[0].hitByCue);
    EXPECT_FALSE(t.balls[2].hitByCue);
    EXPECT_EQ(t.balls[0].speed, 0.0f);
    EXPECT_FLOAT_EQ(t.balls[1].x, 750.0f + 1960.0f * 0.025f);
}

TEST(StepOrder, ContactExactlyAtTheEndOfTheTickBelongsToIt) {
    Table t = quietTable();
    setAxial(t.balls[0], 600.0f, 600.0f, 2000.0f, 0.0f);
    t.balls[1].x = 800.0f;
    t.balls[1].y = 600.0f;
    RecordingEvents ev;
    stepSimulation(t, ev);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, Hit, D(0), D(1), Y}));
    // The last pass has no time left: moveBalls(0) moves nothing.
    EXPECT_EQ(t.balls[0].x, 700.0f);
    EXPECT_EQ(t.balls[1].x, 800.0f);
    EXPECT_EQ(t.balls[1].speed, 1920.0f);
}

TEST(StepOrder, TwoMovingBallsMeetAsLowerIndexFirst) {
    Table t = quietTable();
    setAxial(t.balls[2], 1000.0f, 600.0f, -1000.0f, 0.0f);
    setAxial(t.balls[1], 850.0f, 600.0f, 1000.0f, 0.0f);
    RecordingEvents ev;
    stepSimulation(t, ev);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, Hit, D(1), D(2), Y}));
    for (const Ball& b : t.balls) {
        EXPECT_FALSE(b.hitByCue) << "no cue ball involved";
    }
    EXPECT_LT(t.balls[1].vx, 0.0f);
    EXPECT_GT(t.balls[2].vx, 0.0f);
}

TEST(StepOrder, RestingBallIsFoundFromTheMovingSide) {
    Table t = quietTable();
    setAxial(t.balls[3], 1000.0f, 600.0f, -1000.0f, 0.0f);
    t.balls[0].x = 850.0f;
    t.balls[0].y = 600.0f;
    RecordingEvents ev;
    stepSimulation(t, ev);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, Hit, D(3), D(0), Y}));
    EXPECT_TRUE(t.balls[3].hitByCue) << "struck the cue ball";
    EXPECT_FALSE(t.balls[0].hitByCue);
}

TEST(StepOrder, CornerTakesTheSideCushionFirst) {
    Table t = quietTable();
    Ball& b = t.balls[0];
    b.x = 75.0f;
    b.y = 1125.0f;
    b.vx = -1000.0f;
    b.vy = 1000.0f;
    b.speed = static_cast<float>(std::sqrt(2.0e6));
    b.direction = getAngle(0.0f, 0.0f, -1000.0f, 1000.0f);
    b.sideSpin = 200.0f;
    ASSERT_EQ(getCushionHitTime(t, 0, cushionLeft), getCushionHitTime(t, 0, cushionTop));
    RecordingEvents ev;
    stepSimulation(t, ev);
    ASSERT_EQ(kindsOnly(ev.calls), (Calls{Y, D(0), Cush, Y, D(0), Cush, Y}));
    // The kick of the first rebound is along +y and raises the speed; the spin
    // is gone by the second, which keeps the speed.
    EXPECT_GT(ev.calls[2].speed, 1500.0f);
    EXPECT_NEAR(ev.calls[5].speed, ev.calls[2].speed, 0.01f);
    EXPECT_GT(b.vx, 0.0f);
    EXPECT_LT(b.vy, 0.0f);
    EXPECT_EQ(b.sideSpin, 0.0f);
}

TEST(StepOrder, CushionBeatsABallAtTheSameMoment) {
    Table t = quietTable();
    setAxial(t.balls[0], 75.0f, 600.0f, -1000.0f, 0.0f);  // cushion 101 in 0.025 s
    setAxial(t.balls[1], 200.0f, 600.0f, -2000.0f, 0.0f); // catches ball 0 in 0.025 s
    ASSERT_EQ(getCushionHitTime(t, 0, cushionLeft), getBallHitTime(t, 0, 1));
    RecordingEvents ev;
    stepSimulation(t, ev);
    // Ball 0 rebounds into ball 1, takes its speed back toward the cushion,
    // rebounds again and hands it on: all at the same moment.
    EXPECT_EQ(kindsOnly(ev.calls),
              (Calls{Y, D(0), Cush, Y, Hit, D(0), D(1), Y, D(0), Cush, Y, Hit, D(0), D(1), Y}));
    EXPECT_TRUE(t.balls[1].hitByCue);
    EXPECT_GT(t.balls[0].vx, 0.0f);
    EXPECT_GT(t.balls[1].vx, t.balls[0].vx);
}

TEST(StepOrder, AbandonedAtTheFirstYieldMovesNothing) {
    Table t = quietTable();
    setMotion(t.balls[0], 1000.0f, 600.0f, 0.0f, 1000.0f);
    RecordingEvents ev;
    ev.abandonAtYield = 1;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::abandoned);
    EXPECT_EQ(ev.calls, Calls{Y});
    EXPECT_EQ(t.balls[0].x, 1000.0f);
    EXPECT_EQ(t.balls[0].speed, 1000.0f);
}

TEST(StepOrder, AbandonedAfterAContactStopsAtTheContact) {
    Table t = quietTable();
    setMotion(t.balls[0], 100.0f, 600.0f, 3.1415925f, 2000.0f);
    RecordingEvents ev;
    ev.abandonAtYield = 2;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::abandoned);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, D(0), Cush, Y}));
    EXPECT_EQ(t.balls[0].x, 50.0f);
}

// ---- Degenerate states still finish the tick --------------------------------

TEST(Degenerate, BallPastACushionGoingOutComesStraightBack) {
    Table t = quietTable();
    setAxial(t.balls[0], 30.0f, 600.0f, -500.0f, 0.0f);
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, D(0), Cush, Y}));
    EXPECT_FLOAT_EQ(ev.calls[2].speed, 500.0f); // resolved at once: no time, no friction
    EXPECT_NEAR(t.balls[0].x, 55.0f, 1e-3f);
}

TEST(Degenerate, OverlappingBallsSeparate) {
    Table t = quietTable();
    setAxial(t.balls[0], 600.0f, 600.0f, 1000.0f, 0.0f);
    t.balls[1].x = 650.0f;
    t.balls[1].y = 600.0f;
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, Hit, D(0), D(1), Y}));
    EXPECT_EQ(t.balls[0].speed, 0.0f);
    EXPECT_NEAR(t.balls[1].x, 700.0f, 1e-3f);
}

TEST(Degenerate, RowOfFourTouchingBallsPassesTheSpeedDown) {
    Table t = quietTable();
    for (int i = 0; i < kBallCount; ++i) {
        t.balls[i].x = 600.0f + 100.0f * i;
        t.balls[i].y = 600.0f;
    }
    setAxial(t.balls[0], 600.0f, 600.0f, 2000.0f, 0.0f);
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(kindsOnly(ev.calls), (Calls{Y, Hit, D(0), D(1), Y, Hit, D(1), D(2), Y, Hit, D(2), D(3), Y}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.balls[i].speed, 0.0f) << i;
    }
    EXPECT_EQ(t.balls[3].speed, 1920.0f);
}

Ball exactBall(float x, float y, float vx, float vy, float speed, float direction, float followSpin,
               float sideSpin) {
    Ball b;
    b.x = x;
    b.y = y;
    b.vx = vx;
    b.vy = vy;
    b.speed = speed;
    b.direction = direction;
    b.followSpin = followSpin;
    b.sideSpin = sideSpin;
    return b;
}

bool insideCentreLines(const Table& t) {
    for (const Ball& b : t.balls) {
        if (b.onTable && (b.x < 49.99f || b.x > 2350.01f || b.y < 49.99f || b.y > 1150.01f)) {
            return false;
        }
    }
    return true;
}

// States met in random play (kept bit for bit) where rounding defeats the
// reversal of a contact: resolving it at time 0 gives back the same state, so it
// would be found again in every following pass of the tick.
TEST(Degenerate, BallSlidingDownACushionDoesNotReboundForever) {
    Table t;
    setFirstPosition(t, kGameKindThreeBall);
    // At x = 2350 heading a hair right of straight down: the mirrored direction
    // rounds back to one that still points right.
    t.balls[0] = exactBall(0x1.25cp+11f, 0x1.152188p+9f, 0x1.23dfbap-15f, -0x1.ccdc94p+8f, 0x1.ccdc94p+8f,
                           -0x1.921fb4p+0f, 0.0f, 0.0f);
    t.balls[1] = exactBall(0x1.2bd0a4p+10f, 0x1.066906p+8f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    t.balls[2] = exactBall(0x1.03b1p+7f, 0x1.0c573p+10f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    CountingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_LE(ev.cushions, 3);
    EXPECT_LE(ev.yields, 4);
    EXPECT_TRUE(insideCentreLines(t));
    EXPECT_LT(t.balls[0].y, 554.0f) << "the tick's time was run";
}

TEST(Degenerate, TangentialBallContactDoesNotRepeatForever) {
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    // A power-1 shot with side spin (speed 16 after a tick) grazing ball 2:
    // the throw leaves the pair sliding past each other with no approach to
    // speak of.
    t.balls[0] = exactBall(0x1.ecbdfep+10f, 0x1.eefa46p+6f, -0x1.f1de26p+3f, 0x1.dddb58p+1f, 0x1p+4f,
                           0x1.73fadep+1f, 0.0f, 0x1.1f6f2p+6f);
    t.balls[1] = exactBall(0x1.168d84p+11f, 0x1.1ff1a2p+9f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    t.balls[2] = exactBall(0x1.d48f04p+10f, 0x1.832d1ep+6f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    t.balls[3] = exactBall(0x1.cd183p+9f, 0x1.9d7d5p+9f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    CountingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    // Rounding walks the pair for a few passes before it settles on a state
    // that repeats; from there on the contact is left alone.
    EXPECT_LE(ev.ballHits, 8);
    EXPECT_LE(ev.yields, 9);
    EXPECT_TRUE(t.balls[2].hitByCue);
    EXPECT_TRUE(insideCentreLines(t));
}

TEST(Degenerate, EndlessContactsAreCutOffAtTheBound) {
    // Four balls piled into the top-right corner, overlapping: the contacts
    // among them never settle within the tick.
    Table t;
    t.balls[0] = exactBall(0x1.1f3d42p+11f, 0x1.1f8p+10f, -0.0f, 0.0f, 0.0f, 0x1.7b96dp+1f, -0x1.70ebccp+10f,
                           0x1.200a3cp+9f);
    t.balls[1] = exactBall(0x1.25cp+11f, 0x1.1f8p+10f, -0x1.0f3ce6p+10f, 0x1.ecf426p+10f, 0x1.195302p+11f,
                           0x1.0972cep+1f, -0x1.db7412p+9f, 0x1.cb0096p+9f);
    t.balls[2] = exactBall(0x1.25071p+11f, 0x1.1f8p+10f, -0.0f, 0.0f, 0.0f, -0x1.f6d72ep+1f, -0x1.b4406p+10f,
                           0x1.213d72p+8f);
    t.balls[3] = exactBall(0x1.17f724p+11f, 0x1.1f8p+10f, 0x1.53a64ep+9f, 0x1.f9d334p+8f, 0x1.a7784p+9f,
                           0x1.bb165ap+2f, -0x1.6eb302p+10f, -0x1.925342p+9f);
    CountingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(ev.yields, kMaxContactsPerTick + 1);
    // The shot goes on: the next tick starts afresh.
    CountingEvents next;
    EXPECT_EQ(stepSimulation(t, next), StepResult::completed);
}

} // namespace
} // namespace zandrel
