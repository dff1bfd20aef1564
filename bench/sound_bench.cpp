// Cost of one contact sound with the sound warm (decoded on an earlier call),
// how long it waits for the mixer, and what starting a tune costs, on SDL's
// dummy audio driver unless SDL_AUDIODRIVER says otherwise.

#include "sound/sdl_mixer_output.h"
#include "sound/sound_room.h"

#include <SDL_mixer.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

namespace {

using namespace zandrel;
using Clock = std::chrono::steady_clock;

void warmBallHitSound(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string dir = ZANDREL_RESOURCES_DIR;
    if (!std::filesystem::exists(dir + kWaveHard)) {
        state.SkipWithError("no wave files");
        return;
    }
    SdlMixerOutput device(dir);
    device.open();
    const std::string settings = (std::filesystem::temp_directory_path() / "zandrel-bench.ini").string();
    SoundRoom room(device, dir, "0.02", settings);
    const int shotCount = static_cast<int>(state.range(0));
    room.playBallHitSound(4000.0f, shotCount); // decoded here, once
    for (auto _ : state)
        room.playBallHitSound(4000.0f, shotCount);
    std::filesystem::remove(settings);
}
// 1: the first shot, a playing sound is kept; 2: each call replaces it.
BENCHMARK(warmBallHitSound)->Arg(1)->Arg(2);

/// A channel effect that notes when the mixer first mixes the channel.
void noteFirstMix(int, void*, int, void* mixedAt) {
    auto& at = *static_cast<std::atomic<Clock::rep>*>(mixedAt);
    Clock::rep none = 0;
    at.compare_exchange_strong(none, Clock::now().time_since_epoch().count());
}

/// The mixer pickup of a contact sound: from the play call to the audio callback
/// that mixes its first samples. SDL's dummy driver paces its callbacks by the
/// buffer as a device would, so this is up to one buffer (the device's own queue
/// comes on top on a real one). Contacts come at any moment of the callback
/// cycle: each is played at a random delay after the last. The mean is the time
/// reported; worst_ms is the longest wait.
void contactPickup(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string dir = ZANDREL_RESOURCES_DIR;
    const std::string wave = dir + kWaveHard;
    SdlMixerOutput device(dir);
    if (!device.open() || !std::filesystem::exists(wave)) {
        state.SkipWithError("no audio device or no wave files");
        return;
    }
    device.playWave(wave, false);   // decoded here, once
    constexpr int kWaveChannel = 0; // the device's one wave channel
    std::atomic<Clock::rep> mixedAt{0};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> delayMicroseconds(0, 30000);
    double worst = 0;
    for (auto _ : state) {
        Mix_HaltChannel(kWaveChannel); // which also drops the channel's effects
        mixedAt = 0;
        Mix_RegisterEffect(kWaveChannel, noteFirstMix, nullptr, &mixedAt);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        const Clock::time_point played = Clock::now();
        device.playWave(wave, false);
        while (mixedAt.load() == 0 && Clock::now() - played < std::chrono::seconds(2))
            std::this_thread::yield();
        if (mixedAt.load() == 0) {
            state.SkipWithError("the sound was never mixed");
            return;
        }
        const Clock::time_point mixed{Clock::duration(mixedAt.load())};
        const double seconds = std::chrono::duration<double>(mixed - played).count();
        state.SetIterationTime(seconds);
        worst = std::max(worst, seconds);
    }
    state.counters["worst_ms"] = worst * 1000;
}
BENCHMARK(contactPickup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

/// What a music tick that starts a tune costs the window's thread (the tune
/// loads on a thread of its own); closing it, timed apart, waits for that load.
void openAndPlayTune(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string dir = ZANDREL_RESOURCES_DIR;
    SdlMixerOutput device(dir);
    device.open();
    for (auto _ : state) {
        device.openMusic("menu.mid");
        device.playMusic("menu.mid");
        state.PauseTiming();
        device.closeMusic("menu.mid");
        state.ResumeTiming();
    }
}
BENCHMARK(openAndPlayTune)->Unit(benchmark::kMicrosecond)->Iterations(20);

} // namespace
