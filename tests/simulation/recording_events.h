#pragma once

// A SimulationEvents that records every call in order, for checking what the
// motion step reports and when.

#include "simulation/motion.h"

#include <ostream>
#include <vector>

namespace zandrel::test {

struct SimCall {
    enum Kind { yield, draw, ballHit, cushion };
    Kind kind;
    int ball = -1;      ///< for draw
    float speed = 0.0f; ///< for ballHit and cushion

    static SimCall Yield() { return {yield}; }
    static SimCall Draw(int i) { return {draw, i}; }
    static SimCall BallHit(float s) { return {ballHit, -1, s}; }
    static SimCall Cushion(float s) { return {cushion, -1, s}; }

    bool operator==(const SimCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const SimCall& c) {
    switch (c.kind) {
    case SimCall::yield:
        return os << "yield";
    case SimCall::draw:
        return os << "draw(" << c.ball << ")";
    case SimCall::ballHit:
        return os << "ballHit(" << c.speed << ")";
    case SimCall::cushion:
        return os << "cushion(" << c.speed << ")";
    }
    return os;
}

class RecordingEvents : public SimulationEvents {
public:
    std::vector<SimCall> calls;
    /// 1-based number of the yield that reports the shot abandoned; 0 never.
    int abandonAtYield = 0;
    int yields = 0;

    bool yieldToEvents() override {
        calls.push_back(SimCall::Yield());
        ++yields;
        return yields != abandonAtYield;
    }
    void drawBallOnScreen(int i) override { calls.push_back(SimCall::Draw(i)); }
    void playBallHitSound(float s) override { calls.push_back(SimCall::BallHit(s)); }
    void playCushionSound(float s) override { calls.push_back(SimCall::Cushion(s)); }
};

/// Counts passes without keeping a log, for long runs.
class CountingEvents : public SimulationEvents {
public:
    int yields = 0;
    int ballHits = 0;
    int cushions = 0;
    bool yieldToEvents() override {
        ++yields;
        return true;
    }
    void playBallHitSound(float) override { ++ballHits; }
    void playCushionSound(float) override { ++cushions; }
};

} // namespace zandrel::test
