#pragma once

// Ball records, table geometry and the rack. All positions are table units
// (2400 x 1200, y up), speeds are table units per second, times are seconds.

#include <array>

namespace zandrel {

/// The value of pi every angle computation of the simulation uses.
inline constexpr double kPi = 3.1415926;

inline constexpr float kTableLength = 2400.0f; ///< x extent, table units
inline constexpr float kTableWidth = 1200.0f;  ///< y extent, table units
inline constexpr float kBallRadius = 50.0f;
inline constexpr float kContactDistance = 100.0f; ///< centre distance of two touching balls

inline constexpr int kBallCount = 4;
inline constexpr int kCueBallIndex = 0;

/// Which balls are racked.
enum class GameKind : int {
    fourBall = 1,  ///< white, yellow and two reds
    threeBall = 2, ///< white, yellow and one red
};

/// Cushion codes: the ball-centre lines one radius inside the table edges. They
/// share one int with ball indexes 0..3 as a contact partner.
enum Cushion : int {
    cushionLeft = 101,   ///< x = 50
    cushionRight = 102,  ///< x = 2350
    cushionTop = 103,    ///< y = 1150
    cushionBottom = 104, ///< y = 50
};

struct Ball {
    float x = 0.0f;  ///< centre, table units
    float y = 0.0f;  ///< centre, table units (y up)
    float vx = 0.0f; ///< units per second
    float vy = 0.0f; ///< units per second
    bool onTable = true;
    float speed = 0.0f;      ///< never negative; 0 means at rest
    float direction = 0.0f;  ///< radians, not normalised
    float followSpin = 0.0f; ///< follow (+) or draw (-), units per second
    float sideSpin = 0.0f;   ///< tip right of centre (+), units per second
    bool hitByCue = false;   ///< touched by the cue ball during the current shot
};

struct TablePoint {
    float x = 0.0f;
    float y = 0.0f;
};

using Balls = std::array<Ball, kBallCount>;

/// The simulated table: the four balls (index 0 the cue ball) and the aim point.
struct Table {
    Balls balls{};
    TablePoint target{1200.0f, 600.0f};
};

/// Racks the balls for a game kind (1 four-ball, anything else three-ball) and
/// centres the aim point. Leaves hitByCue alone.
void setFirstPosition(Table& table, GameKind gameKind);
/// True when every ball's speed is at most 0 (balls off the table count as at rest).
bool areAllBallsStopped(const Table& table);
/// Clears speed and both spins of every ball; position, velocity and direction stay.
void stopAllBalls(Table& table);
/// The lowest object ball (1..3) on the table, or 0 when there is none.
int getFirstBallOnTable(const Table& table);
/// Direction in radians of the vector from (x1, y1) to (x2, y2); 0 for a zero vector.
float getAngle(float x1, float y1, float x2, float y2);
/// Direction from the centre of ball i to the aim point.
float getAngleToTarget(const Table& table, int i);

/// The larger of two values; the second one on a tie.
template <class T> T maxOfTwo(T a, T b) {
    return a > b ? a : b;
}
/// The smaller of two values; the second one on a tie.
template <class T> T minOfTwo(T a, T b) {
    return a < b ? a : b;
}

} // namespace zandrel
