#pragma once

// A SimulationEvents that counts and logs every call: "Y" yield, "D<i>" draw ball i, "H" ball
// hit, "C" cushion, the sounded speeds apart; and a fresh rack.

#include "simulation/motion.h"
#include "simulation/table.h"

#include <string>
#include <vector>

namespace zandrel::test {

inline Table rack(GameKind kind = GameKind::fourBall) {
    Table t;
    setFirstPosition(t, kind);
    return t;
}

class RecordingEvents : public SimulationEvents {
public:
    std::string log;           ///< e.g. "Y D0 C Y"
    std::vector<float> speeds; ///< of the "H" and "C" entries, in order
    int yields = 0, ballHits = 0, cushions = 0;
    int abandonAtYield = 0; ///< 1-based yield that reports the shot abandoned; 0 never
    bool keepLog = true;

    bool yieldToEvents() override { return note("Y"), ++yields != abandonAtYield; }
    void drawBallOnScreen(int i) override { note("D" + std::to_string(i)); }
    void playBallHitSound(float s) override { ++ballHits, note("H", &s); }
    void playCushionSound(float s) override { ++cushions, note("C", &s); }

private:
    void note(const std::string& call, const float* speed = nullptr) {
        if (!keepLog)
            return;
        log += (log.empty() ? "" : " ") + call;
        if (speed)
            speeds.push_back(*speed);
    }
};

} // namespace zandrel::test
