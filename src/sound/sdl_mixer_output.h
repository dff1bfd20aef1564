#pragma once

// The sound device: SDL2_mixer on SDL's audio subsystem alone. Wave sounds play
// on one mixer channel; MIDI tunes go through the mixer's FluidSynth player with
// the small General MIDI soundfont. Without a usable audio device the game runs
// silently: one line on standard error, and every call does nothing.
// Allowed to rest, the device closes once quiet (SDL's audio thread would
// otherwise wake forty times a second to mix silence) and opens again on wake.

#include "sound/sound_output.h"

#include <chrono>
#include <memory>
#include <string>

namespace zandrel {

inline constexpr int kMixerRate = 44100;
/// Frames per mixer buffer: about 23 ms at 44.1 kHz, so a contact is heard at once.
inline constexpr int kMixerBufferFrames = 1024;

/// How long the device stays open, once it may rest, after the last sound ended.
inline constexpr std::chrono::milliseconds kQuietBeforeRest{2000};

/// The first General MIDI soundfont found in the usual places ("" when none).
/// TimGM6mb comes first: it is small, where the larger ones cost a lot of memory.
std::string findSoundFont();

class SdlMixerOutput : public SoundOutput {
public:
    /// Music files are looked up in `musicDir`. The device stays shut, and every
    /// call silent, until open().
    explicit SdlMixerOutput(std::string musicDir,
                            std::chrono::milliseconds quietBeforeRest = kQuietBeforeRest);
    ~SdlMixerOutput() override;
    SdlMixerOutput(const SdlMixerOutput&) = delete;
    SdlMixerOutput& operator=(const SdlMixerOutput&) = delete;

    /// Opens the audio device (awake); false (and one line on standard error) when it
    /// cannot be opened, and everything stays silent.
    bool open();
    /// Open and not resting: wave sounds and tunes are heard.
    bool isAwake() const;

    void playWave(const std::string& path, bool noStop) override;
    void openMusic(const std::string& fileName) override;
    void playMusic(const std::string& fileName) override;
    void closeMusic(const std::string& fileName) override;
    void allowRest(bool allowed) override;
    void wake(std::chrono::milliseconds atLeast) override;

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

} // namespace zandrel
