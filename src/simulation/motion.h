#pragma once

// Shot launch, the event-driven motion step and contact resolution.

#include "simulation/table.h"

namespace zandrel {

inline constexpr float kTickSeconds = 0.05f; ///< table time of one motion tick
inline constexpr float kNoContact = 100.0f;  ///< contact time meaning "no contact"
inline constexpr int kMinPower = 1;
inline constexpr int kMaxPower = 100;

/// Launch speed at power 100, units per second (48 per percent of power).
inline constexpr double kFullPowerSpeed = 4800.0;
/// Spin, units per second, per unit of tip offset of a full-power shot: the
/// spins are speed x offset x 1440 / 4800 (side spin twice that).
inline constexpr double kTipSpinAtFullPower = 1440.0;
/// Deceleration while a ball is faster than kSlowSpeedThreshold, units/s^2.
inline constexpr double kFastFriction = 1600.0;
/// Deceleration at or below kSlowSpeedThreshold, units/s^2.
inline constexpr double kSlowFriction = 640.0;
/// Speed, units per second, at or below which a ball rolls: friction drops to
/// kSlowFriction and the follow or draw spin is gone.
inline constexpr float kSlowSpeedThreshold = 1440.0f;
/// Share of the side-spin difference passed across the line of centres at a ball
/// contact (each ball gets half of it).
inline constexpr double kSideSpinTransfer = 0.3;
/// Most contacts resolved in one tick. Ordinary shots need a handful; only
/// degenerate states (balls overlapping or wedged together) chain zero-time
/// contacts without end. Past the bound the tick just moves the balls by the
/// time that is left.
inline constexpr int kMaxContactsPerTick = 1000;

/// What the motion step needs from the program around it. Every call happens
/// on the caller's thread, in the order of the contacts.
class SimulationEvents {
public:
    virtual ~SimulationEvents() = default;
    /// Called at the start of every pass of a tick (once per tick and once more
    /// after each resolved contact) so the program can handle pending window
    /// events. Return false when the running shot was abandoned meanwhile (the
    /// balls were racked anew or restored): the tick then ends at once.
    virtual bool yieldToEvents() { return true; }
    /// Ball i has just been moved to a contact; draw it at its new place.
    virtual void drawBallOnScreen(int /*i*/) {}
    /// Two balls met; impactSpeed is their relative speed after the contact.
    virtual void playBallHitSound(float /*impactSpeed*/) {}
    /// A ball rebounded; speed is its speed after the rebound.
    virtual void playCushionSound(float /*speed*/) {}
};

/// Launches ball i toward the aim point: power 1..100 (48 units per second per
/// percent), tip offsets side -1..1 and vertical -2..2 (0 at the centre).
void startShot(Table& table, int i, int power, float tipOffsetX, float tipOffsetY);

enum class StepResult {
    completed, ///< the whole 0.05 s of table time was run
    abandoned, ///< yieldToEvents() returned false; the tick stopped there
};

/// Advances the table by one tick (0.05 s), resolving every contact in time order.
StepResult stepSimulation(Table& table, SimulationEvents& events);
/// Moves every moving ball on the table by dt seconds, then applies friction.
void moveBalls(Table& table, float dt);
/// Seconds until ball i reaches cushion k (101..104), or kNoContact.
float getCushionHitTime(const Table& table, int i, int k);
/// Seconds until balls i and j are 100 apart, or kNoContact.
float getBallHitTime(const Table& table, int i, int j);

/// Resolves a contact of ball a (the moving one) with ball b; reports the impact
/// speed through events.playBallHitSound.
void collideBalls(Table& table, int a, int b, SimulationEvents& events);
/// Rebounds ball i from cushion k, with the side-spin kick along the cushion.
void bounceOffCushion(Table& table, int i, int k);

} // namespace zandrel
