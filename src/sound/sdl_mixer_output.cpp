#include "sound/sdl_mixer_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <mutex>
#include <string_view>
#include <strings.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zandrel {

namespace {

constexpr int kWaveChannel = 0;
constexpr int kOutputChannels = 2;
constexpr int kMidiVoices = 64; ///< our busiest tune needs about 30
constexpr int kAllMidiChannels = -1;
constexpr int kLinearInterpolation = 1; ///< FluidSynth's FLUID_INTERP_LINEAR

void reportNoSound(const char* what) {
    std::fprintf(stderr, "zandrel: playing without sound (%s: %s)\n", what, SDL_GetError());
}

/// What FluidSynth was asked to load on a tune's loading thread.
struct SoundFontLoads {
    std::vector<std::string> files; ///< every soundfont, in order
    std::string failed;             ///< the last one that could not be loaded ("" none)
};
thread_local SoundFontLoads soundFontLoads;

void ignoreFluidLog(int, const char*, void*) {}
void ignoreGlibLog(const char*, int, const char*, void*) {}

/// FluidSynth prints its own errors and warnings on standard error: a damaged
/// soundfont is worth a screenful at every tune. The device says it in one line.
void quietFluidSynth() {
    using LogFunction = void (*)(int, const char*, void*);
    using SetLogFunction = LogFunction (*)(int, LogFunction, void*);
    static const auto setLog =
        reinterpret_cast<SetLogFunction>(dlsym(RTLD_DEFAULT, "fluid_set_log_function"));
    constexpr int kLogLevels = 5; // FLUID_PANIC to FLUID_DBG
    if (setLog != nullptr)
        for (int level = 0; level < kLogLevels; ++level)
            setLog(level, ignoreFluidLog, nullptr);
}

/// Calls `load` with GLib's messages of no domain dropped: when a file is no
/// SoundFont, FluidSynth tries it as a DLS file through libinstpatch, which
/// complains through GLib.
template <typename Load> int withoutGlibMessages(Load load) {
    using Handler = void (*)(const char*, int, const char*, void*);
    using SetHandler = unsigned (*)(const char*, int, Handler, void*);
    using RemoveHandler = void (*)(const char*, unsigned);
    static const auto setHandler = reinterpret_cast<SetHandler>(dlsym(RTLD_DEFAULT, "g_log_set_handler"));
    static const auto removeHandler =
        reinterpret_cast<RemoveHandler>(dlsym(RTLD_DEFAULT, "g_log_remove_handler"));
    if (setHandler == nullptr || removeHandler == nullptr)
        return load();
    constexpr int kWarningsAndWorse = (1 << 3) | (1 << 4) | (1 << 5); // critical, warning, message
    const unsigned handler = setHandler(nullptr, kWarningsAndWorse, ignoreGlibLog, nullptr);
    const int result = load();
    removeHandler(nullptr, handler);
    return result;
}

} // namespace

// The mixer's MIDI player makes its FluidSynth settings and synthesiser, and
// loads the soundfont into it, without asking us. These three stand in for
// FluidSynth's own functions (the program's symbols are found first). The first
// two trim the synthesiser to what our tunes need: no reverb and chorus units,
// linear interpolation, a bound on the voices, and only the samples a tune plays
// loaded from the soundfont. Together they take a quarter off the music's CPU
// time and 7 MB off its memory. The third notes each soundfont and whether it loaded.
extern "C" void* new_fluid_settings() {
    using MakeSettings = void* (*)();
    using SetInt = int (*)(void*, const char*, int);
    static const auto make = reinterpret_cast<MakeSettings>(dlsym(RTLD_NEXT, "new_fluid_settings"));
    static const auto setInt = reinterpret_cast<SetInt>(dlsym(RTLD_DEFAULT, "fluid_settings_setint"));
    static const bool quiet = (quietFluidSynth(), true);
    (void)quiet;
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

extern "C" int fluid_synth_sfload(void* synth, const char* fileName, int resetPresets) {
    using LoadSoundFont = int (*)(void*, const char*, int);
    static const auto load = reinterpret_cast<LoadSoundFont>(dlsym(RTLD_NEXT, "fluid_synth_sfload"));
    const int id =
        load != nullptr ? withoutGlibMessages([&] { return load(synth, fileName, resetPresets); }) : -1;
    soundFontLoads.files.emplace_back(fileName != nullptr ? fileName : "");
    if (id < 0) // FLUID_FAILED
        soundFontLoads.failed = soundFontLoads.files.back();
    return id;
}

std::vector<std::string> knownSoundFontPlaces() {
    return {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",       "/usr/share/soundfonts/TimGM6mb.sf2",
        "/usr/local/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
}

std::string findSoundFont(const std::vector<std::string>& places) {
    std::error_code error;
    for (const std::string& place : places)
        if (std::filesystem::is_regular_file(place, error))
            return place;
    return {};
}

namespace {

/// What the tunes of a device share with their loaders.
struct TuneShare {
    std::mutex mutex; ///< guards the tunes' loaded state and the fields below
    std::string soundFont;
    std::function<void(const TuneLoad&)> tuneLoaded;
    bool soundFontBad = false; ///< it failed to load once: no tune is loaded again
};

/// An open tune. Loading it (the soundfont above all) takes the better part of
/// a tenth of a second, so it is loaded on a thread of its own and starts
/// playing there if it was asked to play meanwhile.
struct Tune {
    std::string fileName;
    std::string path;
    TuneShare* share = nullptr;
    bool started = false; ///< its loading has begun (it waits while the device opens)
    SDL_Thread* loader = nullptr;
    // Guarded by share->mutex between the loader and the caller:
    Mix_Music* music = nullptr; ///< set by the loader; null when the file could not be loaded
    bool loaded = false;
    bool playWanted = false;
};

/// The mixer's MIDI loading keeps its state unguarded (two tunes loading at
/// once have crashed it): loads, frees and the choice of soundfont take turns.
std::mutex& midiTurn() {
    static std::mutex turn;
    return turn;
}

/// The file at `path` opened for the mixer to read, or null when there is no
/// regular file there (through links too): a folder, a FIFO or a device would
/// crash the mixer or keep it reading or waiting for ever, so they count as
/// missing. Opening does not wait (a FIFO with nobody writing opens at once and
/// is refused), and the mixer reads the very file that was checked.
SDL_RWops* openRegularFile(const std::string& path) {
    // Reads of a regular file do not heed O_NONBLOCK: it only keeps the open from waiting.
    const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status {};
    std::FILE* const file =
        ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? ::fdopen(fd, "rb") : nullptr;
    if (file == nullptr) {
        ::close(fd);
        return nullptr;
    }
    SDL_RWops* const source = SDL_RWFromFP(file, SDL_TRUE);
    if (source == nullptr)
        std::fclose(file);
    return source;
}

bool isReadable(const std::string& path) {
    SDL_RWops* const file = openRegularFile(path);
    if (file != nullptr)
        SDL_RWclose(file);
    return file != nullptr;
}

/// The kind of tune the mixer would take the file for by its name, as its
/// loading by name does; otherwise the mixer looks at the file's first bytes.
Mix_MusicType musicTypeByName(const std::string& path) {
    const std::size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.')
        return MUS_NONE;
    const char* const extension = path.c_str() + dot + 1;
    for (const char* midi : {"mid", "midi", "kar"})
        if (strcasecmp(extension, midi) == 0)
            return MUS_MID;
    return MUS_NONE;
}

std::string soundFontFault(const std::string& soundFont) {
    return "the soundfont " + soundFont + " could not be loaded";
}

/// Why the mixer, told the soundfonts `told` (its list, as Mix_GetSoundFonts
/// gives it), had none to load: none was named, or none of those named is there.
std::string noSoundFontFault(std::string_view told) {
    std::string named;
    for (std::string_view rest = told; !rest.empty();) {
        const std::size_t end = std::min(rest.find_first_of(":;"), rest.size());
        if (end > 0)
            named += (named.empty() ? " at " : " or ") + std::string(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return "no soundfont was found" + named + "; the timgm6mb-soundfont package provides one";
}

/// Loads the tune with the soundfont the mixer was told, or with the mixer's
/// own default when it was told none. Returns why no soundfont could be used
/// ("" when one was, or the tune file itself is the trouble).
std::string loadWithSoundFont(Tune& tune, Mix_Music*& music, SoundFontLoads& loads) {
    // A named soundfont that is not there: the mixer would drop the tune without a word.
    if (!tune.share->soundFont.empty() && !isReadable(tune.share->soundFont))
        return soundFontFault(tune.share->soundFont);
    SDL_RWops* const file = openRegularFile(tune.path);
    if (file == nullptr)
        return {}; // no tune there: silence, as for a missing file
    const std::lock_guard turn(midiTurn());
    const char* const told = Mix_GetSoundFonts(); // ours, or the mixer's default (null: none)
    const std::string tried = told != nullptr ? told : "";
    soundFontLoads = {};
    music = Mix_LoadMUSType_RW(file, musicTypeByName(tune.path), SDL_TRUE); // closes the file
    loads = std::exchange(soundFontLoads, {});
    malloc_trim(0); // the soundfont's load buffers go back to the system
    if (!loads.failed.empty()) {
        if (music != nullptr)
            Mix_FreeMusic(music); // it would only mix silence
        music = nullptr;
        return soundFontFault(loads.failed);
    }
    // The synthesiser never got as far as loading a soundfont for a file that is there.
    if (music == nullptr && loads.files.empty())
        return noSoundFontFault(tried);
    return {};
}

int loadTune(void* data) {
    Tune& tune = *static_cast<Tune*>(data);
    Mix_Music* music = nullptr;
    SoundFontLoads loads;
    const std::string fault = loadWithSoundFont(tune, music, loads);
    {
        const std::lock_guard lock(tune.share->mutex);
        tune.music = music;
        tune.loaded = true;
        if (!fault.empty() && !std::exchange(tune.share->soundFontBad, true))
            std::fprintf(stderr, "zandrel: playing without music (%s)\n", fault.c_str());
        if (music != nullptr && tune.playWanted)
            Mix_PlayMusic(music, 0);
    }
    if (tune.share->tuneLoaded)
        tune.share->tuneLoaded({tune.fileName, loads.files, music != nullptr});
    return 0;
}

void startLoading(Tune& tune) {
    tune.started = true;
    tune.loader = SDL_CreateThread(loadTune, "zandrel-tune", &tune);
    if (tune.loader == nullptr)
        loadTune(&tune);
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

} // namespace

bool openAudioMixer() {
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

namespace {

void closeMixer() {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

/// A device is resting (closed), opening on a thread of its own, or awake.
enum class Power { resting, opening, awake };

} // namespace

struct SdlMixerOutput::Device {
    std::string musicDir;
    MixerOptions options;
    bool open = false; ///< opened once: the device exists (set before any thread starts)
    /// Guards everything below between the caller, the rest watcher and the opener.
    mutable std::mutex mutex;
    std::condition_variable restChanged;
    Power power = Power::resting;
    bool reported = false;
    bool restAllowed = false;
    bool stopping = false;
    Clock::time_point awakeUntil;
    std::thread watcher;
    SDL_Thread* opener = nullptr;
    std::string waitingWave; ///< played the moment an opening device is up ("" none)
    int frequency = 0;       ///< the format the cached wave sounds were decoded for
    Uint16 format = 0;
    int channels = 0;
    /// Decoded wave sounds by path; null for one that failed to load, which is
    /// not tried again until the device next opens.
    std::unordered_map<std::string, Mix_Chunk*> waves;
    std::map<std::string, std::unique_ptr<Tune>> tunes;
    TuneShare tuneShare;

    void reportOnce(const char* what) {
        if (!std::exchange(reported, true))
            reportNoSound(what);
    }

    void stayAwake(std::chrono::milliseconds atLeast) {
        awakeUntil = std::max(awakeUntil, Clock::now() + atLeast);
        restChanged.notify_all();
    }

    /// Opens the mixer, telling it the soundfont first (none: its own default),
    /// as closing made it forget.
    bool openMixer() {
        {
            const std::lock_guard turn(midiTurn());
            Mix_SetSoundFonts(options.soundFont.empty() ? nullptr : options.soundFont.c_str());
        }
        return options.openDevice();
    }

    /// The mixer has just opened: wave sounds decoded for another format are dropped.
    void becomeAwake() {
        power = Power::awake;
        int f = 0, c = 0;
        Uint16 fmt = 0;
        Mix_QuerySpec(&f, &fmt, &c);
        if (f != frequency || fmt != format || c != channels)
            freeWaves();
        std::erase_if(waves, [](const auto& wave) { return wave.second == nullptr; });
        frequency = f, format = fmt, channels = c;
    }

    /// Opens the mixer on a thread of its own, so the caller goes on at once.
    /// The thread is SDL's: SDL frees what it keeps for a thread only for its own.
    void startOpening() {
        if (opener != nullptr)
            SDL_WaitThread(opener, nullptr); // the last opening is over (the device rested since)
        opener = SDL_CreateThread(finishOpening, "zandrel-open", this);
        power = opener != nullptr ? Power::opening : Power::resting;
    }

    static int finishOpening(void* data) {
        Device& d = *static_cast<Device*>(data);
        const bool opened = d.openMixer();
        const std::lock_guard lock(d.mutex);
        if (!opened) {
            d.power = Power::resting;
            d.waitingWave.clear();
            d.reportOnce("audio device");
            return 0;
        }
        d.becomeAwake();
        if (!d.stopping) {
            for (auto& [name, tune] : d.tunes)
                if (!tune->started)
                    startLoading(*tune);
            if (!d.waitingWave.empty())
                d.startWave(d.waitingWave, false);
        }
        d.waitingWave.clear();
        d.restChanged.notify_all();
        return 0;
    }

    /// Plays the wave sound at `path` on the awake device by the no-stop rule.
    void startWave(const std::string& path, bool noStop) {
        if (noStop && Mix_Playing(kWaveChannel) != 0)
            return;
        auto it = waves.find(path);
        if (it == waves.end()) {
            SDL_RWops* const file = openRegularFile(path);
            it = waves.emplace(path, file != nullptr ? Mix_LoadWAV_RW(file, SDL_TRUE) : nullptr).first;
        }
        if (it->second == nullptr)
            return;
        Mix_PlayChannel(kWaveChannel, it->second, 0);
        stayAwake(options.quietBeforeRest);
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
            if (power != Power::awake || !restAllowed) {
                restChanged.wait(lock);
            } else if (Clock::now() < awakeUntil) {
                restChanged.wait_until(lock, awakeUntil);
            } else if (!tunes.empty() || Mix_Playing(-1) != 0) {
                awakeUntil = Clock::now() + options.quietBeforeRest;
            } else {
                closeMixer(); // the decoded wave sounds stay valid for the next open
                power = Power::resting;
            }
        }
    }

    /// Waits for the tune's loader, then stops and frees it.
    static void closeTune(Tune& tune) {
        if (tune.loader != nullptr)
            SDL_WaitThread(tune.loader, nullptr);
        tune.loader = nullptr;
        if (tune.music != nullptr) {
            const std::lock_guard turn(midiTurn());
            Mix_FreeMusic(tune.music); // stops it first when it plays
        }
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
        if (opener != nullptr)
            SDL_WaitThread(opener, nullptr); // an opening under way ends first: the mixer is closed below
        const bool awake = power == Power::awake;
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

SdlMixerOutput::SdlMixerOutput(std::string musicDir, MixerOptions options)
    : device_(std::make_unique<Device>()) {
    device_->musicDir = std::move(musicDir);
    if (options.soundFont.empty())
        options.soundFont = findSoundFont(options.soundFontPlaces);
    if (!options.openDevice)
        options.openDevice = openAudioMixer;
    device_->tuneShare.soundFont = options.soundFont;
    device_->tuneShare.tuneLoaded = options.tuneLoaded;
    device_->options = std::move(options);
}

bool SdlMixerOutput::open() {
    Device& d = *device_;
    if (d.open)
        return true;
    if (!d.openMixer()) {
        d.reportOnce("audio device");
        return false;
    }
    d.becomeAwake();
    d.open = true;
    d.awakeUntil = Clock::now() + d.options.quietBeforeRest;
    d.watcher = std::thread([&d] { d.watchForRest(); });
    return true;
}

SdlMixerOutput::~SdlMixerOutput() = default;

bool SdlMixerOutput::isAwake() const {
    const std::lock_guard lock(device_->mutex);
    return device_->power == Power::awake;
}

void SdlMixerOutput::allowRest(bool allowed) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    d.restAllowed = allowed;
    d.stayAwake(d.options.quietBeforeRest);
}

void SdlMixerOutput::wake(std::chrono::milliseconds atLeast) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    if (!d.open || d.stopping)
        return;
    d.stayAwake(std::max(atLeast, d.options.quietBeforeRest));
    if (d.power == Power::resting)
        d.startOpening();
}

void SdlMixerOutput::playWave(const std::string& path, bool noStop) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    switch (d.power) {
    case Power::awake:
        d.startWave(path, noStop);
        break;
    case Power::opening: // a sound waiting for the device counts as playing
        if (!noStop || d.waitingWave.empty())
            d.waitingWave = path;
        break;
    case Power::resting: // dropped: opening here would stall the motion step
        break;
    }
}

void SdlMixerOutput::openMusic(const std::string& fileName) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    if (d.power == Power::resting || fileName.empty() || d.tunes.contains(fileName))
        return;
    {
        const std::lock_guard shareLock(d.tuneShare.mutex);
        if (d.tuneShare.soundFontBad)
            return;
    }
    auto tune = std::make_unique<Tune>();
    tune->fileName = fileName;
    tune->path = d.musicDir + "/" + fileName;
    tune->share = &d.tuneShare;
    if (d.power == Power::awake)
        startLoading(*tune); // otherwise once the device is up
    d.tunes.emplace(fileName, std::move(tune));
}

void SdlMixerOutput::playMusic(const std::string& fileName) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    const auto it = d.tunes.find(fileName);
    if (it == d.tunes.end())
        return;
    Tune& tune = *it->second;
    const std::lock_guard tuneLock(d.tuneShare.mutex);
    if (!tune.loaded)
        tune.playWanted = true;
    else if (tune.music != nullptr)
        Mix_PlayMusic(tune.music, 0);
}

void SdlMixerOutput::closeMusic(const std::string& fileName) {
    Device& d = *device_;
    const std::lock_guard lock(d.mutex);
    const auto it = d.tunes.find(fileName);
    if (it == d.tunes.end())
        return;
    Device::closeTune(*it->second);
    d.tunes.erase(it);
}

} // namespace zandrel
