#include "platform/private_profile.h"
#include "recording_output.h"
#include "sound/sound_room.h"
#include "support/test_files.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zandrel {
namespace {

using testing::RecordingOutput;
using testing::TempConfigDir;
using Calls = std::vector<std::string>;

const Calls kCloseAll = {"close menu.mid", "close record.mid", "close game1.mid", "close game2.mid",
                         "close game3.mid"};
const std::string kMenuCaption = "Zandrel / BGM:\"Take to You\" by Quib";
const std::string kMenuRestartCaption = "Zandrel Ver.0.02 --- BGM:\"Take to You\" by Quib";

Calls operator+(Calls a, const Calls& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Room {
    TempConfigDir dir;
    RecordingOutput output;
    SoundRoom room{output, "/games/zandrel", "0.02"};
    std::vector<std::string> captions;
    std::vector<bool> timer; ///< what the room told the music timer

    Room() {
        room.setCaptionHandler([this](const std::string& text) { captions.push_back(text); });
        room.setMusicTimer([this](bool run) { timer.push_back(run); });
    }
    /// Runs `n` ticks, with the balls at rest or moving, and returns the device calls they made.
    Calls ticks(int n, bool atRest = true) {
        atRest ? room.shotOver() : room.shotStarting();
        for (int i = 0; i < n; ++i)
            room.timBGM_Timer();
        return output.take();
    }
    std::string setting(const char* key) {
        return getPrivateProfileString("PINDOR", key, "", settingsFilePath());
    }
};

enum Kind { ball, cushion };
const std::string kGameDir = "/games/zandrel";
/// A contact, its speed and shot count, and the call it makes ("" none): the
/// band picks the wave, the first shot (count 1 or less) adds no-stop to a ball's.
const std::tuple<Kind, float, int, std::string> kContacts[] = {
    {ball, 0.0f, 1, "wave " + kGameDir + "/vmin.wav nostop"},
    {ball, 1440.0f, 1, "wave " + kGameDir + "/vmin.wav nostop"},
    {ball, 1441.0f, 0, "wave " + kGameDir + "/vmid.wav nostop"},
    {ball, 2880.0f, 2, "wave " + kGameDir + "/vmid.wav"},
    {ball, 2881.0f, 7, "wave " + kGameDir + "/vmax.wav"},
    {ball, 24000.0f, 2, "wave " + kGameDir + "/vmax.wav"},
    {ball, 24010.0f, 2, ""},
    {ball, -1.0f, 2, ""},
    {ball, NAN, 2, ""},
    {cushion, 47.0f, 2, ""},
    {cushion, 48.0f, 1, "wave " + kGameDir + "/meetwall.wav"},
    {cushion, 48000.0f, 0, "wave " + kGameDir + "/meetwall.wav"},
    {cushion, 48010.0f, 2, ""},
};

void playContact(SoundRoom& room, Kind kind, float speed, int shotCount) {
    kind == ball ? room.playBallHitSound(speed, shotCount) : room.playCushionSound(speed, shotCount);
}

TEST(ContactSounds, WhatEachContactPlays) {
    Room r;
    r.room.switchSound(true);
    for (const auto& [kind, speed, shotCount, expected] : kContacts) {
        playContact(r.room, kind, speed, shotCount);
        EXPECT_EQ(r.output.take(), expected.empty() ? Calls{} : Calls{expected})
            << speed << " shot " << shotCount;
    }
}

TEST(ContactSounds, SoundOffSilencesEveryContact) {
    Room r;
    r.room.switchSound(false);
    for (const auto& [kind, speed, shotCount, expected] : kContacts) {
        playContact(r.room, kind, speed, shotCount);
        EXPECT_EQ(r.output.take(), Calls{}) << speed << " shot " << shotCount;
    }
}

TEST(SoundSwitches, TheSoundSwitchIsWrittenAtOnce) {
    Room r;
    testing::writeBytes(settingsFilePath(), "[PINDOR]\nSOUND=2\nBGM=5\n");
    r.room.loadSettings();
    EXPECT_EQ(std::pair(r.room.soundMode(), r.room.isBgmOn()), std::pair(2, 5)) << "as stored until applied";

    r.room.switchSound(false);
    EXPECT_EQ(r.setting("SOUND"), "0");
    r.room.toggleSound();
    EXPECT_EQ(r.room.soundMode(), 1);
    EXPECT_EQ(r.setting("SOUND"), "1");
}

TEST(SoundSwitches, TheMusicSwitchStopsTheTuneThenStartsTheMenuTune) {
    Room r;
    r.room.initBgmTable();
    r.room.requestMusic(2);
    r.room.switchMusic(false);
    EXPECT_EQ(r.output.take(), kCloseAll) << "music off stops the tune at once";
    EXPECT_EQ(std::pair(r.room.bgmWanted(), r.room.bgmPlaying()), std::pair(-1, 2));
    EXPECT_EQ(r.timer, (std::vector<bool>{true, false})) << "the timer runs from the start, stops now";
    EXPECT_EQ(r.setting("BGM"), "0");
    EXPECT_EQ(r.ticks(1), kCloseAll) << "silence: every tick closes all five";

    r.room.requestMusic(2); // asked while the music is off: wanted, never played
    EXPECT_EQ(r.room.bgmWanted(), 2);
    r.room.switchMusic(true);
    EXPECT_EQ(r.timer, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(r.setting("BGM"), "-1");
    EXPECT_EQ(r.ticks(1), (Calls{"open menu.mid", "play menu.mid"})) << "the menu tune, not the request";
    EXPECT_EQ(r.captions, Calls{kMenuCaption});
}

TEST(SoundRoom, TheDeviceRestsWhileNoTuneIsWantedWakingForAShotOrATune) {
    Room r;
    r.room.initBgmTable();
    r.room.switchMusic(false);
    r.room.shotStarting();
    r.room.playBallHitSound(100.0f, 1);
    EXPECT_EQ(r.output.power, (Calls{"rest", "wake 30000"}));
    EXPECT_EQ(r.output.take().back(), "wave /games/zandrel/vmin.wav nostop") << "right after the wake";
    r.room.switchSound(false);
    r.room.shotStarting();  // nothing to hear
    r.room.requestMusic(2); // asked with the music off
    r.room.switchMusic(true);
    r.room.requestMusic(-1);
    r.room.requestMusic(0);
    EXPECT_EQ(r.output.power, (Calls{"rest", "wake 30000", "stay", "wake 0", "rest", "stay", "wake 0"}));
}

TEST(MusicSequencer, NewTuneNextTickThenRestartsOnTick62ThenEvery61AtRest) {
    Room r;
    r.room.initBgmTable();
    EXPECT_EQ(r.room.bgmEntry(10).composer, "Quib");
    EXPECT_EQ(r.ticks(1), (Calls{"open menu.mid", "play menu.mid"})) << "nothing was playing: no close";
    EXPECT_EQ(r.ticks(61), Calls{});
    const Calls restart = kCloseAll + Calls({"open menu.mid", "play menu.mid"});
    EXPECT_EQ(r.ticks(1), restart) << "the 62nd tick after the starting one";
    EXPECT_EQ(r.ticks(60), Calls{});
    EXPECT_EQ(r.ticks(1), restart) << "61 ticks after a restart";
    EXPECT_EQ(r.captions, (Calls{kMenuCaption, kMenuRestartCaption, kMenuRestartCaption}));

    r.room.requestMusic(2); // "Let's Play!"
    EXPECT_EQ(r.ticks(1), kCloseAll + Calls({"open game1.mid", "play game1.mid"}));
    EXPECT_EQ(r.captions.back(), "Zandrel / BGM:\"A Scent of Wind\" by Quib");
    r.room.requestMusic(2); // the tune already wanted: nothing audible
    EXPECT_EQ(r.ticks(1), Calls{});
    r.room.requestMusic(0); // "Menu"
    EXPECT_EQ(r.ticks(1), kCloseAll + Calls({"open menu.mid", "play menu.mid"}));
    EXPECT_EQ(r.captions.back(), kMenuCaption);

    r.room.closeAllTunes(); // shutdown
    EXPECT_EQ(r.output.take(), kCloseAll);
}

TEST(MusicSequencer, RestartWaitsInSilenceForTheBalls) {
    Room r;
    r.room.initBgmTable();
    r.ticks(63);
    r.captions.clear();
    EXPECT_EQ(r.ticks(60, false), Calls{});
    EXPECT_EQ(r.ticks(1, false), kCloseAll) << "due while the balls move: closed, nothing opened";
    EXPECT_EQ(r.ticks(1, false), kCloseAll) << "and again on every tick";
    EXPECT_TRUE(r.captions.empty());
    EXPECT_EQ(r.ticks(1, true), kCloseAll + Calls({"open menu.mid", "play menu.mid"}));
    EXPECT_EQ(r.captions, Calls{kMenuRestartCaption});
    EXPECT_EQ(r.room.bgmTicks(), 1);
}

TEST(MusicSequencer, TheTickCounterWrapsAfterAnHour) {
    Room r;
    r.room.initBgmTable();
    r.ticks(1); // the tune starts: the count is 0
    r.ticks(7200, false);
    EXPECT_EQ(r.room.bgmTicks(), 7200);
    r.ticks(1, false);
    EXPECT_EQ(r.room.bgmTicks(), 0) << "more than an hour counted";
    EXPECT_EQ(r.ticks(1, true), Calls{}) << "the count starts over: not due yet";
}

} // namespace
} // namespace zandrel
