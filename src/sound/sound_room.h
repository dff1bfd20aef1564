#pragma once

// The sound and music of the game in one place: the two switches and their
// settings keys, the contact sounds by impact speed, the music table and the
// sequencer that the window's 500 ms music timer drives. It reaches the device
// only through SoundOutput; through callbacks it names the tune for the
// window's caption and says when it wants the music timer to run. It knows
// nothing of windows.

#include "sound/sound_output.h"
#include "sound/sound_settings.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace zandrel {

/// One tune of the music table.
struct BgmEntry {
    std::string title;
    std::string fileName;  ///< also the name the device knows the open file by
    int lengthSeconds = 0; ///< started over once this much time has passed
    std::string composer;
};

inline constexpr int kBgmTableSize = 11;      ///< entries 0..10; 0..4 hold the tunes
inline constexpr int kBgmTunesInUse = 5;      ///< the entries closed by "close all five"
inline constexpr int kBgmTimerInterval = 500; ///< milliseconds between sequencer ticks
inline constexpr int kBgmNone = -1;           ///< bgmWanted / bgmPlaying: no tune

/// How long the device stays open after a shot starts, however quiet the shot:
/// longer than the balls of any shot take to come to rest.
inline constexpr std::chrono::milliseconds kShotAwake{30000};

/// Impact speed (table units per second) that the contact-sound bands divide by.
inline constexpr float kSoundFullSpeed = 4800.0f;

/// The wave files, appended to the program folder as they stand.
inline constexpr const char* kWaveSoft = "/vmin.wav";
inline constexpr const char* kWaveMiddle = "/vmid.wav";
inline constexpr const char* kWaveHard = "/vmax.wav";
inline constexpr const char* kWaveCushion = "/meetwall.wav";

class SoundRoom {
public:
    using CaptionHandler = std::function<void(const std::string&)>;
    using TimerHandler = std::function<void(bool run)>;

    /// `programDir` (no trailing '/') is where the wave files lie; `version` is
    /// the version text of the sequencer's restart caption.
    SoundRoom(SoundOutput& output, std::string programDir, std::string version,
              std::string settingsPath = settingsFilePath());

    /// Where the captions naming a tune go (the main window's title).
    void setCaptionHandler(CaptionHandler handler) { caption_ = std::move(handler); }
    /// Who runs the 500 ms music timer: told at once whether it should run, and
    /// again whenever that changes (it runs while the music is on).
    void setMusicTimer(TimerHandler handler);

    // The switches.
    /// Start-up: the stored values as they are, into SOUND_MODE and isBGMON.
    void loadSettings();
    /// The sound icons: on (1) or off (0), written to the settings at once.
    void switchSound(bool on);
    /// The menu item: flips the sound switch and writes it.
    void toggleSound();
    /// The music icons. On: the menu tune is wanted afresh and the music timer
    /// runs; off: silence is requested, the timer stops and all five tunes are
    /// closed. Written to the settings at once.
    void switchMusic(bool on);
    int soundMode() const { return soundMode_; } ///< SOUND_MODE: 1 on, 0 off
    int isBgmOn() const { return isBGMON_; }     ///< isBGMON: -1 on, 0 off

    // The balls.
    /// A shot is about to start: the device must be ready for its contacts, and
    /// a tune that runs out waits for the balls to rest before it starts over.
    void shotStarting();
    /// The balls are at rest again (the shot ended, or was dropped for a new rack).
    void shotOver() { ballsMoving_ = false; }

    // Contact sounds.
    void playBallHitSound(float speed, int shotCount);
    void playCushionSound(float speed, int shotCount);

    // Music.
    void initBgmTable();
    /// The request rule: the wanted tune becomes bgmPlaying, then `tune` is wanted.
    void requestMusic(int tune);
    /// One tick of the music timer.
    void timBGM_Timer();
    /// Sends "close" for tunes 0..4 in order (shutdown and music off).
    void closeAllTunes();

    int bgmWanted() const { return bgmWanted_; }
    int bgmPlaying() const { return bgmPlaying_; }
    int bgmTicks() const { return bgmTicks_; }
    const BgmEntry& bgmEntry(int index) const { return bgmTable_.at(static_cast<std::size_t>(index)); }

private:
    void startTune(const std::string& caption);
    void showCaption(const std::string& text);
    /// Lets the device rest while no tune is wanted, and wakes it when one is.
    void updateRest();
    /// Tells the timer handler when the music timer should start or stop.
    void updateTimer();

    SoundOutput& output_;
    std::string programDir_;
    std::string version_;
    std::string settingsPath_;
    CaptionHandler caption_;
    TimerHandler timer_;
    bool timerRuns_ = false;
    bool ballsMoving_ = false;

    int soundMode_ = kSoundOn;
    int isBGMON_ = kBgmOn;
    bool restAllowed_ = false;

    std::array<BgmEntry, kBgmTableSize> bgmTable_{};
    int bgmWanted_ = 0;
    int bgmPlaying_ = 0;
    std::int16_t bgmTicks_ = 0;
};

} // namespace zandrel
