#include "sound/sdl_mixer_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace zandrel {

namespace {

constexpr int kWaveChannel = 0;
constexpr int kOutputChannels = 2;

constexpr const char* kSoundFontPlaces[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",       "/usr/share/soundfonts/TimGM6mb.sf2",
    "/usr/local/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

void reportNoSound(const char* what) {
    std::fprintf(stderr, "zandrel: playing without sound (%s: %s)\n", what, SDL_GetError());
}

} // namespace

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

} // namespace

struct SdlMixerOutput::Device {
    std::string musicDir;
    bool open = false;
    /// Decoded wave sounds by path; a file that failed to load stays null.
    std::unordered_map<std::string, Mix_Chunk*> waves;
    std::map<std::string, std::unique_ptr<Tune>> tunes;
    std::mutex tuneMutex;

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
        Mix_HaltChannel(-1);
        for (auto& [name, tune] : tunes)
            closeTune(*tune);
        Mix_HaltMusic();
        for (auto& [path, chunk] : waves)
            if (chunk != nullptr)
                Mix_FreeChunk(chunk);
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
};

SdlMixerOutput::SdlMixerOutput(std::string musicDir) : device_(std::make_unique<Device>()) {
    device_->musicDir = std::move(musicDir);
}

bool SdlMixerOutput::open() {
    if (device_->open)
        return true;
    // SDL must leave SIGINT and SIGTERM alone: they end the game as before.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportNoSound("no audio");
        return false;
    }
    if (Mix_OpenAudio(kMixerRate, MIX_DEFAULT_FORMAT, kOutputChannels, kMixerBufferFrames) != 0) {
        reportNoSound("audio device");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    device_->open = true;
    Mix_AllocateChannels(1);
    if (const std::string soundFont = findSoundFont(); !soundFont.empty())
        Mix_SetSoundFonts(soundFont.c_str());
    Mix_Init(MIX_INIT_MID); // without a MIDI player the tunes stay silent
    return true;
}

SdlMixerOutput::~SdlMixerOutput() = default;

bool SdlMixerOutput::isOpen() const {
    return device_->open;
}

void SdlMixerOutput::playWave(const std::string& path, bool noStop) {
    if (!device_->open)
        return;
    auto [it, added] = device_->waves.try_emplace(path, nullptr);
    if (added)
        it->second = Mix_LoadWAV(path.c_str());
    if (it->second == nullptr)
        return;
    if (noStop && Mix_Playing(kWaveChannel) != 0)
        return;
    Mix_PlayChannel(kWaveChannel, it->second, 0);
}

void SdlMixerOutput::openMusic(const std::string& fileName) {
    if (!device_->open || fileName.empty() || device_->tunes.contains(fileName))
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
    const auto it = device_->tunes.find(fileName);
    if (it == device_->tunes.end())
        return;
    Tune& tune = *it->second;
    const std::lock_guard lock(device_->tuneMutex);
    if (!tune.loaded)
        tune.playWanted = true;
    else if (tune.music != nullptr)
        Mix_PlayMusic(tune.music, 0);
}

void SdlMixerOutput::closeMusic(const std::string& fileName) {
    const auto it = device_->tunes.find(fileName);
    if (it == device_->tunes.end())
        return;
    Device::closeTune(*it->second);
    device_->tunes.erase(it);
}

} // namespace zandrel
