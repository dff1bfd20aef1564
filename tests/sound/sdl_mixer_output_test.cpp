// The real mixer on SDL's disk audio driver (which writes the mixed samples to
// a file) or its dummy driver, and on a driver that cannot open.

#include "game/fake_view.h"
#include "game/game.h"
#include "sound/sdl_mixer_output.h"
#include "sound/sound_room.h"
#include "support/test_files.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace zandrel {
namespace {

using namespace std::chrono_literals;
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
    game.lblLetsPlay_Click({}); // a four-ball rack, full power
    game.cmdShot_Click();
    for (int tick = 0; tick < 2000 && game.isShotRunning(); ++tick)
        game.Timer1_Timer();
    return sound.contacts;
}

/// Waits up to five seconds for `done()`.
template <typename Done> bool waitFor(Done done) {
    for (int i = 0; i < 250 && !done(); ++i)
        std::this_thread::sleep_for(20ms);
    return done();
}

/// Writes a wave file of a square tone `seconds` long (16-bit mono, 22,050 Hz).
void writeTone(const std::string& path, double seconds) {
    constexpr std::uint32_t kRate = 22050;
    const auto frames = static_cast<std::uint32_t>(seconds * kRate);
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>(value >> (8 * i) & 0xff);
    };
    bytes += "RIFF", put(36 + 2 * frames, 4), bytes += "WAVEfmt ", put(16, 4), put(1, 2), put(1, 2);
    put(kRate, 4), put(2 * kRate, 4), put(2, 2), put(16, 2), bytes += "data", put(2 * frames, 4);
    for (std::uint32_t i = 0; i < frames; ++i)
        put(i % 50 < 25 ? 0x1000 : 0xf000, 2);
    testing::writeBytes(path, bytes);
}

/// Bytes of one second of the open device's output; 0 when it is not open.
int outputBytesPerSecond() {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0)
        return 0;
    return frequency * channels * SDL_AUDIO_BITSIZE(format) / 8;
}

/// The length in seconds of the sound playing on the device's wave channel; 0 for none.
double playingSeconds() {
    const int bytesPerSecond = outputBytesPerSecond();
    if (Mix_Playing(0) == 0 || bytesPerSecond == 0)
        return 0;
    return static_cast<double>(Mix_GetChunk(0)->alen) / bytesPerSecond;
}

/// The loudest sample of 16-bit output, in steps from silence.
int loudestSample(const std::string& bytes) {
    int loudest = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    return loudest;
}

/// The synthesiser's dither: a tune that plays no note still wanders a step or
/// so from silence. Our quietest notes are hundreds of steps loud.
constexpr int kDither = 16;

/// A device opening that lets open() through and holds up the next one (a wake)
/// until released, as a slow sound server would. It gives up after five
/// seconds, which only a caller that waited for the opening would make it do.
struct SlowWake {
    std::promise<void> opening, released;
    bool gaveUp = false;
    MixerOptions options() {
        MixerOptions options;
        options.quietBeforeRest = 50ms;
        options.openDevice = [this, opens = 0]() mutable {
            if (opens++ > 0) {
                opening.set_value();
                gaveUp = released.get_future().wait_for(5s) == std::future_status::timeout;
            }
            return openAudioMixer();
        };
        return options;
    }
};

/// The tunes a device reports loaded, from their loading threads.
class TuneLoads {
public:
    MixerOptions options() {
        MixerOptions options;
        options.quietBeforeRest = 50ms;
        options.tuneLoaded = [this](const TuneLoad& load) {
            const std::lock_guard lock(mutex_);
            loads_.push_back(load);
            changed_.notify_all();
        };
        return options;
    }
    /// The loads so far, once there are `count` of them (five seconds at most).
    std::vector<TuneLoad> waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, 5s, [&] { return loads_.size() >= count; });
        return loads_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<TuneLoad> loads_;
};

/// Ends the test program, failed, when it is still alive `limit` after this was
/// made and it has not been dropped yet: a call that hangs fails the test within
/// seconds instead of holding up the suite. It says so on standard output, which
/// a test capturing standard error does not swallow.
class HangGuard {
public:
    HangGuard(std::chrono::seconds limit, std::string what)
        : watcher_([this, limit, what = std::move(what)] {
              std::unique_lock lock(mutex_);
              if (!dropped_.wait_for(lock, limit, [this] { return done_; })) {
                  std::printf("FAILED: %s: still not done after %lld s\n", what.c_str(),
                              static_cast<long long>(limit.count()));
                  std::fflush(stdout);
                  std::_Exit(EXIT_FAILURE);
              }
          }) {}
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
    ~HangGuard() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        dropped_.notify_all();
        watcher_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable dropped_;
    bool done_ = false;
    std::thread watcher_; ///< last: it starts once the rest is made
};

const std::string kSounds = ZANDREL_SOURCE_DIR "/resources";

/// A test folder, and SDL's dummy driver unless a test picks another.
class SdlMixerOutputTest : public ::testing::Test {
protected:
    SdlMixerOutputTest() { env.set("SDL_AUDIODRIVER", "dummy"); }
    TempConfigDir dir;
    EnvGuard env;
};

TEST_F(SdlMixerOutputTest, AfterRestingTheDiskHoldsAShotsContactsOrATune) {
    EXPECT_NE(findSoundFont().find("TimGM6mb"), std::string::npos)
        << "the small soundfont: " << findSoundFont();
    env.set("SDL_AUDIODRIVER", "disk");
    for (const bool tune : {false, true}) {
        const std::string out = dir.path() + (tune ? "/tune.raw" : "/shot.raw");
        env.set("SDL_DISKAUDIOFILE", out);
        MixerOptions options;
        options.quietBeforeRest = 50ms;
        SdlMixerOutput device(kSounds, options);
        ASSERT_TRUE(device.open());
        SoundRoom room(device, kSounds, "0.02");
        room.initBgmTable();
        room.switchMusic(false);
        ASSERT_TRUE(waitFor([&] { return !device.isAwake(); }));
        if (tune) {
            room.switchMusic(true);
            room.timBGM_Timer();
        } else {
            EXPECT_GT(playOneShot(room), 0);
        }
        EXPECT_TRUE(waitFor([&] {
            return testing::readBytes(out).find_first_not_of('\0') != std::string::npos;
        })) << (tune ? "tune" : "shot")
            << ": no sound in the file";
        room.closeAllTunes();
    }
}

// A wave sound asked for while the woken device still opens (the first contact
// of a shot) waits for it, and counts as playing for the no-stop rule.
TEST_F(SdlMixerOutputTest, NoStopKeepsAPlayingOrWaitingSoundOtherwiseTheNewOneReplacesIt) {
    const std::string first = dir.path() + "/first.wav", second = dir.path() + "/second.wav";
    writeTone(first, 2.0);
    writeTone(second, 1.0);
    struct Row {
        bool whileOpening;
        bool noStop;
        double heardSeconds;
    };
    for (const Row row :
         {Row{false, true, 2.0}, Row{false, false, 1.0}, Row{true, true, 2.0}, Row{true, false, 1.0}}) {
        SCOPED_TRACE(::testing::Message() << "opening " << row.whileOpening << ", noStop " << row.noStop);
        SlowWake slow;
        SdlMixerOutput device(dir.path(), slow.options());
        ASSERT_TRUE(device.open());
        if (row.whileOpening) {
            device.allowRest(true);
            ASSERT_TRUE(waitFor([&] { return !device.isAwake(); }));
            device.wake(kShotAwake);
            ASSERT_EQ(slow.opening.get_future().wait_for(5s), std::future_status::ready);
            EXPECT_FALSE(device.isAwake()) << "wake returns while the device opens";
        }
        device.playWave(first, true);
        device.playWave(second, row.noStop);
        slow.released.set_value();
        ASSERT_TRUE(waitFor([&] { return device.isAwake(); }));
        EXPECT_FALSE(slow.gaveUp) << "the caller waited for the opening";
        EXPECT_NEAR(playingSeconds(), row.heardSeconds, 0.01);
    }
}

TEST_F(SdlMixerOutputTest, ClosingWhileTheDeviceOpensWaitsForItThenLeavesItClosed) {
    std::atomic<int> opened{0};
    MixerOptions options;
    options.quietBeforeRest = 50ms;
    options.openDevice = [&opened] {
        if (opened > 0)
            std::this_thread::sleep_for(200ms); // a slow sound server on waking
        const bool open = openAudioMixer();
        ++opened;
        return open;
    };
    auto device = std::make_unique<SdlMixerOutput>(kSounds, options);
    ASSERT_TRUE(device->open());
    device->allowRest(true);
    ASSERT_TRUE(waitFor([&] { return !device->isAwake(); }));
    device->wake(kShotAwake);
    device->playWave(kSounds + kWaveHard, false);
    device->openMusic("menu.mid");
    device.reset();
    ASSERT_TRUE(waitFor([&] { return opened == 2; }));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

// A wave sound that failed, missing or holding no sound, is not read again at
// every contact, only once the device has opened again.
TEST_F(SdlMixerOutputTest, MissingFilesStaySilentUntilPutInPlaceAndTheDeviceOpensAgain) {
    for (const auto& [name, bytes] :
         {std::pair<const char*, std::optional<std::string>>{"missing", std::nullopt},
          {"empty", ""},
          {"junk", std::string(4096, 'z')}}) {
        SCOPED_TRACE(name);
        MixerOptions options;
        options.quietBeforeRest = 50ms;
        SdlMixerOutput device(dir.path(), options);
        ASSERT_TRUE(device.open());
        const std::string wave = dir.path() + "/" + name + ".wav";
        if (bytes)
            testing::writeBytes(wave, *bytes);
        ::testing::internal::CaptureStderr();
        device.playWave(wave, false);
        device.openMusic("none.mid");
        device.playMusic("none.mid");
        device.closeMusic("none.mid");
        device.openMusic("");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(playingSeconds(), 0);
        writeTone(wave, 1.0);
        device.playWave(wave, false);
        EXPECT_EQ(playingSeconds(), 0) << "looked for once per opening";
        device.allowRest(true);
        ASSERT_TRUE(waitFor([&] { return !device.isAwake(); }));
        device.wake(kShotAwake);
        ASSERT_TRUE(waitFor([&] { return device.isAwake(); }));
        device.playWave(wave, false);
        EXPECT_NEAR(playingSeconds(), 1.0, 0.01) << "the file once it is there";
    }
}

// Where a tune or the wave sounds should be, something that is no file or holds
// no sound. The mixer would crash on a folder, wait for ever on a FIFO nobody
// writes to, and read a device without end; a tune file it cannot make sense of
// must not pass for a missing soundfont, which would silence every tune after
// it. Each is as a missing file: not heard, nothing said, nothing waits on it.
TEST_F(SdlMixerOutputTest, ATuneOrWaveThatIsNoFileOrNoSoundIsAsMissingAndNothingWaitsOnIt) {
    namespace fs = std::filesystem;
    env.set("SDL_AUDIODRIVER", "disk");
    using Make = void (*)(const std::string&);
    struct Kind {
        const char* name; ///< also the game's folder
        const char* what;
        bool isFile;   ///< a plain file, which the mixer is given to read
        Make makeTune; ///< in place of the menu tune
        Make makeWave; ///< in place of each wave sound
    };
    const Make folder = [](const std::string& path) { fs::create_directory(path); };
    const Make fifo = [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path; };
    const Make zero = [](const std::string& path) { fs::create_symlink("/dev/zero", path); };
    const Make empty = [](const std::string& path) { testing::writeBytes(path, ""); };
    const Make junk = [](const std::string& path) { testing::writeBytes(path, std::string(4096, 'z')); };
    const Make cutTune = [](const std::string& path) { // in the middle of a track
        const std::string whole = testing::readBytes(kSounds + "/menu.mid");
        testing::writeBytes(path, whole.substr(0, whole.size() / 2));
    };
    const Make cutWave = [](const std::string& path) { // in its header
        testing::writeBytes(path, testing::readBytes(kSounds + kWaveHard).substr(0, 40));
    };
    const Make wave = [](const std::string& path) {
        testing::writeBytes(path, testing::readBytes(kSounds + kWaveHard));
    };
    for (const auto& [name, what, isFile, makeTune, makeWave] : {
             Kind{"folder", "a folder", false, folder, folder},
             Kind{"fifo", "a FIFO", false, fifo, fifo},
             Kind{"zero", "a link to /dev/zero", false, zero, zero},
             Kind{"empty", "empty files", true, empty, empty},
             Kind{"junk", "junk bytes", true, junk, junk},
             Kind{"cut", "files cut short", true, cutTune, cutWave},
             Kind{"wave", "a wave sound as the tune, empty waves", true, wave, empty},
         }) {
        SCOPED_TRACE(what);
        const HangGuard guard(10s, std::string("the sounds with ") + what + " in place of the files");
        // The game's folder: the menu tune and all four waves replaced, the game tune whole.
        const std::string program = dir.path() + "/" + name;
        fs::create_directories(program);
        fs::copy_file(kSounds + "/game1.mid", program + "/game1.mid");
        makeTune(program + "/menu.mid");
        for (const char* file : {kWaveSoft, kWaveMiddle, kWaveHard, kWaveCushion})
            makeWave(program + file);
        const std::string out = dir.path() + "/" + name + ".raw";
        env.set("SDL_DISKAUDIOFILE", out);
        const auto outputSize = [&out] {
            std::error_code error;
            const auto size = fs::file_size(out, error);
            return error ? 0 : size;
        };
        const auto heard = [&out] { return loudestSample(testing::readBytes(out)) > kDither; };
        TuneLoads loads;
        SdlMixerOutput device(program, loads.options());
        ASSERT_TRUE(device.open());
        SoundRoom room(device, program, "0.02");
        room.initBgmTable();
        ::testing::internal::CaptureStderr();
        room.timBGM_Timer(); // the menu tune
        EXPECT_GT(playOneShot(room), 0);
        EXPECT_EQ(playingSeconds(), 0) << "no contact is heard";
        EXPECT_EQ(loads.waitFor(1).size(), 1u);
        const auto halfASecondOn = outputSize() + outputBytesPerSecond() / 2;
        EXPECT_TRUE(waitFor([&] { return outputSize() >= halfASecondOn; }));
        EXPECT_FALSE(heard()) << "the menu tune is not heard";
        room.requestMusic(2); // "Let's Play!": the menu tune closes, the game tune starts
        room.timBGM_Timer();
        const std::vector<TuneLoad> seen = loads.waitFor(2);
        EXPECT_EQ(seen.size(), 2u) << "the game tune is loaded"; // (every row runs on)
        EXPECT_EQ(seen.at(0).fileName, "menu.mid");
        if (!isFile) {
            EXPECT_FALSE(seen.at(0).playable) << "not given to the mixer";
        }
        if (seen.size() == 2) {
            EXPECT_EQ(seen[1].fileName, "game1.mid");
            EXPECT_TRUE(seen[1].playable);
            EXPECT_TRUE(waitFor([] { return Mix_PlayingMusic() != 0; })) << "the game tune plays";
            EXPECT_TRUE(waitFor(heard)) << "the game tune is heard";
        }
        device.playWave(kSounds + kWaveHard, false);
        EXPECT_GT(playingSeconds(), 0) << "another wave sound plays";
        room.switchMusic(false);
        EXPECT_EQ(Mix_PlayingMusic(), 0);
        room.switchMusic(true);
        room.timBGM_Timer(); // the menu tune again: still silent, and closed at once
        room.closeAllTunes();
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
}

TEST_F(SdlMixerOutputTest, AnUnopenableDriverSaysOneLineAtMost) {
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

// The game plays on without its music. The soundfont is ours, or, where none of
// the usual places holds one, the mixer's default (the system's default-GM
// soundfont, which a forced SDL_SOUNDFONTS stands in for here).
TEST_F(SdlMixerOutputTest, ABrokenOrMissingSoundFontSaysSoInOneLineOverManyTunes) {
    const std::string whole = testing::readBytes(findSoundFont());
    ASSERT_GT(whole.size(), 100000u);
    env.set("SDL_MIXER_DISABLE_TIMIDITY", "1"); // no other MIDI player steps in
    env.set("SDL_FORCE_SOUNDFONTS", "1");
    enum class Given { ours, systemDefault, nothing };
    struct Row {
        const char* name;
        std::optional<std::string> bytes; ///< the soundfont file's; none: not there
        Given given;
    };
    for (const auto& [name, bytes, given] :
         {Row{"junk", std::string(4096, 'z'), Given::ours},
          Row{"truncated", whole.substr(0, 100000), Given::ours}, Row{"missing", std::nullopt, Given::ours},
          Row{"default-junk", std::string(4096, 'z'), Given::systemDefault},
          Row{"default-missing", std::nullopt, Given::systemDefault},
          Row{"none", std::nullopt, Given::nothing}}) {
        const std::string soundFont = dir.path() + "/" + name + ".sf2";
        if (bytes)
            testing::writeBytes(soundFont, *bytes);
        TuneLoads loads;
        MixerOptions options = loads.options();
        if (given == Given::ours) {
            options.soundFont = soundFont;
        } else {
            options.soundFontPlaces = {};
            env.set("SDL_SOUNDFONTS", given == Given::systemDefault ? soundFont : ";"); // ";": no file at all
        }
        SdlMixerOutput device(kSounds, options);
        ASSERT_TRUE(device.open());
        ::testing::internal::CaptureStderr();
        for (int tune = 0; tune < 4; ++tune) {
            device.openMusic("menu.mid");
            device.playMusic("menu.mid");
            device.closeMusic("menu.mid"); // after its loading
        }
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << name << ": " << said;
        const std::string why = !bytes && given != Given::ours
                                    ? std::string("no soundfont was found") +
                                          (given == Given::nothing ? "" : " at " + soundFont) +
                                          "; the timgm6mb-soundfont package provides one"
                                    : "the soundfont " + soundFont + " could not be loaded";
        EXPECT_THAT(said, ::testing::HasSubstr("without music (" + why + ")\n")) << name;
        const std::vector<TuneLoad> seen = loads.waitFor(1);
        ASSERT_EQ(seen.size(), 1u) << name << ": no tune is loaded after the first";
        EXPECT_FALSE(seen[0].playable) << name;
        device.playWave(kSounds + kWaveHard, false);
        EXPECT_GT(playingSeconds(), 0) << name << ": the contact sounds play on";
    }
}

// Resting closes the mixer, which then forgets the soundfont it was given; told
// none, it takes its own default (the system's default-GM soundfont) each time.
TEST_F(SdlMixerOutputTest, EveryTuneAfterARestLoadsTheSameSoundFont) {
    env.set("SDL_SOUNDFONTS", std::nullopt);
    env.set("SDL_FORCE_SOUNDFONTS", std::nullopt);
    for (const bool known : {true, false}) {
        SCOPED_TRACE(known ? "a soundfont in a usual place" : "none: the system's default");
        TuneLoads loads;
        MixerOptions options = loads.options();
        if (!known)
            options.soundFontPlaces = {};
        SdlMixerOutput device(kSounds, options);
        ASSERT_TRUE(device.open());
        const char* const mixerDefault = Mix_GetSoundFonts();
        ASSERT_NE(mixerDefault, nullptr) << "the system's default soundfont";
        const std::string expected = known ? findSoundFont() : mixerDefault;
        ::testing::internal::CaptureStderr();
        SoundRoom room(device, kSounds, "0.02");
        room.initBgmTable();
        constexpr std::size_t kRests = 2;
        [&] { // (stops at the first failed assertion, with standard error still captured)
            for (std::size_t rest = 0; rest <= kRests; ++rest) {
                if (rest > 0) {
                    room.switchMusic(false);
                    ASSERT_TRUE(waitFor([&] { return !device.isAwake(); })) << rest;
                    room.switchMusic(true);
                }
                room.timBGM_Timer(); // the menu tune
                ASSERT_EQ(loads.waitFor(rest + 1).size(), rest + 1) << "after rest " << rest;
                EXPECT_TRUE(waitFor([] { return Mix_PlayingMusic() != 0; })) << "after rest " << rest;
            }
        }();
        for (const TuneLoad& load : loads.waitFor(kRests + 1)) {
            EXPECT_EQ(load.soundFonts, std::vector{expected});
            EXPECT_TRUE(load.playable);
        }
        room.closeAllTunes();
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
}

// The mixer's MIDI loader is not safe on two threads at once, least of all for
// the first tunes after the mixer opens.
TEST_F(SdlMixerOutputTest, TunesOpenedTogetherAllLoad) {
    const std::vector<std::string> tunes = {"menu.mid", "game1.mid", "game2.mid"};
    for (int round = 0; round < 8; ++round) {
        TuneLoads loads;
        SdlMixerOutput device(kSounds, loads.options());
        ASSERT_TRUE(device.open());
        std::thread other([&] { device.openMusic(tunes[0]); });
        device.openMusic(tunes[1]);
        device.openMusic(tunes[2]); // back to back with the one before
        other.join();
        const std::vector<TuneLoad> seen = loads.waitFor(tunes.size());
        ASSERT_EQ(seen.size(), tunes.size()) << "round " << round;
        for (const TuneLoad& load : seen) {
            EXPECT_TRUE(load.playable) << load.fileName;
            EXPECT_EQ(load.soundFonts, std::vector{findSoundFont()}) << load.fileName;
        }
        for (const std::string& tune : tunes)
            device.closeMusic(tune);
    }
}

} // namespace
} // namespace zandrel
