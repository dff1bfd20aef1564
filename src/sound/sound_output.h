#pragma once

// What the sound room asks of a sound device: one wave sound at a time, and
// music files opened, played and closed by name. A device reports nothing back:
// a missing file (or a path that names no plain file: a folder, a FIFO, a
// device) or a device that failed to open simply stays silent.

#include <chrono>
#include <string>

namespace zandrel {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    /// Starts the wave file at `path` at once and returns. Only one wave sound
    /// plays at a time: with `noStop` a call made while one still plays is
    /// dropped, without it the new sound replaces the playing one.
    virtual void playWave(const std::string& path, bool noStop) = 0;
    /// Loads the music file `fileName` (in the program's folder). Nothing
    /// happens when it is open already.
    virtual void openMusic(const std::string& fileName) = 0;
    /// Plays the open music file `fileName` once from its beginning.
    virtual void playMusic(const std::string& fileName) = 0;
    /// Stops the music file `fileName` if it plays and frees it.
    virtual void closeMusic(const std::string& fileName) = 0;

    /// Whether the device may go to rest (close, costing nothing) once nothing
    /// has sounded for a while. While it rests, a wave sound is dropped.
    virtual void allowRest(bool /*allowed*/) {}
    /// Sound is wanted soon: a resting device starts opening again now (the
    /// call does not wait for it), and stays open for at least `atLeast` even
    /// when rest is allowed.
    virtual void wake(std::chrono::milliseconds /*atLeast*/) {}
};

/// A device that never makes a sound.
class SilentOutput : public SoundOutput {
public:
    void playWave(const std::string&, bool) override {}
    void openMusic(const std::string&) override {}
    void playMusic(const std::string&) override {}
    void closeMusic(const std::string&) override {}
};

} // namespace zandrel
