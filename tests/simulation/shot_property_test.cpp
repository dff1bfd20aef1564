#include "recording_events.h"
#include "simulation/motion.h"
#include "simulation/table.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

namespace zandrel {
namespace {

constexpr int kMaxTicksPerShot = 400; ///< 20 s: no shot, however hard and spun, runs near this long

struct Shot {
    float aimX, aimY;
    int power;
    float tipX, tipY;
};

/// Plays a shot to rest and returns its ticks (kMaxTicksPerShot when a tick leaves
/// a ball beyond its centre lines or insane, or reaches the contact bound).
int playShot(Table& table, const Shot& shot, test::RecordingEvents& events) {
    for (Ball& b : table.balls)
        b.hitByCue = false;
    table.target = TablePoint{shot.aimX, shot.aimY};
    startShot(table, kCueBallIndex, shot.power, shot.tipX, shot.tipY);
    constexpr float kLo = kBallRadius - 0.01f; // rounding may leave a centre a hair beyond its line
    int ticks = 0;
    for (; !areAllBallsStopped(table) && ticks < kMaxTicksPerShot; ++ticks) {
        events.yields = 0;
        stepSimulation(table, events);
        bool sane = events.yields < kMaxContactsPerTick;
        for (const Ball& b : table.balls)
            sane = sane && (!b.onTable || (b.x >= kLo && b.x <= kTableLength - kLo && b.y >= kLo &&
                                           b.y <= kTableWidth - kLo && !std::isnan(b.vx) &&
                                           !std::isnan(b.vy) && b.speed >= 0.0f));
        if (!sane) {
            ADD_FAILURE() << "tick " << ticks << ": a ball escaped or went insane, or the contacts ran away";
            return kMaxTicksPerShot;
        }
    }
    stopAllBalls(table);
    return ticks;
}

// Runs of shots, each from where the last left the balls; drawn from the raw engine, the same everywhere.
TEST(RandomShots, EndOnTheTableInBoundedTime) {
    for (const auto& [gameKind, seed] :
         {std::pair{GameKind::fourBall, 20260101u}, {GameKind::threeBall, 20260102u}}) {
        std::mt19937 engine(seed);
        const auto uniform = [&](float lo, float hi) {
            return static_cast<float>(lo + (hi - lo) * (static_cast<double>(engine()) / 4294967296.0));
        };
        for (int run = 0; run < 150; ++run) {
            Table table = test::rack(gameKind);
            for (int n = 0; n < 15; ++n) {
                const float aimX = uniform(0.0f, kTableLength), aimY = uniform(0.0f, kTableWidth);
                const int power = kMinPower + static_cast<int>(engine() % (kMaxPower - kMinPower + 1));
                const float tipX = uniform(-1.0f, 1.0f);
                test::RecordingEvents events;
                events.keepLog = false;
                ASSERT_LT(playShot(table, {aimX, aimY, power, tipX, uniform(-2.0f, 2.0f)}, events),
                          kMaxTicksPerShot)
                    << "kind " << int(gameKind) << " run " << run << " shot " << n;
            }
        }
    }
}

// A fixed sequence from the rack: any change to the arithmetic of the step shows up here.
TEST(GoldenShots, FourBallSequenceEndsWhereItAlwaysHas) {
    const Shot shots[] = {{1200.0f, 900.0f, 80, 0.3f, 1.0f},
                          {2000.0f, 200.0f, 55, -0.8f, -1.5f},
                          {100.0f, 1100.0f, 100, 1.0f, 2.0f},
                          {1800.0f, 650.0f, 35, 0.0f, -2.0f},
                          {600.0f, 50.0f, 90, -0.4f, 0.7f}};
    Table table = test::rack();
    test::RecordingEvents events;
    events.keepLog = false;
    int ticks = 0;
    for (const Shot& shot : shots)
        ticks += playShot(table, shot, events);
    // Same in every build type: the optimiser may not change the library's float roundings.
    std::array<float, 2 * kBallCount> rests;
    for (int i = 0; i < kBallCount; ++i)
        rests[2 * i] = table.balls[i].x, rests[2 * i + 1] = table.balls[i].y;
    EXPECT_EQ(rests, (std::array{0x1.5e02f2p+9f, 0x1.56914ep+9f,     // 700.02301 685.135193
                                 0x1.126b86p+11f, 0x1.fd479p+8f,     // 2195.36011 509.279541
                                 0x1.51c94p+10f, 0x1.5185ep+8f,      // 1351.14453 337.522949
                                 0x1.087246p+11f, 0x1.2e1308p+8f})); // 2115.57104 302.074341
    EXPECT_EQ((std::array{ticks, events.ballHits, events.cushions}), (std::array{338, 5, 23}));
}

} // namespace
} // namespace zandrel
