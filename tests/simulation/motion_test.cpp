#include "recording_events.h"
#include "simulation/motion.h"
#include "simulation/table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

namespace zandrel {
namespace {

using test::RecordingEvents;

/// Ball i at (x, y) with the given velocity; speed and direction to match.
struct Place {
    int i;
    float x, y, vx = 0.0f, vy = 0.0f, sideSpin = 0.0f;
};
/// A four-ball table with the placed balls, the others at rest along the bottom.
Table tableWith(std::initializer_list<Place> places) {
    Table t = test::rack();
    for (int i = 0; i < kBallCount; ++i)
        t.balls[i] = Ball{400.0f + 500.0f * i, 100.0f};
    for (const Place& p : places) {
        const float speed = std::hypot(p.vx, p.vy);
        t.balls[p.i] = Ball{p.x, p.y, p.vx, p.vy, true, speed, getAngle(0, 0, p.vx, p.vy), 0, p.sideSpin};
    }
    return t;
}

std::string touched(const Table& t) {
    std::string mask;
    for (const Ball& b : t.balls)
        mask += b.hitByCue ? '1' : '0';
    return mask;
}

TEST(ContactTimes, CushionOnlyTowardItAndAtOnceWhenPastTheLine) {
    constexpr float N = kNoContact;
    // The times to the left, right, top and bottom cushions.
    const std::pair<Place, std::array<float, 4>> cases[] = {{{0, 1000, 600, -1000, 0}, {0.95f, N, N, N}},
                                                            {{0, 1000, 600, 500, 0}, {N, 2.7f, N, N}},
                                                            {{0, 1000, 1000, 0, 300}, {N, N, 0.5f, N}},
                                                            {{0, 1000, 250, 0, -400}, {N, N, N, 0.5f}},
                                                            {{0, 40, 600, -100, 0}, {0, N, N, N}}};
    for (const auto& [ball, times] : cases) {
        const Table t = tableWith({ball});
        EXPECT_EQ((std::array{getCushionHitTime(t, 0, cushionLeft), getCushionHitTime(t, 0, cushionRight),
                              getCushionHitTime(t, 0, cushionTop), getCushionHitTime(t, 0, cushionBottom)}),
                  times)
            << ball.x << "," << ball.y << " v " << ball.vx << "," << ball.vy;
    }
    Table t = tableWith({{0, 1000, 600, -1000, 0}});
    t.balls[0].speed = 0.0f; // the stored velocity does not count
    EXPECT_EQ(getCushionHitTime(t, 0, cushionLeft), kNoContact);
    t.balls[0].speed = 1000.0f;
    t.balls[0].onTable = false;
    EXPECT_EQ(getCushionHitTime(t, 0, cushionLeft), kNoContact);
}

TEST(ContactTimes, BallsMeetWhenTheCentresAre100Apart) {
    // Balls meet with their centres 100 apart: head on, a 3-4-5 diagonal, moving away, paths 100 apart (a
    // graze is none), overlapping and approaching (at once), overlapping but separating, a thin hit.
    const std::tuple<Place, float, float, float> meetings[] = {
        {{0, 600, 600, 2000, 0}, 800, 600, 0.05f},       {{0, 500, 500, 300, 400}, 800, 900, 0.8f},
        {{0, 600, 600, -2000, 0}, 800, 600, kNoContact}, {{0, 600, 600, 2000, 0}, 800, 700, kNoContact},
        {{0, 600, 600, 100, 0}, 650, 600, 0.0f},         {{0, 600, 600, -100, 0}, 650, 600, kNoContact},
        {{0, 600, 600, 2000, 0}, 800, 699, 0.092946634f}};
    for (const auto& [mover, bx, by, time] : meetings) {
        const Table t = tableWith({mover, {1, bx, by}});
        EXPECT_FLOAT_EQ(getBallHitTime(t, 0, 1), time) << bx << "," << by;
        EXPECT_EQ(getBallHitTime(t, 1, 0), getBallHitTime(t, 0, 1)) << "the other way round";
    }
    Table t = tableWith({{0, 600, 600, 2000, 0}, {1, 800, 600}});
    t.balls[1].onTable = false;
    EXPECT_EQ(std::pair(getBallHitTime(t, 0, 1), getBallHitTime(t, 1, 0)), std::pair(kNoContact, kNoContact));
}

TEST(Friction, FastBallsLose1600AndSlowOnes640PerSecond) {
    // Speed and follow spin, ticks run, speed and follow spin after.
    const std::tuple<float, float, int, float, float> cases[] = {
        {1500, 100, 1, 1420, 100}, // a fast ball keeps its follow one more step
        {1500, 100, 2, 1388, 0},
        {1440, -50, 1, 1408, 0}}; // the threshold speed itself is slow
    for (const auto& [speed, follow, ticks, speedAfter, followAfter] : cases) {
        Table t = tableWith({{0, 1000, 600, speed, 0}});
        t.balls[0].followSpin = follow;
        moveBalls(t, kTickSeconds);
        EXPECT_EQ(t.balls[0].x, 1000.0f + speed * kTickSeconds) << "moved before friction";
        for (int i = 1; i < ticks; ++i)
            moveBalls(t, kTickSeconds);
        const Ball& b = t.balls[0];
        EXPECT_EQ((std::array{b.speed, b.vx, b.followSpin}),
                  (std::array{speedAfter, speedAfter, followAfter}))
            << speed << " for " << ticks;
    }
    // 20 units/s stops within a tick.
    Table t = tableWith({{0, 1000, 600, 12, 16}});
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ((std::array{t.balls[0].speed, t.balls[0].vx, t.balls[0].vy}), (std::array{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(ev.log, "Y");
}

/// Runs one tick (abandoned at the given yield, 0 never) and checks the calls in order, the balls
/// the cue ball touched, where one ball ends up and the first sounded speed (NAN: none).
void expectTick(const char* what, std::initializer_list<Place> balls, const std::string& log,
                const std::string& touchedBalls, int ball, float x, float speed, float firstSound,
                int abandonAtYield = 0) {
    SCOPED_TRACE(what);
    Table t = tableWith(balls);
    RecordingEvents ev;
    ev.abandonAtYield = abandonAtYield;
    EXPECT_EQ(stepSimulation(t, ev), abandonAtYield ? StepResult::abandoned : StepResult::completed);
    EXPECT_EQ(std::pair(ev.log, touched(t)), std::pair(log, touchedBalls));
    EXPECT_THAT((std::array{t.balls[ball].x, t.balls[ball].speed}),
                ::testing::Pointwise(::testing::FloatNear(1e-3f), std::array{x, speed}));
    EXPECT_THAT(ev.speeds.empty() ? NAN : ev.speeds[0], ::testing::NanSensitiveFloatNear(firstSound, 1e-2f));
}

TEST(StepOrder, ContactsAreReportedInTimeOrder) {
    expectTick("no contact: one yield", {{0, 1000, 600, 1000, 0}}, "Y", "0000", 0, 1050, 968, NAN);
    expectTick("the side-spin kick is in the cushion sound", {{0, 1000, 1100, 0, 1000, 300}}, "Y D0 C Y",
               "0000", 0, 1000, std::hypot(968.0f, 300.0f), std::hypot(968.0f, 300.0f));
    expectTick("a contact exactly at the end of the tick belongs to it",
               {{0, 600, 600, 2000, 0}, {1, 800, 600}}, "Y H D0 D1 Y", "0100", 1, 800, 1920, 1920);
    expectTick("two moving balls meet as lower index first",
               {{2, 1000, 600, -1000, 0}, {1, 850, 600, 1000, 0}}, "Y H D1 D2 Y", "0000", 2, 999.6f, 968,
               1968);
    expectTick("a resting ball is found from the moving side", {{3, 1000, 600, -1000, 0}, {0, 850, 600}},
               "Y H D3 D0 Y", "0001", 0, 850, 968, 968);
    expectTick("a row of four touching balls passes the speed down",
               {{0, 600, 600, 2000, 0}, {1, 700, 600}, {2, 800, 600}, {3, 900, 600}},
               "Y H D0 D1 Y H D1 D2 Y H D2 D3 Y", "0100", 3, 1000, 1920, 2000);
    // Ties: both cushions of a corner at once, the side one first; its kick (+y) raises the speed.
    expectTick("a tie of cushions", {{0, 75, 1125, -1000, 1000, 200}}, "Y D0 C Y D0 C Y", "0000", 0,
               74.717155f, 1506.1163f, 1546.1163f);
    // Ball 0 meets the cushion as ball 1 catches it: the cushion first, then back and forth between
    // them, all at the same moment.
    expectTick("a tie of a cushion and a ball", {{0, 75, 600, -1000, 0}, {1, 200, 600, -2000, 0}},
               "Y D0 C Y H D0 D1 Y D0 C Y H D0 D1 Y", "0100", 1, 199, 1920, 984);
    expectTick("abandoned at the first yield: nothing moves", {{0, 1000, 600, 1000, 0}}, "Y", "0000", 0, 1000,
               1000, NAN, 1);
    expectTick("abandoned after a contact: stopped at the contact", {{0, 100, 600, -2000, 0}}, "Y D0 C Y",
               "0000", 0, 50, 1960, 1960, 2);
}

bool insideCentreLines(const Table& t) {
    for (const Ball& b : t.balls)
        if (b.onTable && (b.x < 49.99f || b.x > 2350.01f || b.y < 49.99f || b.y > 1150.01f))
            return false;
    return true;
}

// States from random play (bit for bit) where rounding defeats the reversal of a contact: resolved
// at time 0 it gives back the same state, to be found again in every pass of the tick.
TEST(Degenerate, BallSlidingDownACushionDoesNotReboundForever) {
    Table t = test::rack(GameKind::threeBall);
    // At x = 2350 a hair right of straight down: the mirrored direction rounds back to the right.
    t.balls[0] = Ball(0x1.25cp+11f, 0x1.152188p+9f, 0x1.23dfbap-15f, -0x1.ccdc94p+8f, true, 0x1.ccdc94p+8f,
                      -0x1.921fb4p+0f);
    t.balls[1] = Ball(0x1.2bd0a4p+10f, 0x1.066906p+8f);
    t.balls[2] = Ball(0x1.03b1p+7f, 0x1.0c573p+10f);
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_LE(ev.cushions, 3);
    EXPECT_LE(ev.yields, 4);
    EXPECT_TRUE(insideCentreLines(t));
    EXPECT_LT(t.balls[0].y, 554.0f) << "the tick's time was run";
}

TEST(Degenerate, TangentialBallContactDoesNotRepeatForever) {
    Table t = test::rack();
    // A power-1 shot with side spin grazing ball 2: the pair slides past with hardly any approach.
    t.balls[0] = Ball(0x1.ecbdfep+10f, 0x1.eefa46p+6f, -0x1.f1de26p+3f, 0x1.dddb58p+1f, true, 0x1p+4f,
                      0x1.73fadep+1f, 0.0f, 0x1.1f6f2p+6f);
    t.balls[1] = Ball(0x1.168d84p+11f, 0x1.1ff1a2p+9f);
    t.balls[2] = Ball(0x1.d48f04p+10f, 0x1.832d1ep+6f);
    t.balls[3] = Ball(0x1.cd183p+9f, 0x1.9d7d5p+9f);
    RecordingEvents ev;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    // Rounding walks the pair a few passes to a state that repeats; then the contact is left alone.
    EXPECT_LE(ev.ballHits, 8);
    EXPECT_LE(ev.yields, 9);
    EXPECT_EQ(std::pair(t.balls[2].hitByCue, insideCentreLines(t)), std::pair(true, true));
}

TEST(Degenerate, EndlessContactsAreCutOffAtTheBound) {
    // Four balls piled overlapping into a corner: their contacts never settle within the tick.
    Table t;
    t.balls[0] = Ball(0x1.1f3d42p+11f, 0x1.1f8p+10f, -0.0f, 0.0f, true, 0.0f, 0x1.7b96dp+1f, -0x1.70ebccp+10f,
                      0x1.200a3cp+9f);
    t.balls[1] = Ball(0x1.25cp+11f, 0x1.1f8p+10f, -0x1.0f3ce6p+10f, 0x1.ecf426p+10f, true, 0x1.195302p+11f,
                      0x1.0972cep+1f, -0x1.db7412p+9f, 0x1.cb0096p+9f);
    t.balls[2] = Ball(0x1.25071p+11f, 0x1.1f8p+10f, -0.0f, 0.0f, true, 0.0f, -0x1.f6d72ep+1f, -0x1.b4406p+10f,
                      0x1.213d72p+8f);
    t.balls[3] = Ball(0x1.17f724p+11f, 0x1.1f8p+10f, 0x1.53a64ep+9f, 0x1.f9d334p+8f, true, 0x1.a7784p+9f,
                      0x1.bb165ap+2f, -0x1.6eb302p+10f, -0x1.925342p+9f);
    RecordingEvents ev;
    ev.keepLog = false;
    EXPECT_EQ(stepSimulation(t, ev), StepResult::completed);
    EXPECT_EQ(ev.yields, kMaxContactsPerTick + 1);
    RecordingEvents next; // the shot goes on: the next tick starts afresh
    EXPECT_EQ(stepSimulation(t, next), StepResult::completed);
}

} // namespace
} // namespace zandrel
