// Whole shots run to rest: random shots end in bounded time with every ball on
// the table, and a scripted sequence reproduces its final positions bit for bit.

#include "recording_events.h"
#include "simulation/motion.h"
#include "simulation/table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

namespace zandrel {
namespace {

using test::CountingEvents;

/// No shot, however hard and spun, runs anywhere near this long (20 s).
constexpr int kMaxTicksPerShot = 400;
/// Rounding may leave a centre a hair beyond its line at a contact.
constexpr float kLineTolerance = 0.01f;
constexpr float kMinCentre = kBallRadius;
constexpr float kMaxCentreX = kTableLength - kBallRadius;
constexpr float kMaxCentreY = kTableWidth - kBallRadius;

struct Shot {
    float aimX;
    float aimY;
    int power;
    float tipX;
    float tipY;
};

struct ShotReport {
    int ticks = 0;
    int mostPassesInATick = 0;
    int ballHits = 0;
    int cushions = 0;
    bool escaped = false;
    bool sane = true; ///< no NaN, no negative speed
};

bool insideCentreLines(const Ball& b) {
    return b.x >= kMinCentre - kLineTolerance && b.x <= kMaxCentreX + kLineTolerance &&
           b.y >= kMinCentre - kLineTolerance && b.y <= kMaxCentreY + kLineTolerance;
}

ShotReport playShot(Table& table, const Shot& shot) {
    for (Ball& b : table.balls) {
        b.hitByCue = false;
    }
    table.target = TablePoint{shot.aimX, shot.aimY};
    startShot(table, kCueBallIndex, shot.power, shot.tipX, shot.tipY);

    ShotReport report;
    CountingEvents events;
    while (!areAllBallsStopped(table) && report.ticks < kMaxTicksPerShot) {
        events.yields = 0;
        stepSimulation(table, events);
        ++report.ticks;
        report.mostPassesInATick = std::max(report.mostPassesInATick, events.yields);
        for (const Ball& b : table.balls) {
            if (!b.onTable) {
                continue;
            }
            if (!insideCentreLines(b)) {
                report.escaped = true;
            }
            if (std::isnan(b.x) || std::isnan(b.y) || std::isnan(b.vx) || std::isnan(b.vy) ||
                !(b.speed >= 0.0f)) {
                report.sane = false;
            }
        }
    }
    stopAllBalls(table);
    report.ballHits = events.ballHits;
    report.cushions = events.cushions;
    return report;
}

/// Uniform draws built on the raw engine, so the sequence is the same with
/// every standard library.
class ShotGenerator {
public:
    explicit ShotGenerator(std::uint32_t seed) : engine_(seed) {}

    Shot next() {
        Shot s{};
        s.aimX = uniform(0.0f, kTableLength);
        s.aimY = uniform(0.0f, kTableWidth);
        s.power = kMinPower + static_cast<int>(engine_() % (kMaxPower - kMinPower + 1));
        s.tipX = uniform(-1.0f, 1.0f);
        s.tipY = uniform(-2.0f, 2.0f);
        return s;
    }

private:
    float uniform(float lo, float hi) {
        const double unit = static_cast<double>(engine_()) / 4294967296.0;
        return static_cast<float>(lo + (hi - lo) * unit);
    }
    std::mt19937 engine_;
};

// Shots are played in runs from a fresh rack, each from where the last one left
// the balls, so balls resting on cushions, in corners and against each other
// are struck as well.
void checkRandomShots(int gameKind, std::uint32_t seed) {
    constexpr int kRuns = 150;
    constexpr int kShotsPerRun = 15;
    ShotGenerator gen(seed);
    int longestShot = 0;
    int mostPasses = 0;
    for (int run = 0; run < kRuns; ++run) {
        Table table;
        setFirstPosition(table, gameKind);
        for (int n = 0; n < kShotsPerRun; ++n) {
            const Shot shot = gen.next();
            const ShotReport r = playShot(table, shot);
            ASSERT_LT(r.ticks, kMaxTicksPerShot) << "run " << run << " shot " << n;
            ASSERT_FALSE(r.escaped) << "run " << run << " shot " << n;
            ASSERT_TRUE(r.sane) << "run " << run << " shot " << n;
            ASSERT_LT(r.mostPassesInATick, kMaxContactsPerTick) << "run " << run << " shot " << n;
            longestShot = std::max(longestShot, r.ticks);
            mostPasses = std::max(mostPasses, r.mostPassesInATick);
        }
    }
    std::printf("game kind %d: longest shot %d ticks, most passes in a tick %d\n", gameKind, longestShot,
                mostPasses);
}

TEST(RandomShots, FourBallShotsEndOnTheTable) {
    checkRandomShots(kGameKindFourBall, 20260101u);
}

TEST(RandomShots, ThreeBallShotsEndOnTheTable) {
    checkRandomShots(kGameKindThreeBall, 20260102u);
}

// A fixed sequence of shots from the four-ball rack, each from where the last
// one stopped. Any change to the arithmetic of the step shows up here.
TEST(GoldenShots, FourBallSequenceEndsWhereItAlwaysHas) {
    const Shot shots[] = {
        {1200.0f, 900.0f, 80, 0.3f, 1.0f},  {2000.0f, 200.0f, 55, -0.8f, -1.5f},
        {100.0f, 1100.0f, 100, 1.0f, 2.0f}, {1800.0f, 650.0f, 35, 0.0f, -2.0f},
        {600.0f, 50.0f, 90, -0.4f, 0.7f},
    };
    Table table;
    setFirstPosition(table, kGameKindFourBall);
    int ticks = 0;
    int ballHits = 0;
    int cushions = 0;
    for (const Shot& shot : shots) {
        const ShotReport r = playShot(table, shot);
        ASSERT_LT(r.ticks, kMaxTicksPerShot);
        ticks += r.ticks;
        ballHits += r.ballHits;
        cushions += r.cushions;
    }
    // Same in every build type: the library is compiled so that the optimiser
    // cannot change its float roundings.
    const TablePoint expected[kBallCount] = {
        {0x1.5e02f2p+9f, 0x1.56914ep+9f},  // 700.02301 685.135193
        {0x1.126b86p+11f, 0x1.fd479p+8f},  // 2195.36011 509.279541
        {0x1.51c94p+10f, 0x1.5185ep+8f},   // 1351.14453 337.522949
        {0x1.087246p+11f, 0x1.2e1308p+8f}, // 2115.57104 302.074341
    };
    for (int i = 0; i < kBallCount; ++i) {
        EXPECT_EQ(table.balls[i].x, expected[i].x) << "ball " << i;
        EXPECT_EQ(table.balls[i].y, expected[i].y) << "ball " << i;
    }
    EXPECT_EQ(ticks, 338);
    EXPECT_EQ(ballHits, 5);
    EXPECT_EQ(cushions, 23);
}

} // namespace
} // namespace zandrel
