#include "sound/sound_room.h"

#include <utility>

namespace zandrel {

namespace {

constexpr const char* kComposer = "Quib";
constexpr int kTuneLengthSeconds = 30;
/// The counter starts over once it has counted more than an hour.
constexpr double kTickWrapSeconds = 3600.0;

// Contact-sound bands on v = speed / 4800, bounds as tested.
constexpr float kSoftTop = 0.3f;
constexpr float kMiddleTop = 0.6f;
constexpr float kHardTop = 5.0f;
constexpr float kCushionBottom = 0.01f;
constexpr float kCushionTop = 10.0f;

double tickSeconds(int ticks) {
    return static_cast<double>(ticks) * kBgmTimerInterval / 1000.0;
}

std::string quotedTune(const BgmEntry& entry) {
    return "BGM:\"" + entry.title + "\" by " + entry.composer;
}

} // namespace

SoundRoom::SoundRoom(SoundOutput& output, std::string programDir, std::string version,
                     std::string settingsPath)
    : output_(output), programDir_(std::move(programDir)), version_(std::move(version)),
      settingsPath_(std::move(settingsPath)) {}

void SoundRoom::setMusicTimer(TimerHandler handler) {
    timer_ = std::move(handler);
    timerRuns_ = isBGMON_ != kBgmOff;
    if (timer_)
        timer_(timerRuns_);
}

void SoundRoom::updateTimer() {
    const bool run = isBGMON_ != kBgmOff;
    if (run == timerRuns_)
        return;
    timerRuns_ = run;
    if (timer_)
        timer_(run);
}

void SoundRoom::loadSettings() {
    const SoundSettings stored = loadSoundSettings(settingsPath_);
    soundMode_ = stored.soundMode;
    isBGMON_ = stored.isBGMOn;
}

void SoundRoom::switchSound(bool on) {
    soundMode_ = on ? kSoundOn : kSoundOff;
    saveSoundMode(soundMode_, settingsPath_); // a failed write leaves the switch as set
}

void SoundRoom::toggleSound() {
    soundMode_ = soundMode_ == kSoundOff ? kSoundOn : kSoundOff;
    saveSoundMode(soundMode_, settingsPath_);
}

void SoundRoom::switchMusic(bool on) {
    if (on) {
        bgmWanted_ = 0;
        isBGMON_ = kBgmOn;
        bgmPlaying_ = kBgmNone;
    } else {
        isBGMON_ = kBgmOff;
        requestMusic(kBgmNone);
        closeAllTunes();
    }
    updateRest();
    updateTimer();
    saveBgmMode(isBGMON_, settingsPath_);
}

void SoundRoom::shotStarting() {
    ballsMoving_ = true;
    if (soundMode_ != kSoundOff)
        output_.wake(kShotAwake);
}

void SoundRoom::updateRest() {
    const bool allowed = isBGMON_ == kBgmOff || bgmWanted_ == kBgmNone;
    if (allowed == restAllowed_)
        return;
    restAllowed_ = allowed;
    output_.allowRest(allowed);
    if (!allowed)
        output_.wake(std::chrono::milliseconds{0}); // the tune starts on the next tick
}

void SoundRoom::playBallHitSound(float speed, int shotCount) {
    if (soundMode_ == kSoundOff)
        return;
    const float v = speed / kSoundFullSpeed;
    const bool noStop = shotCount <= 1;
    const char* file = nullptr;
    if (v >= 0.0f && v <= kSoftTop)
        file = kWaveSoft;
    else if (v > kSoftTop && v <= kMiddleTop)
        file = kWaveMiddle;
    else if (v > kMiddleTop && v <= kHardTop)
        file = kWaveHard;
    if (file != nullptr)
        output_.playWave(programDir_ + file, noStop);
}

void SoundRoom::playCushionSound(float speed, int /*shotCount*/) {
    if (soundMode_ == kSoundOff)
        return;
    const float v = speed / kSoundFullSpeed;
    if (v >= kCushionBottom && v <= kCushionTop)
        output_.playWave(programDir_ + kWaveCushion, false);
}

void SoundRoom::initBgmTable() {
    const BgmEntry tunes[kBgmTunesInUse] = {
        {"Take to You", "menu.mid", kTuneLengthSeconds, kComposer},
        {"To Your Holiday", "record.mid", kTuneLengthSeconds, kComposer},
        {"A Scent of Wind", "game1.mid", kTuneLengthSeconds, kComposer},
        {"Sweet Dreams", "game2.mid", kTuneLengthSeconds, kComposer},
        {"For Good", "game3.mid", kTuneLengthSeconds, kComposer},
    };
    for (int i = 0; i < kBgmTableSize; ++i) {
        bgmTable_[i] = i < kBgmTunesInUse ? tunes[i] : BgmEntry{};
        bgmTable_[i].composer = kComposer;
    }
    bgmWanted_ = 0;
    bgmPlaying_ = kBgmNone;
    updateRest();
}

void SoundRoom::requestMusic(int tune) {
    if (tune < kBgmNone || tune >= kBgmTableSize)
        return; // not a tune of the table
    bgmPlaying_ = bgmWanted_;
    bgmWanted_ = tune;
    updateRest();
}

void SoundRoom::closeAllTunes() {
    for (int i = 0; i < kBgmTunesInUse; ++i)
        output_.closeMusic(bgmTable_[i].fileName);
}

void SoundRoom::startTune(const std::string& caption) {
    const std::string& fileName = bgmTable_[bgmWanted_].fileName;
    output_.openMusic(fileName);
    output_.playMusic(fileName);
    showCaption(caption);
    bgmTicks_ = 0;
    bgmPlaying_ = bgmWanted_;
}

void SoundRoom::timBGM_Timer() {
    if (bgmWanted_ == kBgmNone) {
        closeAllTunes();
    } else if (bgmWanted_ != bgmPlaying_) {
        if (bgmPlaying_ != kBgmNone)
            closeAllTunes();
        startTune("Zandrel / " + quotedTune(bgmTable_[bgmWanted_]));
    } else {
        if (tickSeconds(bgmTicks_) > bgmTable_[bgmWanted_].lengthSeconds) {
            if (bgmPlaying_ != kBgmNone)
                closeAllTunes();
            if (!ballsMoving_)
                startTune("Zandrel Ver." + version_ + " --- " + quotedTune(bgmTable_[bgmWanted_]));
        }
        ++bgmTicks_;
    }
    if (tickSeconds(bgmTicks_) > kTickWrapSeconds)
        bgmTicks_ = 0;
}

void SoundRoom::showCaption(const std::string& text) {
    if (caption_)
        caption_(text);
}

} // namespace zandrel
