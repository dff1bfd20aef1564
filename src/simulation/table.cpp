// Racks and small queries on the ball records.
//
// Arithmetic convention for the whole simulation: every stored value is a
// float; products, quotients, sums and the transcendental functions are formed
// in double and rounded once, where the value is stored. This keeps the results
// identical on every machine (the build forbids fused multiply-add) and makes
// the physics reproducible to the last bit.

#include "simulation/table.h"

#include <cmath>

namespace zandrel {

namespace {

/// Ball centres of the four-ball rack, all on the long centre line.
constexpr TablePoint kFourBallRack[kBallCount] = {
    {kTableLength / 8.0f, kTableWidth / 2.0f},        // cue ball, 300
    {kTableLength * 7.0f / 8.0f, kTableWidth / 2.0f}, // 2100
    {600.0f, kTableWidth / 2.0f},
    {1800.0f, kTableWidth / 2.0f},
};

/// Ball centres of the three-ball rack: the cue ball 150 units above ball 1.
/// Ball 3 is not used there and keeps wherever it was.
constexpr TablePoint kThreeBallRack[kBallCount - 1] = {
    {600.0f, 750.0f},
    {600.0f, kTableWidth / 2.0f},
    {1800.0f, kTableWidth / 2.0f},
};

/// The float nearest to pi, returned for a vector straight along -x.
constexpr float kPiFloat = static_cast<float>(kPi);

} // namespace

void setFirstPosition(Table& table, GameKind gameKind) {
    for (Ball& b : table.balls) {
        b.speed = 0.0f;
        b.vx = 0.0f;
        b.vy = 0.0f;
        b.direction = 0.0f;
        b.followSpin = 0.0f;
        b.sideSpin = 0.0f;
        b.onTable = true;
    }
    table.target = TablePoint{kTableLength / 2.0f, kTableWidth / 2.0f};

    if (gameKind == GameKind::fourBall) {
        for (int i = 0; i < kBallCount; ++i) {
            table.balls[i].x = kFourBallRack[i].x;
            table.balls[i].y = kFourBallRack[i].y;
        }
    } else {
        for (int i = 0; i < kBallCount - 1; ++i) {
            table.balls[i].x = kThreeBallRack[i].x;
            table.balls[i].y = kThreeBallRack[i].y;
        }
        table.balls[3].onTable = false;
    }
}

bool areAllBallsStopped(const Table& table) {
    int stopped = 0;
    for (const Ball& b : table.balls) {
        if (b.speed <= 0.0f) {
            ++stopped;
        }
    }
    return stopped == kBallCount;
}

void stopAllBalls(Table& table) {
    for (Ball& b : table.balls) {
        b.speed = 0.0f;
        b.followSpin = 0.0f;
        b.sideSpin = 0.0f;
    }
}

int getFirstBallOnTable(const Table& table) {
    for (int i = 1; i < kBallCount; ++i) {
        if (table.balls[i].onTable) {
            return i;
        }
    }
    return 0;
}

float getAngle(float x1, float y1, float x2, float y2) {
    const float dx = static_cast<float>(static_cast<double>(x2) - static_cast<double>(x1));
    const float dy = static_cast<float>(static_cast<double>(y2) - static_cast<double>(y1));
    // The quadrant is decided by the signs; the arc tangent only gives the angle
    // within it. The vertical cases come first so that dx is never a divisor
    // when it is zero.
    if (dx == 0.0f && dy > 0.0f) {
        return static_cast<float>(kPi / 2.0);
    }
    if (dx == 0.0f && dy < 0.0f) {
        return static_cast<float>(-kPi / 2.0);
    }
    const double slope = (dx != 0.0f) ? static_cast<double>(dy) / static_cast<double>(dx) : 0.0;
    if (dx < 0.0f && dy > 0.0f) {
        return static_cast<float>(std::atan(slope) + kPi);
    }
    if (dx < 0.0f && dy < 0.0f) {
        return static_cast<float>(std::atan(slope) - kPi);
    }
    if (dx == 0.0f && dy == 0.0f) {
        return 0.0f;
    }
    if (dx < 0.0f) {
        return kPiFloat; // straight along -x
    }
    return static_cast<float>(std::atan(slope));
}

float getAngleToTarget(const Table& table, int i) {
    const Ball& b = table.balls[i];
    return getAngle(b.x, b.y, table.target.x, table.target.y);
}

} // namespace zandrel
