// Cost of one contact sound with the sound warm (decoded on an earlier call),
// on SDL's dummy audio driver unless SDL_AUDIODRIVER says otherwise.

#include "sound/sdl_mixer_output.h"
#include "sound/sound_room.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

using namespace zandrel;

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

} // namespace

namespace {

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
