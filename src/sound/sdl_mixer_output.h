#pragma once

// The sound device: SDL2_mixer on SDL's audio subsystem alone. Wave sounds play
// on one mixer channel; MIDI tunes go through the mixer's FluidSynth player with
// the small General MIDI soundfont. Without a usable audio device the game runs
// silently: one line on standard error, and every call does nothing.

#include "sound/sound_output.h"

#include <memory>
#include <string>

namespace zandrel {

inline constexpr int kMixerRate = 44100;
/// Frames per mixer buffer: about 23 ms at 44.1 kHz, so a contact is heard at once.
inline constexpr int kMixerBufferFrames = 1024;

/// The first General MIDI soundfont found in the usual places ("" when none).
/// TimGM6mb comes first: it is small, where the larger ones cost a lot of memory.
std::string findSoundFont();

class SdlMixerOutput : public SoundOutput {
public:
    /// Music files are looked up in `musicDir`. The device stays shut, and every
    /// call silent, until open().
    explicit SdlMixerOutput(std::string musicDir);
    ~SdlMixerOutput() override;
    SdlMixerOutput(const SdlMixerOutput&) = delete;
    SdlMixerOutput& operator=(const SdlMixerOutput&) = delete;

    /// Opens the audio device; false (and one line on standard error) when it
    /// cannot be opened, and everything stays silent.
    bool open();
    bool isOpen() const;

    void playWave(const std::string& path, bool noStop) override;
    void openMusic(const std::string& fileName) override;
    void playMusic(const std::string& fileName) override;
    void closeMusic(const std::string& fileName) override;

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

} // namespace zandrel
