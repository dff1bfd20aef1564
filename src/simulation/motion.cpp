// Shot launch and the event-driven motion step.
//
// One tick advances the table by 0.05 s of table time. Within a tick the balls
// move in straight lines at their present velocities, so the moment of every
// possible contact can be solved exactly: the step finds the earliest one,
// moves all balls up to it, resolves it and repeats with the time left.
// Friction is applied to the speed after each move, which keeps the contact
// times exact for the straight-line motion they assume.

#include "simulation/motion.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace zandrel {

namespace {

constexpr int kFirstCushion = cushionLeft;
constexpr int kLastCushion = cushionBottom;
constexpr int kNoPartner = 1000;
constexpr double kContactDistanceSquared = static_cast<double>(kContactDistance) * kContactDistance;

double d(float v) {
    return static_cast<double>(v);
}

bool isMoving(const Ball& b) {
    return b.speed > 0.0f && b.onTable;
}

struct Contact {
    float time = kNoContact;
    int a = kNoPartner; ///< the moving ball whose search found the contact
    int b = kNoPartner; ///< a ball index or a cushion code
};

/// One bit per possible contact, for the set of contacts a pass leaves out.
using ContactSet = std::uint32_t;

/// Bits 0..15: ball i with cushion k; bits 16..31: the pair of balls {i, j}
/// whichever of them searched.
ContactSet contactBit(int i, int partner) {
    if (partner >= kFirstCushion) {
        return ContactSet{1} << (i * 4 + (partner - kFirstCushion));
    }
    const int lo = i < partner ? i : partner;
    const int hi = i < partner ? partner : i;
    return ContactSet{1} << (16 + lo * 4 + hi);
}

// Search order decides ties (a candidate must be strictly earlier to win):
// lower ball index first, then its cushions 101..104, then partner balls in
// ascending index. A cushion therefore beats a ball at the same moment, and of
// two moving balls meeting, the lower index becomes `a`. Contacts in `skip`
// (see stepSimulation) are left out.
Contact findEarliestContact(const Table& table, ContactSet skip) {
    Contact best;
    for (int i = 0; i < kBallCount; ++i) {
        if (!isMoving(table.balls[i])) {
            continue;
        }
        for (int k = kFirstCushion; k <= kLastCushion; ++k) {
            if ((skip & contactBit(i, k)) != 0) {
                continue;
            }
            const float t = getCushionHitTime(table, i, k);
            if (t < best.time) {
                best = Contact{t, i, k};
            }
        }
        for (int j = 0; j < kBallCount; ++j) {
            if (j == i || !table.balls[j].onTable || (skip & contactBit(i, j)) != 0) {
                continue;
            }
            const float t = getBallHitTime(table, i, j);
            if (t < best.time) {
                best = Contact{t, i, j};
            }
        }
    }
    return best;
}

bool sameBits(float p, float q) {
    return std::bit_cast<std::uint32_t>(p) == std::bit_cast<std::uint32_t>(q);
}

bool sameState(const Balls& p, const Balls& q) {
    for (int i = 0; i < kBallCount; ++i) {
        const Ball& a = p[i];
        const Ball& b = q[i];
        if (!sameBits(a.x, b.x) || !sameBits(a.y, b.y) || !sameBits(a.vx, b.vx) || !sameBits(a.vy, b.vy) ||
            !sameBits(a.speed, b.speed) || !sameBits(a.direction, b.direction) ||
            !sameBits(a.followSpin, b.followSpin) || !sameBits(a.sideSpin, b.sideSpin) ||
            a.onTable != b.onTable || a.hitByCue != b.hitByCue) {
            return false;
        }
    }
    return true;
}

void resolveContact(Table& table, const Contact& c, SimulationEvents& events) {
    if (c.b >= kFirstCushion) {
        bounceOffCushion(table, c.a, c.b);
        events.drawBallOnScreen(c.a);
        events.playCushionSound(table.balls[c.a].speed);
        return;
    }
    if (c.a == kCueBallIndex) {
        table.balls[c.b].hitByCue = true;
    }
    if (c.b == kCueBallIndex) {
        table.balls[c.a].hitByCue = true;
    }
    collideBalls(table, c.a, c.b, events);
    events.drawBallOnScreen(c.a);
    events.drawBallOnScreen(c.b);
}

} // namespace

void startShot(Table& table, int i, int power, float tipOffsetX, float tipOffsetY) {
    Ball& b = table.balls[i];
    b.speed = static_cast<float>(kFullPowerSpeed / 100.0 * power);
    b.direction = getAngleToTarget(table, i);
    b.vx = static_cast<float>(d(b.speed) * std::cos(d(b.direction)));
    b.vy = static_cast<float>(d(b.speed) * std::sin(d(b.direction)));
    b.followSpin = static_cast<float>(d(b.speed) * d(tipOffsetY) * kTipSpinAtFullPower / kFullPowerSpeed);
    b.sideSpin =
        static_cast<float>(2.0 * (d(b.speed) * d(tipOffsetX) * kTipSpinAtFullPower / kFullPowerSpeed));
}

StepResult stepSimulation(Table& table, SimulationEvents& events) {
    float remaining = kTickSeconds;
    // Contacts at time 0 normally end after a pass or two: each resolution
    // reverses the approach. Rounding can defeat that when the approach is
    // within a few ulps of nothing: a ball sliding along a cushion whose
    // mirrored direction still points outward by a hair, or two balls whose
    // relative motion is tangential. Resolving such a contact returns the balls
    // to the state they had one or two passes earlier, and the passes would go
    // round that circle for ever. So when a time-0 pass brings the table back to
    // the state at the start of this pass or (after a time-0 pass) of the one
    // before, the contacts involved are left out of the search until a contact
    // really changes the table or time moves on. Skipping them is the same as
    // resolving them any number of times.
    ContactSet circling = 0;
    Balls previousStart{};
    ContactSet previousContact = 0; ///< contact of the previous pass if it was at time 0, else 0
    for (int resolved = 0;; ++resolved) {
        // Pending window events run here; they may change the balls, so every
        // pass reads the records afresh.
        if (!events.yieldToEvents()) {
            return StepResult::abandoned;
        }
        if (resolved == kMaxContactsPerTick) {
            // A degenerate state keeps producing contacts: give up resolving
            // and let the tick run out so the shot still makes progress.
            moveBalls(table, remaining);
            return StepResult::completed;
        }
        const Contact c = findEarliestContact(table, circling);
        // A contact exactly at the end of the tick still belongs to it.
        if (c.time > remaining) {
            moveBalls(table, remaining);
            return StepResult::completed;
        }
        if (c.time == 0.0f) {
            const Balls start = table.balls;
            const ContactSet bit = contactBit(c.a, c.b);
            moveBalls(table, c.time);
            resolveContact(table, c, events);
            if (sameState(start, table.balls)) {
                circling |= bit;
            } else if (previousContact != 0 && sameState(previousStart, table.balls)) {
                circling |= bit | previousContact;
            } else {
                circling = 0;
            }
            previousStart = start;
            previousContact = bit;
        } else {
            moveBalls(table, c.time);
            resolveContact(table, c, events);
            circling = 0;
            previousContact = 0;
        }
        remaining = static_cast<float>(d(remaining) - d(c.time));
    }
}

void moveBalls(Table& table, float dt) {
    for (Ball& b : table.balls) {
        if (!isMoving(b)) {
            continue;
        }
        b.x = static_cast<float>(d(b.x) + d(b.vx) * d(dt));
        b.y = static_cast<float>(d(b.y) + d(b.vy) * d(dt));
        // Sliding with follow or draw spin the ball brakes hard; once it is
        // down to rolling speed it brakes gently and the spin is gone.
        if (b.speed > kSlowSpeedThreshold) {
            b.speed = static_cast<float>(d(b.speed) - kFastFriction * d(dt));
        } else {
            b.speed = static_cast<float>(d(b.speed) - kSlowFriction * d(dt));
            b.followSpin = 0.0f;
        }
        if (b.speed <= 0.0f) {
            b.speed = 0.0f;
        }
        b.vx = static_cast<float>(std::cos(d(b.direction)) * d(b.speed));
        b.vy = static_cast<float>(std::sin(d(b.direction)) * d(b.speed));
    }
}

float getCushionHitTime(const Table& table, int i, int k) {
    const Ball& b = table.balls[i];
    if (b.speed == 0.0f || !b.onTable) {
        return kNoContact;
    }
    const double halfContact = d(kContactDistance) / 2.0; // the ball radius
    float t = kNoContact;
    switch (k) {
    case cushionLeft:
        if (b.vx < 0.0f) {
            t = static_cast<float>(-(d(b.x) - halfContact) / d(b.vx));
        }
        break;
    case cushionRight:
        if (b.vx > 0.0f) {
            t = static_cast<float>(((d(kTableLength) - d(b.x)) - halfContact) / d(b.vx));
        }
        break;
    case cushionTop:
        if (b.vy > 0.0f) {
            t = static_cast<float>(((d(kTableWidth) - d(b.y)) - halfContact) / d(b.vy));
        }
        break;
    case cushionBottom:
        if (b.vy < 0.0f) {
            t = static_cast<float>(-(d(b.y) - halfContact) / d(b.vy));
        }
        break;
    default:
        break;
    }
    // A centre already past the line and still going outward rebounds at once.
    if (t < 0.0f) {
        t = 0.0f;
    }
    return t;
}

float getBallHitTime(const Table& table, int i, int j) {
    const Ball& p = table.balls[i];
    const Ball& q = table.balls[j];
    if (!p.onTable || !q.onTable) {
        return kNoContact;
    }
    // Relative position and velocity of i seen from j. The centres are 100
    // apart when |r + v t| = 100, i.e. a t^2 - 2 b t + (|r|^2 - 100^2) = 0 with
    // a = |v|^2 and b = -r.v; the earlier root is (b - sqrt(disc)) / a where
    // disc = 100^2 a - (r x v)^2.
    const float dx = static_cast<float>(d(p.x) - d(q.x));
    const float dy = static_cast<float>(d(p.y) - d(q.y));
    const float dvx = static_cast<float>(d(p.vx) - d(q.vx));
    const float dvy = static_cast<float>(d(p.vy) - d(q.vy));
    const float b = static_cast<float>(-(d(dx) * d(dvx) + d(dy) * d(dvy)));
    if (b <= 0.0f) {
        return kNoContact; // not approaching
    }
    const float a = static_cast<float>(d(dvx) * d(dvx) + d(dvy) * d(dvy));
    if (a == 0.0f) {
        return kNoContact;
    }
    const double cross = d(dy) * d(dvx) - d(dx) * d(dvy);
    const float disc = static_cast<float>(kContactDistanceSquared * d(a) - cross * cross);
    if (disc <= 0.0f) {
        return kNoContact; // the paths pass 100 or more apart, or just graze
    }
    const float t = static_cast<float>((d(b) - std::sqrt(d(disc))) / d(a));
    if (t < 0.0f) {
        return 0.0f; // already overlapping and still approaching
    }
    return t;
}

} // namespace zandrel
