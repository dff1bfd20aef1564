#include "recording_events.h"
#include "simulation/motion.h"
#include "simulation/table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

namespace zandrel {
namespace {

using ::testing::FloatNear;
using ::testing::Pointwise;

TEST(Launch, SpeedIs48PerPercentAndTheTipGivesTheSpins) {
    // Aim point, power, tip offsets; then speed, direction, velocity, follow and side spin.
    const std::tuple<TablePoint, int, float, float, float, float, float, float, float, float> cases[] = {
        {{300, 1000}, 100, 0, 0, 4800, 1.5707963f, 0, 4800, 0, 0}, // straight up, full power
        {{1200, 600}, 50, -1, 2, 2400, 0, 2400, 0, 1440, -1440},
        {{300, 600}, 10, 0, 0, 480, 0, 480, 0, 0, 0},            // aim point on the ball
        {{100, 600}, 10, 0, 0, 480, 3.1415925f, -480, 0, 0, 0}}; // straight left: the rounded pi
    for (const auto& [target, power, tipX, tipY, speed, direction, vx, vy, follow, side] : cases) {
        Table t = test::rack();
        t.target = target;
        startShot(t, 0, power, tipX, tipY);
        const Ball& b = t.balls[0];
        SCOPED_TRACE(::testing::Message() << "power " << power << " tip " << tipX << "," << tipY);
        EXPECT_EQ((std::array{b.speed, b.direction, b.followSpin, b.sideSpin}),
                  (std::array{speed, direction, follow, side}));
        EXPECT_THAT((std::array{b.vx, b.vy}), Pointwise(FloatNear(1e-3f), std::array{vx, vy}));
    }
}

TEST(CollideBalls, ExchangesTheComponentsAlongTheLineOfCentresAndSpendsTheSpins) {
    struct Case {
        Ball a, b;
        float avx, avy, adirection, bvx, bvy, impact, tolerance;
    };
    // Mostly ball a at (600, 600) rolling +x at 2000 onto ball b at rest at (700, 600).
    const Ball rolling{600, 600, 2000, 0, true, 2000};
    const auto spun = [&](float follow, float side) {
        return Ball{600, 600, 2000, 0, true, 2000, 0, follow, side};
    };
    const Ball partner{700, 600, 0, 0, true, 0, 0, 5}; // its follow acts along its own direction 0
    const Ball up{1000, 600, 300, 400, true, 500},
        down{1000, 700, -100, -200, true, std::hypot(100.0f, 200.0f)};
    const float rt3 = 1732.0508f, sideImpact = std::hypot(2005.0f, 360.0f),
                upImpact = std::hypot(400.0f, 600.0f);
    const Case cases[] = {
        {rolling, {700, 600}, 0, 0, 0, 2000, 0, 2000, 0},                   // the cue ball stops
        {spun(600, 0), {700, 600}, 600, 0, 0, 2000, 0, 1400, 0},            // follow keeps it running
        {spun(-600, 0), {700, 600}, -600, 0, 3.1415925f, 2000, 0, 2600, 0}, // draw brings it back
        {spun(0, 1200), partner, 0, -180, -1.5707963f, 2005, 180, sideImpact, 1e-3f}, // f = 0.3 x -1200 / 2
        // Glancing, the line of centres at 60 degrees: 2000 cos 60 along it, 2000 sin 60 across it.
        {rolling, {650, 600 + rt3 / 20}, 1500, -rt3 / 2, -0.5235988f, 500, rt3 / 2, 2000, 0.02f},
        // Two moving balls, the line of centres straight up; the float pi / 2 leaves cos at -4.4e-8.
        {up, down, 300, -200, -0.5880026f, -100, 400, upImpact, 1e-3f}};
    for (const Case& c : cases) {
        Table t = test::rack();
        t.balls[0] = c.a;
        t.balls[1] = c.b;
        test::RecordingEvents ev;
        collideBalls(t, 0, 1, ev);
        const Ball &a = t.balls[0], &b = t.balls[1];
        SCOPED_TRACE(::testing::Message() << "onto " << c.b.x << "," << c.b.y << " follow " << c.a.followSpin
                                          << " side " << c.a.sideSpin);
        EXPECT_THAT((std::array{a.vx, a.vy, a.speed, b.vx, b.vy, b.speed}),
                    Pointwise(FloatNear(c.tolerance), std::array{c.avx, c.avy, std::hypot(c.avx, c.avy),
                                                                 c.bvx, c.bvy, std::hypot(c.bvx, c.bvy)}));
        EXPECT_NEAR(a.direction, c.adirection, c.tolerance > 0 ? 1e-6f : 0.0f);
        EXPECT_EQ((std::array{a.followSpin, a.sideSpin, b.followSpin, b.sideSpin, a.x, b.x}),
                  (std::array{0.0f, 0.0f, 0.0f, 0.0f, c.a.x, c.b.x}))
            << "spins spent; positions are the motion step's business";
        EXPECT_EQ(ev.log, "H");
        EXPECT_NEAR(ev.speeds[0], c.impact, c.tolerance);
    }
}

/// Rebounds ball 0, arriving in `direction` at `speed` with side spin `side`, from
/// `cushion`, and checks that it leaves at (vx, vy) with its spins spent and in place.
void expectRebound(int cushion, float direction, float speed, float side, float vx, float vy) {
    Table t = test::rack();
    Ball& b = t.balls[0] = Ball{300, 600, 0, 0, true, speed, direction, 321.0f, side};
    b.vx = float(std::cos(double(direction)) * speed), b.vy = float(std::sin(double(direction)) * speed);
    bounceOffCushion(t, 0, cushion);
    SCOPED_TRACE(::testing::Message()
                 << "cushion " << cushion << " from " << direction << " at " << speed << " spin " << side);
    EXPECT_THAT((std::array{b.vx, b.vy, b.speed}),
                Pointwise(FloatNear(1e-3f), std::array{vx, vy, std::hypot(vx, vy)}));
    EXPECT_NEAR(b.direction, vx == 0 && vy == 0 ? 0.0f : std::atan2(vy, vx), 1e-6f);
    EXPECT_EQ((std::array{b.followSpin, b.sideSpin, b.x}), (std::array{0.0f, 0.0f, 300.0f}));
}

TEST(BounceOffCushion, MirrorsWithoutLossAndKicksToTheShootersRight) {
    // Cushion; arriving direction, speed and side spin; leaving velocity.
    const std::tuple<int, float, float, float, float, float> cases[] = {
        {cushionTop, 1.5707963f, 1000, 300, 300, -1000}, // speed 1044.03
        {cushionLeft, 3.1415925f, 500, 100, 500, 100},   // a hair upward: 3.1415925f is short of pi
        // At rest with side spin +100: the shooter's right, the travel direction turned clockwise.
        {cushionLeft, 3.1415925f, 0, 100, 0, 100},
        {cushionRight, 0, 0, 100, 0, -100},
        {cushionTop, 1.5707963f, 0, 100, 100, 0},
        {cushionBottom, -1.5707963f, 0, 100, -100, 0},
        {cushionBottom, -1.2f, 0, -200, 200, 0}, // a tip left of centre kicks the other way
        {cushionRight, 0.5f, 900, 0, float(-900 * std::cos(0.5)), float(900 * std::sin(0.5))}};
    for (const auto& [cushion, direction, speed, side, vx, vy] : cases)
        expectRebound(cushion, direction, speed, side, vx, vy);
}

TEST(BounceOffCushion, NegativeSideSpinKicksAlongTheCushionToTheShootersLeft) {
    // A tip left of centre: the kick of -side spin runs along the cushion, to the left of the
    // travel direction before the rebound (turned counter-clockwise), on top of the mirrored velocity.
    const std::tuple<int, float, float, float, float, float> cases[] = {
        // Going down and right onto the bottom cushion: mirrored (289.886, 745.631), kicked +200 in x.
        {cushionBottom, -1.2f, 800, -200, 489.88617f, 745.63129f},
        // Going up and left onto the top cushion: mirrored (-249.688, -545.578), kicked -150 in x.
        {cushionTop, 2.0f, 600, -150, -399.68811f, -545.57843f},
        // Going up and left onto the left cushion: mirrored (801.144, 598.472), kicked -250 in y.
        {cushionLeft, 2.5f, 1000, -250, 801.14362f, 348.47211f},
        // Going down and right onto the right cushion: mirrored (-460.531, -194.709), kicked +100 in y.
        {cushionRight, -0.4f, 500, -100, -460.53052f, -94.70914f}};
    for (const auto& [cushion, direction, speed, side, vx, vy] : cases)
        expectRebound(cushion, direction, speed, side, vx, vy);
}

} // namespace
} // namespace zandrel
