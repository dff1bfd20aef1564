#pragma once

// The sound device: SDL2_mixer on SDL's audio subsystem alone. Wave sounds play
// on one mixer channel; MIDI tunes go through the mixer's FluidSynth player with
// the small General MIDI soundfont, or with the system's default soundfont where
// that one is not installed. Without a usable audio device the game runs
// silently: one line on standard error, and every call does nothing; without any
// usable soundfont the tunes stay silent, with one line too.
// Allowed to rest, the device closes once quiet (SDL's audio thread would
// otherwise wake ninety times a second to mix silence) and opens again on wake,
// on a thread of its own: a sound server can take a tenth of a second to open.

#include "sound/sound_output.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zandrel {

inline constexpr int kMixerRate = 44100;
/// Frames per mixer buffer: about 12 ms at 44.1 kHz, so a contact is heard at
/// once. Half of it would cost a playing tune half as much CPU again.
inline constexpr int kMixerBufferFrames = 512;

/// How long the device stays open, once it may rest, after the last sound ended.
inline constexpr std::chrono::milliseconds kQuietBeforeRest{2000};

/// The usual places of a General MIDI soundfont. TimGM6mb comes first: it is
/// small, where the larger ones cost a lot of memory.
std::vector<std::string> knownSoundFontPlaces();

/// The first soundfont found in `places` ("" when none).
std::string findSoundFont(const std::vector<std::string>& places = knownSoundFontPlaces());

/// Opens SDL's audio and the mixer as the device does; false (and SDL_GetError
/// says why) when it cannot.
bool openAudioMixer();

/// How one tune loaded.
struct TuneLoad {
    std::string fileName;                ///< as openMusic() was given it
    std::vector<std::string> soundFonts; ///< the soundfont files its synthesiser loaded, in order
    bool playable = false;               ///< it loaded and plays when asked
};

/// What a device can be given besides its music folder.
struct MixerOptions {
    std::chrono::milliseconds quietBeforeRest = kQuietBeforeRest;
    /// The soundfont of the tunes; empty: the first found in `soundFontPlaces`,
    /// and where none is, the mixer's own default (the system's default-GM soundfont).
    std::string soundFont;
    std::vector<std::string> soundFontPlaces = knownSoundFontPlaces();
    /// Opens the audio device; empty: openAudioMixer(). open() calls it on the
    /// caller's thread, a wake on a thread of its own.
    std::function<bool()> openDevice;
    /// Told, on the tune's loading thread, how each tune loaded; empty: nobody.
    /// The device may be waiting for that thread (closing the tune, or shutting
    /// down), so it must not call back into the device.
    std::function<void(const TuneLoad&)> tuneLoaded;
};

class SdlMixerOutput : public SoundOutput {
public:
    /// Music files are looked up in `musicDir`. The device stays shut, and every
    /// call silent, until open().
    explicit SdlMixerOutput(std::string musicDir, MixerOptions options = {});
    ~SdlMixerOutput() override;
    SdlMixerOutput(const SdlMixerOutput&) = delete;
    SdlMixerOutput& operator=(const SdlMixerOutput&) = delete;

    /// Opens the audio device (awake); false (and one line on standard error) when it
    /// cannot be opened, and everything stays silent.
    bool open();
    /// Open and not resting (nor still opening): wave sounds and tunes are heard.
    bool isAwake() const;

    /// While a woken device is still opening, the latest wave sound (by the
    /// no-stop rule) waits and starts the moment the device is up.
    void playWave(const std::string& path, bool noStop) override;
    void openMusic(const std::string& fileName) override;
    void playMusic(const std::string& fileName) override;
    void closeMusic(const std::string& fileName) override;
    void allowRest(bool allowed) override;
    /// Starts opening a resting device and returns at once.
    void wake(std::chrono::milliseconds atLeast) override;

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

} // namespace zandrel
