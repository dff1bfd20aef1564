#pragma once

// A sound device that writes down what it is asked to do, one line per call:
// "wave /p/vmin.wav nostop", "open menu.mid", "play menu.mid", "close menu.mid";
// rest and wake calls apart, as "rest", "stay" and "wake 30000".

#include "sound/sound_output.h"

#include <string>
#include <utility>
#include <vector>

namespace zandrel::testing {

class RecordingOutput : public SoundOutput {
public:
    void playWave(const std::string& path, bool noStop) override {
        calls.push_back("wave " + path + (noStop ? " nostop" : ""));
    }
    void openMusic(const std::string& fileName) override { calls.push_back("open " + fileName); }
    void playMusic(const std::string& fileName) override { calls.push_back("play " + fileName); }
    void closeMusic(const std::string& fileName) override { calls.push_back("close " + fileName); }
    void allowRest(bool allowed) override { power.push_back(allowed ? "rest" : "stay"); }
    void wake(std::chrono::milliseconds atLeast) override {
        power.push_back("wake " + std::to_string(atLeast.count()));
    }
    /// The calls since the last take().
    std::vector<std::string> take() { return std::exchange(calls, {}); }
    std::vector<std::string> calls, power;
};

} // namespace zandrel::testing
