// Contact resolution: ball against ball and ball against cushion.
//
// The balls are equal and the contacts lossless. Two balls swap the velocity
// components along their line of centres and keep the components across it; a
// cushion reverses the component across its line. The spins given by the cue
// act here once and are then cleared on every ball involved.

#include "simulation/motion.h"

#include <cmath>

namespace zandrel {

namespace {

double d(float v) {
    return static_cast<double>(v);
}

/// Speed and direction rebuilt from a freshly set velocity.
void updateSpeedAndDirection(Ball& b) {
    b.speed = static_cast<float>(std::sqrt(d(b.vx) * d(b.vx) + d(b.vy) * d(b.vy)));
    b.direction = getAngle(0.0f, 0.0f, b.vx, b.vy);
}

/// Adds the follow (or, when negative, draw) spin along the ball's direction of
/// travel before the contact: a ball with follow keeps running after the object
/// ball, a drawn ball comes back.
void addFollowSpin(Ball& b) {
    b.vx = static_cast<float>(d(b.vx) + d(b.followSpin) * std::cos(d(b.direction)));
    b.vy = static_cast<float>(d(b.vy) + d(b.followSpin) * std::sin(d(b.direction)));
}

} // namespace

void collideBalls(Table& table, int a, int b, SimulationEvents& events) {
    Ball& p = table.balls[a];
    Ball& q = table.balls[b];

    // Line of centres from a to b, and the velocities split along it (n) and
    // across it (t).
    const float theta = getAngle(p.x, p.y, q.x, q.y);
    const float c = static_cast<float>(std::cos(d(theta)));
    const float s = static_cast<float>(std::sin(d(theta)));
    const float an = static_cast<float>(d(p.vx) * d(c) + d(p.vy) * d(s));
    const float at = static_cast<float>(d(p.vy) * d(c) - d(p.vx) * d(s));
    const float bn = static_cast<float>(d(q.vx) * d(c) + d(q.vy) * d(s));
    const float bt = static_cast<float>(d(q.vy) * d(c) - d(q.vx) * d(s));

    // Equal masses: the normal components change places.
    p.vx = static_cast<float>(d(c) * d(bn) - d(s) * d(at));
    p.vy = static_cast<float>(d(s) * d(bn) + d(c) * d(at));
    q.vx = static_cast<float>(d(c) * d(an) - d(s) * d(bt));
    q.vy = static_cast<float>(d(s) * d(an) + d(c) * d(bt));

    addFollowSpin(p);
    addFollowSpin(q);

    // Side spin throws the balls across the line of centres: a gets f along the
    // normal turned 90 degrees counter-clockwise, b the opposite.
    const float f = static_cast<float>(kSideSpinTransfer * (d(q.sideSpin) - d(p.sideSpin)) / 2.0);
    const double sinTheta = std::sin(d(theta));
    const double cosTheta = std::cos(d(theta));
    p.vx = static_cast<float>(d(p.vx) - d(f) * sinTheta);
    p.vy = static_cast<float>(d(p.vy) + d(f) * cosTheta);
    q.vx = static_cast<float>(d(q.vx) + d(f) * sinTheta);
    q.vy = static_cast<float>(d(q.vy) - d(f) * cosTheta);

    updateSpeedAndDirection(p);
    updateSpeedAndDirection(q);

    p.followSpin = 0.0f;
    p.sideSpin = 0.0f;
    q.followSpin = 0.0f;
    q.sideSpin = 0.0f;

    const double rvx = d(q.vx) - d(p.vx);
    const double rvy = d(q.vy) - d(p.vy);
    events.playBallHitSound(static_cast<float>(std::sqrt(rvx * rvx + rvy * rvy)));
}

void bounceOffCushion(Table& table, int i, int k) {
    Ball& b = table.balls[i];

    // Mirror the direction in the cushion line. Side spin kicks the ball along
    // the cushion, to the shooter's right for a tip right of centre.
    float kickX = 0.0f;
    float kickY = 0.0f;
    switch (k) {
    case cushionLeft:
        b.direction = static_cast<float>(kPi - d(b.direction));
        kickY = b.sideSpin;
        break;
    case cushionRight:
        b.direction = static_cast<float>(kPi - d(b.direction));
        kickY = -b.sideSpin;
        break;
    case cushionTop:
        b.direction = -b.direction;
        kickX = b.sideSpin;
        break;
    case cushionBottom:
        b.direction = -b.direction;
        kickX = -b.sideSpin;
        break;
    default:
        break;
    }
    b.followSpin = 0.0f;
    b.sideSpin = 0.0f;

    // No loss at the cushion: the speed on arrival leaves along the mirrored
    // direction, plus the kick.
    b.vx = static_cast<float>(std::cos(d(b.direction)) * d(b.speed) + d(kickX));
    b.vy = static_cast<float>(std::sin(d(b.direction)) * d(b.speed) + d(kickY));
    b.speed = static_cast<float>(std::sqrt(d(b.vy) * d(b.vy) + d(b.vx) * d(b.vx)));
    b.direction = getAngle(0.0f, 0.0f, b.vx, b.vy);
}

} // namespace zandrel
