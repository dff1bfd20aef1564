// The real mixer on SDL's disk audio driver (which writes the mixed samples to
// a file), and on a driver that cannot open.

#include "game/fake_view.h"
#include "game/game.h"
#include "sound/sdl_mixer_output.h"
#include "sound/sound_room.h"
#include "support/test_files.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace zandrel {
namespace {

using testing::EnvGuard;
using testing::TempConfigDir;

/// The game's contact sounds, straight to a sound room, counted.
struct ToRoom : GameSound {
    explicit ToRoom(SoundRoom& r) : room(r) {}
    void shotStarting() override { room.shotStarting(); }
    void playBallHitSound(float speed, int shotCount) override {
        ++contacts, room.playBallHitSound(speed, shotCount);
    }
    void playCushionSound(float speed, int shotCount) override {
        ++contacts, room.playCushionSound(speed, shotCount);
    }
    SoundRoom& room;
    int contacts = 0;
};

/// Plays one full-power shot of a fresh game to rest; returns its contacts.
int playOneShot(SoundRoom& room) {
    testing::FakeView view;
    ToRoom sound(room);
    Game game(view, view);
    game.setSound(sound);
    game.initGame();
    game.returnToMenu();
    game.lblLetsPlay_Click({GameKind::fourBall, 5, false});
    game.setPower(100);
    game.cmdShot_Click();
    for (int tick = 0; tick < 2000 && game.isShotRunning(); ++tick)
        game.Timer1_Timer();
    return sound.contacts;
}

/// Waits up to five seconds for a non-zero 16-bit sample in the file.
bool waitForSound(const std::string& path) {
    for (int i = 0; i < 250; ++i) {
        const std::string bytes = testing::readBytes(path);
        for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
            if (bytes[at] != 0 || bytes[at + 1] != 0)
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

const std::string kSounds = ZANDREL_SOURCE_DIR "/resources";

/// Waits up to five seconds for the device to go to rest.
bool waitForRest(const SdlMixerOutput& device) {
    for (int i = 0; i < 250 && device.isAwake(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return !device.isAwake();
}

TEST(SdlMixerOutput, AfterRestingTheDiskHoldsTheContactsOfAShotAndThenATune) {
    EXPECT_NE(findSoundFont().find("TimGM6mb"), std::string::npos)
        << "the small soundfont: " << findSoundFont();
    TempConfigDir dir;
    EnvGuard env;
    env.set("SDL_AUDIODRIVER", "disk");
    for (const bool tune : {false, true}) {
        const std::string out = dir.path() + (tune ? "/tune.raw" : "/shot.raw");
        env.set("SDL_DISKAUDIOFILE", out);
        SdlMixerOutput device(kSounds, std::chrono::milliseconds(50));
        ASSERT_TRUE(device.open());
        SoundRoom room(device, kSounds, "0.02");
        room.initBgmTable();
        room.switchMusic(false);
        ASSERT_TRUE(waitForRest(device));
        if (tune) {
            room.switchMusic(true);
            room.timBGM_Timer();
        } else {
            EXPECT_GT(playOneShot(room), 0);
        }
        EXPECT_TRUE(waitForSound(out)) << (tune ? "tune" : "shot");
        room.closeAllTunes();
    }
}

TEST(SdlMixerOutput, MissingFilesAndAnUnopenableDriverStaySilentWithOneLineAtMost) {
    TempConfigDir dir;
    EnvGuard env;
    env.set("SDL_AUDIODRIVER", "disk");
    env.set("SDL_DISKAUDIOFILE", dir.path() + "/missing.raw");
    {
        SdlMixerOutput device(dir.path());
        ASSERT_TRUE(device.open());
        ::testing::internal::CaptureStderr();
        device.playWave(dir.path() + "/none.wav", false);
        device.openMusic("none.mid");
        device.playMusic("none.mid");
        device.closeMusic("none.mid");
        device.openMusic("");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }

    // A driver SDL does not know, and ALSA without a sound card (which has
    // much to say about it on its own).
    env.set("ALSA_CARD", "zandrel-no-such-card");
    for (const char* driver : {"no-such-driver", "alsa"}) {
        env.set("SDL_AUDIODRIVER", driver);
        ::testing::internal::CaptureStderr();
        SdlMixerOutput device(kSounds);
        EXPECT_FALSE(device.open()) << driver;
        SoundRoom room(device, kSounds, "0.02");
        room.initBgmTable();
        EXPECT_GT(playOneShot(room), 0);
        for (int i = 0; i < 70; ++i)
            room.timBGM_Timer();
        room.closeAllTunes();
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_LE(std::count(said.begin(), said.end(), '\n'), 1) << driver << ": " << said;
    }
}

} // namespace
} // namespace zandrel
