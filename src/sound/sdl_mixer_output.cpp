#include "sound/sdl_mixer_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>

namespace zandrel {

namespace {

constexpr int kWaveChannel = 0;
constexpr int kOutputChannels = 2;
constexpr int kMidiVoices = 64; ///< our busiest tune needs about 30
constexpr int kAllMidiChannels = -1;
constexpr int kLinearInterpolation = 1; ///< FluidSynth's FLUID_INTERP_LINEAR

constexpr const char* kSoundFontPlaces[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",       "/usr/share/soundfonts/TimGM6mb.sf2",
    "/usr/local/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

void reportNoSound(const char* what) {
    std::fprintf(stderr, "zandrel: playing without sound (%s: %s)\n", what, SDL_GetError());
}

} // namespace

// The mixer's MIDI player makes its FluidSynth settings and synthesiser without
// asking us. These two stand in for FluidSynth's own functions (the program's
// symbols are found first) and trim the synthesiser to what our tunes need: no
// reverb and chorus units, linear interpolation, a bound on the voices, and only
// the samples a tune plays loaded from the soundfont. Together they take a
// quarter off the music's CPU time and 7 MB off its memory.
extern "C" void* new_fluid_settings() {
    using MakeSettings = void* (*)();
    using SetInt = int (*)(void*, const char*, int);
    static const auto make = reinterpret_cast<MakeSettings>(dlsym(RTLD_NEXT, "new_fluid_settings"));
    static const auto setInt = reinterpret_cast<SetInt>(dlsym(RTLD_DEFAULT, "fluid_settings_setint"));
    void* settings = make != nullptr ? make() : nullptr;
    if (settings != nullptr && setInt != nullptr) {
        setInt(settings, "synth.reverb.active", 0);
        setInt(settings, "synth.chorus.active", 0);
        setInt(settings, "synth.polyphony", kMidiVoices);
        setInt(settings, "synth.dynamic-sample-loading", 1);
    }
    return settings;
}

extern "C" void* new_fluid_synth(void* settings) {
    using MakeSynth = void* (*)(void*);
    using SetInterpolation = int (*)(void*, int, int);
    static const auto make = reinterpret_cast<MakeSynth>(dlsym(RTLD_NEXT, "new_fluid_synth"));
    static const auto setInterpolation =
        reinterpret_cast<SetInterpolation>(dlsym(RTLD_DEFAULT, "fluid_synth_set_interp_method"));
    void* synth = make != nullptr ? make(settings) : nullptr;
    if (synth != nullptr && setInterpolation != nullptr)
        setInterpolation(synth, kAllMidiChannels, kLinearInterpolation);
    return synth;
}

std::string findSoundFont() {
    std::error_code error;
    for (const char* place : kSoundFontPlaces)
        if (std::filesystem::is_regular_file(place, error))
            return place;
    return {};
}

namespace {

/// An open tune. Loading it (the soundfont above all) takes the better part of
/// a tenth of a second, so it is loaded on a thread of its own and starts
/// playing there if it was asked to play meanwhile.
struct Tune {
    std::string path;
    std::mutex* mutex = nullptr; ///< guards the fields below between the loader and the caller
    SDL_Thread* loader = nullptr;
    Mix_Music* music = nullptr; ///< set by the loader; null when the file could not be loaded
    bool loaded = false;
    bool playWanted = false;
};

int loadTune(void* data) {
    Tune& tune = *static_cast<Tune*>(data);
    Mix_Music* music = Mix_LoadMUS(tune.path.c_str());
    malloc_trim(0); // the soundfont's load buffers go back to the system
    const std::lock_guard lock(*tune.mutex);
    tune.music = music;
    tune.loaded = true;
    if (music != nullptr && tune.playWanted)
        Mix_PlayMusic(music, 0);
    return 0;
}

using Clock = std::chrono::steady_clock;

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

/// ALSA prints a screenful of errors of its own while SDL looks for a device
/// on a machine without a sound card; our one line says it all. The library
/// stays loaded, so SDL's later load gets the same instance and the handler.
void quietAlsa() {
    static const bool done = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
        if (alsa == nullptr)
            return false;
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetHandler = int (*)(Handler);
        const auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
        if (setHandler != nullptr)
            setHandler(ignoreAlsaError);
        return true;
    }();
    (void)done;
}

/// Opens SDL's audio and the mixer; false (and SDL_GetError says why) on failure.
bool openMixer() {
    // SDL must leave SIGINT and SIGTERM alone: they end the game as before.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    quietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(kMixerRate, MIX_DEFAULT_FORMAT, kOutputChannels, kMixerBufferFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(1);
    Mix_Init(MIX_INIT_MID); // without a MIDI player the tunes stay silent
    return true;
}

void closeMixer() {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace

struct SdlMixerOutput::Device {
    std::string musicDir;
    std::chrono::milliseconds quietBeforeRest{};
    bool open = false; ///< opened once: the device exists
    bool reported = false;
    /// Guards everything below between the caller and the rest watcher.
    mutable std::mutex mutex;
    std::condition_variable restChanged;
    bool awake = false;
    bool restAllowed = false;
    bool stopping = false;
    Clock::time_point awakeUntil;
    std::thread watcher;
    int frequency = 0; ///< the format the cached wave sounds were decoded for
    Uint16 format = 0;
    int channels = 0;
    /// Decoded wave sounds by path; a file that failed to load stays null.
    std::unordered_map<std::string, Mix_Chunk*> waves;
    std::map<std::string, std::unique_ptr<Tune>> tunes;
    std::mutex tuneMutex;

    void reportOnce(const char* what) {
        if (!std::exchange(reported, true))
            reportNoSound(what);
    }

    void stayAwake(std::chrono::milliseconds atLeast) {
        awakeUntil = std::max(awakeUntil, Clock::now() + atLeast);
        restChanged.notify_all();
    }

    /// Opens the mixer; wave sounds decoded for another format are dropped.
    bool openAwake() {
        if (!openMixer())
            return false;
        awake = true;
        int f = 0, c = 0;
        Uint16 fmt = 0;
        Mix_QuerySpec(&f, &fmt, &c);
        if (f != frequency || fmt != format || c != channels)
            freeWaves();
        frequency = f, format = fmt, channels = c;
        return true;
    }

    void freeWaves() {
        for (auto& [path, chunk] : waves)
            if (chunk != nullptr)
                Mix_FreeChunk(chunk);
        waves.clear();
    }

    /// Closes the mixer once rest is allowed and nothing has sounded for the
    /// quiet period; sleeps without a timeout otherwise.
    void watchForRest() {
        std::unique_lock lock(mutex);
        while (!stopping) {
            if (!awake || !restAllowed) {
                restChanged.wait(lock);
            } else if (Clock::now() < awakeUntil) {
                restChanged.wait_until(lock, awakeUntil);
            } else if (!tunes.empty() || Mix_Playing(-1) != 0) {
                awakeUntil = Clock::now() + quietBeforeRest;
            } else {
                closeMixer(); // the decoded wave sounds stay valid for the next open
                awake = false;
            }
        }
    }

    /// Waits for the tune's loader, then stops and frees it.
    static void closeTune(Tune& tune) {
        if (tune.loader != nullptr)
            SDL_WaitThread(tune.loader, nullptr);
        tune.loader = nullptr;
        if (tune.music != nullptr)
            Mix_FreeMusic(tune.music); // stops it first when it plays
    }

    ~Device() {
        if (!open)
            return;
        {
            const std::lock_guard lock(mutex);
            stopping = true;
            restChanged.notify_all();
        }
        watcher.join();
        if (awake) {
            Mix_HaltChannel(-1);
            for (auto& [name, tune] : tunes)
                closeTune(*tune);
            Mix_HaltMusic();
        }
        freeWaves();
        if (awake)
            closeMixer();
        Mix_Quit();
    }
};

SdlMixerOutput::SdlMixerOutput(std::string musicDir, std::chrono::milliseconds quietBeforeRest)
    : device_(std::make_unique<Device>()) {
    device_->musicDir = std::move(musicDir);
    device_->quietBeforeRest = quietBeforeRest;
}

bool SdlMixerOutput::open() {
    Device& d = *device_;
    if (d.open)
        return true;
    if (const std::string soundFont = findSoundFont(); !soundFont.empty())
        Mix_SetSoundFonts(soundFont.c_str());
    if (!d.openAwake()) {
        d.reportOnce("audio device");
        return false;
    }
    d.open = true;
    d.awakeUntil = Clock::now() + d.quietBeforeRest;
    d.watcher = std::thread([&d] { d.watchForRest(); });
    return true;
}

SdlMixerOutput::~SdlMixerOutput() = default;

bool SdlMixerOutput::isAwake() const {
    const std::lock_guard lock(device_->mutex);
    return device_->awake;
}

void SdlMixerOutput::allowRest(bool allowed) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    d.restAllowed = allowed;
    d.stayAwake(d.quietBeforeRest);
}

void SdlMixerOutput::wake(std::chrono::milliseconds atLeast) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    if (!d.open)
        return;
    if (!d.awake && !d.openAwake()) {
        d.reportOnce("audio device");
        return;
    }
    d.stayAwake(std::max(atLeast, d.quietBeforeRest));
}

void SdlMixerOutput::playWave(const std::string& path, bool noStop) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    // A resting device drops the sound: opening it here would stall the motion step.
    if (!d.awake)
        return;
    auto [it, added] = d.waves.try_emplace(path, nullptr);
    if (added)
        it->second = Mix_LoadWAV(path.c_str());
    if (it->second == nullptr)
        return;
    if (noStop && Mix_Playing(kWaveChannel) != 0)
        return;
    Mix_PlayChannel(kWaveChannel, it->second, 0);
    d.stayAwake(d.quietBeforeRest);
}

void SdlMixerOutput::openMusic(const std::string& fileName) {
    const std::lock_guard lock(device_->mutex);
    if (!device_->awake || fileName.empty() || device_->tunes.contains(fileName))
        return;
    auto tune = std::make_unique<Tune>();
    tune->path = device_->musicDir + "/" + fileName;
    tune->mutex = &device_->tuneMutex;
    tune->loader = SDL_CreateThread(loadTune, "zandrel-tune", tune.get());
    if (tune->loader == nullptr)
        loadTune(tune.get());
    device_->tunes.emplace(fileName, std::move(tune));
}

void SdlMixerOutput::playMusic(const std::string& fileName) {
    const std::lock_guard lock(device_->mutex);
    const auto it = device_->tunes.find(fileName);
    if (it == device_->tunes.end())
        return;
    Tune& tune = *it->second;
    const std::lock_guard tuneLock(device_->tuneMutex);
    if (!tune.loaded)
        tune.playWanted = true;
    else if (tune.music != nullptr)
        Mix_PlayMusic(tune.music, 0);
}

void SdlMixerOutput::closeMusic(const std::string& fileName) {
    const std::lock_guard lock(device_->mutex);
    const auto it = device_->tunes.find(fileName);
    if (it == device_->tunes.end())
        return;
    Device::closeTune(*it->second);
    device_->tunes.erase(it);
}

} // namespace zandrel
