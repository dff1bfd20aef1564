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

TEST(Launch, SpeedIs48PerPercentAndTheTipGivesTheSpins) {
    struct Case {
        TablePoint target;
        int power;
        float tipX, tipY, speed, direction, vx, vy, follow, side;
    };
    const Case cases[] = {
        {{300, 1000}, 100, 0, 0, 4800, 1.5707963f, 0, 4800, 0, 0}, // straight up, full power
        {{1200, 600}, 1, 0, 0, 48, 0, 48, 0, 0, 0},
        {{1200, 600}, 37, 0, 0, 1776, 0, 1776, 0, 0, 0},
        {{1200, 600}, 50, -1, 2, 2400, 0, 2400, 0, 1440, -1440},
        {{1200, 600}, 37, 0.5f, -0.5f, 1776, 0, 1776, 0, -266.4f, 532.8f}, // 0.3 and 0.6 x 1776 x 0.5
        {{300, 600}, 10, 0, 0, 480, 0, 480, 0, 0, 0},                      // aim point on the ball
        {{100, 600}, 10, 0, 0, 480, 3.1415925f, -480, 0, 0, 0}};           // straight left: the rounded pi
    for (const Case& c : cases) {
        Table t;
        setFirstPosition(t, kGameKindFourBall);
        t.target = c.target;
        startShot(t, 0, c.power, c.tipX, c.tipY);
        const Ball& b = t.balls[0];
        SCOPED_TRACE(::testing::Message() << "power " << c.power << " tip " << c.tipX << "," << c.tipY);
        EXPECT_EQ(b.speed, c.speed);
        EXPECT_EQ(b.direction, c.direction);
        EXPECT_NEAR(b.vx, c.vx, 1e-3f);
        EXPECT_NEAR(b.vy, c.vy, 1e-3f);
        EXPECT_EQ(b.followSpin, c.follow);
        EXPECT_EQ(b.sideSpin, c.side);
    }
}

TEST(CollideBalls, HeadOnFollowDrawAndSideSpin) {
    struct Case {
        float follow, side, partnerFollow;
        float avx, avy, adirection, bvx, bvy, impact;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0, 2000, 0, 2000},                // the cue ball stops
        {600, 0, 0, 600, 0, 0, 2000, 0, 1400},            // follow keeps it running
        {-600, 0, 0, -600, 0, 3.1415925f, 2000, 0, 2600}, // draw brings it back
        {0, 1200, 5, 0, -180, -1.5707963f, 2005, 180, std::hypot(2005.0f, 360.0f)}}; // f = 0.3 x -1200 / 2
    for (const Case& c : cases) {
        // Ball 0 at (600, 600) rolling +x at 2000 onto ball 1 at rest at (700, 600).
        Table t;
        setFirstPosition(t, kGameKindFourBall);
        t.balls[0] = Ball{600, 600, 2000, 0, true, 2000, 0, c.follow, c.side};
        t.balls[1] = Ball{700, 600};
        t.balls[1].followSpin = c.partnerFollow; // acts along the partner's own direction 0
        RecordingEvents ev;
        collideBalls(t, 0, 1, ev);
        const Ball& a = t.balls[0];
        const Ball& b = t.balls[1];
        SCOPED_TRACE(::testing::Message() << "follow " << c.follow << " side " << c.side);
        EXPECT_EQ(a.vx, c.avx);
        EXPECT_EQ(a.vy, c.avy);
        EXPECT_EQ(a.speed, std::hypot(c.avx, c.avy));
        EXPECT_EQ(a.direction, c.adirection);
        EXPECT_EQ(b.vx, c.bvx);
        EXPECT_EQ(b.vy, c.bvy);
        EXPECT_FLOAT_EQ(b.speed, std::hypot(c.bvx, c.bvy));
        for (const Ball* p : {&a, &b}) {
            EXPECT_EQ(p->followSpin, 0.0f);
            EXPECT_EQ(p->sideSpin, 0.0f);
        }
        EXPECT_EQ(ev.log, "H");
        EXPECT_FLOAT_EQ(ev.speeds[0], c.impact);
        EXPECT_EQ(a.x, 600.0f) << "positions are the motion step's business";
        EXPECT_EQ(b.x, 700.0f);
    }
}

TEST(CollideBalls, OnlyTheComponentsAlongTheLineOfCentresAreExchanged) {
    // Glancing, the line of centres at 60 degrees to the motion: right angles.
    Table t;
    setFirstPosition(t, kGameKindFourBall);
    t.balls[0] = Ball{600, 600, 2000, 0, true, 2000};
    t.balls[1] = Ball{650, 600 + 86.60254f};
    RecordingEvents ev;
    collideBalls(t, 0, 1, ev);
    const Ball& p = t.balls[0];
    const Ball& q = t.balls[1];
    EXPECT_NEAR(p.vx * q.vx + p.vy * q.vy, 0.0f, 0.5f);
    EXPECT_NEAR(q.speed, 1000.0f, 0.01f);  // along the line: 2000 cos 60
    EXPECT_NEAR(p.speed, 1732.05f, 0.01f); // across it: 2000 sin 60
    EXPECT_NEAR(q.direction, 1.0471976f, 1e-6f);
    EXPECT_NEAR(p.direction, -0.5235988f, 1e-6f);
    EXPECT_NEAR(ev.speeds[0], 2000.0f, 0.01f);

    // Two moving balls, the line of centres straight up.
    t.balls[2] = Ball{1000, 600, 300, 400, true, 500};
    t.balls[3] = Ball{1000, 700, -100, -200, true, std::hypot(100.0f, 200.0f)};
    collideBalls(t, 2, 3, ev);
    // The float pi / 2 leaves cos at -4.4e-8, hence the small tolerances.
    EXPECT_NEAR(t.balls[2].vx, 300.0f, 1e-3f);
    EXPECT_FLOAT_EQ(t.balls[2].vy, -200.0f);
    EXPECT_NEAR(t.balls[3].vx, -100.0f, 1e-3f);
    EXPECT_FLOAT_EQ(t.balls[3].vy, 400.0f);
    EXPECT_FLOAT_EQ(ev.speeds[1], std::hypot(400.0f, 600.0f));
}

TEST(BounceOffCushion, MirrorsWithoutLossAndKicksToTheShootersRight) {
    struct Case {
        int cushion;
        float direction, speed, side; // arriving
        float vx, vy;                 // leaving
    };
    const Case cases[] = {
        {cushionTop, 1.5707963f, 1000, 300, 300, -1000}, // speed 1044.03
        {cushionLeft, 3.1415925f, 500, 100, 500, 100},   // a hair upward: 3.1415925f is short of pi
        // Arriving at rest with side spin +100: the shooter's right is the
        // travel direction turned clockwise.
        {cushionLeft, 3.1415925f, 0, 100, 0, 100},
        {cushionRight, 0, 0, 100, 0, -100},
        {cushionTop, 1.5707963f, 0, 100, 100, 0},
        {cushionBottom, -1.5707963f, 0, 100, -100, 0},
        {cushionBottom, -1.2f, 0, -200, 200, 0},
        {cushionRight, 2.0f, 0, 0, 0, 0},
        {cushionRight, 0.5f, 900, 0, float(-900 * std::cos(0.5)), float(900 * std::sin(0.5))},
        {cushionTop, 0.5f, 900, 0, float(900 * std::cos(0.5)), float(-900 * std::sin(0.5))}};
    for (const Case& c : cases) {
        Table t;
        setFirstPosition(t, kGameKindFourBall);
        Ball& b = t.balls[0];
        b.direction = c.direction;
        b.speed = c.speed;
        b.vx = static_cast<float>(std::cos(static_cast<double>(c.direction)) * c.speed);
        b.vy = static_cast<float>(std::sin(static_cast<double>(c.direction)) * c.speed);
        b.sideSpin = c.side;
        b.followSpin = 321.0f;
        bounceOffCushion(t, 0, c.cushion);
        SCOPED_TRACE(::testing::Message() << "cushion " << c.cushion << " from " << c.direction << " at "
                                          << c.speed << " spin " << c.side);
        EXPECT_NEAR(b.vx, c.vx, 1e-3f);
        EXPECT_NEAR(b.vy, c.vy, 1e-3f);
        EXPECT_NEAR(b.speed, std::hypot(c.vx, c.vy), 1e-3f);
        EXPECT_NEAR(b.direction, c.speed + c.side == 0 ? 0.0f : std::atan2(c.vy, c.vx), 1e-6f);
        EXPECT_EQ(b.followSpin, 0.0f);
        EXPECT_EQ(b.sideSpin, 0.0f);
        EXPECT_EQ(b.x, 300.0f);
    }
}

} // namespace
} // namespace zandrel
