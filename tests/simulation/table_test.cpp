#include "recording_events.h"
#include "simulation/table.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

namespace zandrel {
namespace {

TEST(Rack, PutsTheBallsAtRestInPlaceAndLeavesTheTouchedFlags) {
    const TablePoint threeBall[] = {{600, 750}, {600, 600}, {1800, 600}, {444, 225}}; // ball 3 off, in place
    const std::tuple<GameKind, std::array<TablePoint, kBallCount>, bool> cases[] = {
        // kind, places, ball 3 on
        {GameKind::fourBall, {{{300, 600}, {2100, 600}, {600, 600}, {1800, 600}}}, true},
        {GameKind::threeBall, std::to_array(threeBall), false},
        {static_cast<GameKind>(7), std::to_array(threeBall), false}}; // any other kind is three-ball
    for (const auto& [kind, at, ball3OnTable] : cases) {
        // A table in the middle of a shot: everything moving, spinning and touched.
        Table t;
        for (int i = 0; i < kBallCount; ++i)
            t.balls[i] = Ball{111.0f * (i + 1), 222.0f + i, 30, -40, i != 1, 50, -0.9f, 12, -7, true};
        t.target = TablePoint{5.0f, 6.0f};
        setFirstPosition(t, kind);
        for (int i = 0; i < kBallCount; ++i) {
            const Ball& b = t.balls[i];
            SCOPED_TRACE(::testing::Message() << "kind " << int(kind) << " ball " << i);
            EXPECT_EQ(std::tuple(b.x, b.y, b.onTable, b.hitByCue),
                      std::tuple(at[i].x, at[i].y, i != 3 || ball3OnTable, true));
            EXPECT_EQ((std::array{b.speed, b.vx, b.vy, b.direction, b.followSpin, b.sideSpin}),
                      (std::array<float, 6>{}));
        }
        EXPECT_EQ(std::pair(t.target.x, t.target.y), std::pair(1200.0f, 600.0f));
    }
}

TEST(AreAllBallsStopped, OnlyTheSpeedCounts) {
    Table t = test::rack();
    t.balls[2].vx = 500.0f; // a velocity left behind at speed 0
    EXPECT_TRUE(areAllBallsStopped(t));
    t.balls[3].speed = 0.001f;
    EXPECT_FALSE(areAllBallsStopped(t));
}

TEST(StopAllBalls, ClearsSpeedAndSpinsOnly) {
    Table t = test::rack();
    t.balls[1] = Ball{222, 333, 30, -40, true, 50, -0.9f, 12, -7, true};
    stopAllBalls(t);
    const Ball& b = t.balls[1];
    EXPECT_EQ((std::array{b.speed, b.followSpin, b.sideSpin, b.x, b.vx, b.vy, b.direction}),
              (std::array{0.0f, 0.0f, 0.0f, 222.0f, 30.0f, -40.0f, -0.9f}));
    EXPECT_TRUE(b.hitByCue);
}

TEST(GetFirstBallOnTable, LowestObjectBallOnTheTable) {
    Table t = test::rack();
    for (int first : {1, 2, 3, 0, 0}) { // the cue ball never counts
        EXPECT_EQ(getFirstBallOnTable(t), first);
        t.balls[first].onTable = false;
    }
}

TEST(GetAngle, QuadrantsAndAxesUseTheRoundedPi) {
    const float atan1 = static_cast<float>(std::atan(1.0)), pi = 3.1415925f; // pi rounded to 3.1415926
    const float q2 = static_cast<float>(std::atan(-1.0) + 3.1415926),
                q3 = static_cast<float>(std::atan(1.0) - 3.1415926);
    // From (x1, y1) to (x2, y2): only the difference counts.
    const float cases[][5] = {{0, 0, -1, 0, pi},   {0, 0, 0, 1, 1.5707963f}, {0, 0, 0, -1, -1.5707963f},
                              {0, 0, 1, 0, 0},     {0, 0, 0, 0, 0},          {7.5f, -3, 7.5f, -3, 0},
                              {0, 0, 1, 1, atan1}, {0, 0, 1, -1, -atan1},    {0, 0, -1, 1, q2},
                              {0, 0, -1, -1, q3},  {100, 200, 40, 260, q2}};
    for (const auto& [x1, y1, x2, y2, angle] : cases)
        EXPECT_EQ(getAngle(x1, y1, x2, y2), angle) << x1 << "," << y1 << " to " << x2 << "," << y2;

    const Table t = test::rack();          // Launch covers ball 0; from ball 1 its own centre must count
    EXPECT_EQ(getAngleToTarget(t, 1), pi); // (2100, 600) to (1200, 600): straight left
}

} // namespace
} // namespace zandrel
