#include "sound/sound_settings.h"
#include "support/random_profile.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zandrel {
namespace {

using testing::readBytes;
using testing::TempConfigDir;
using testing::writeBytes;

TEST(SoundSettings, NoFileMeansBothOnAndStartUpWritesBothKeysNormalised) {
    TempConfigDir dir;
    EXPECT_EQ(settingsFilePath(), dir.gameDir() + "ZANDREL.INI");
    EXPECT_EQ(loadSoundSettings(), (SoundSettings{1, -1}));
    EXPECT_FALSE(std::filesystem::exists(settingsFilePath())) << "loading writes nothing";
    ASSERT_TRUE(saveSoundSettings(normalizeSoundSettings(loadSoundSettings())));
    EXPECT_EQ(readBytes(settingsFilePath()), "[PINDOR]\nBGM=-1\nSOUND= 1\n");
}

TEST(SoundSettings, StoredValuesAndHowTheGameRunsThem) {
    TempConfigDir dir;
    const std::tuple<std::string, SoundSettings, SoundSettings> cases[] = {
        {"SOUND= 0\nBGM= 0", {0, 0}, {0, 0}},  {"SOUND=-1", {-1, -1}, {0, -1}},
        {"SOUND=2\nBGM=1", {2, 1}, {0, -1}},   {"sound = 0 \r\nbgm = 0 \r", {0, 0}, {0, 0}},
        {"SOUND=abc\nBGM=", {1, -1}, {1, -1}}, {"SOUND=70000\nBGM=-70000", {32767, -32768}, {0, -1}},
        {"SOUND=1 \nBGM=0x1", {1, 0}, {1, 0}}, {"SOUND=\"0\"\nBGM=\"0\"", {0, 0}, {0, 0}},
        {"SOUND='0'", {0, -1}, {0, -1}},       {"SOUND='-1'", {-1, -1}, {0, -1}},
        {"SOUND=\"0'", {1, -1}, {1, -1}},      {"BGM=0\n[PINDOR]\nSOUND=0", {1, 0}, {1, 0}}};
    for (const auto& [lines, stored, running] : cases) {
        writeBytes(settingsFilePath(), "[PINDOR]\n" + lines + "\n[OTHER]\nSOUND=5\nBGM=5\n");
        EXPECT_EQ(loadSoundSettings(), stored) << lines;
        EXPECT_EQ(normalizeSoundSettings(stored), running) << lines;
    }
}

TEST(SoundSettings, EachSwitchIsWrittenNormalisedKeepingOtherLines) {
    TempConfigDir dir;
    const std::tuple<bool (*)(int, const std::string&), int, std::string> cases[] = {
        {saveSoundMode, 1, "SOUND= 1"},  {saveSoundMode, 0, "SOUND= 0"}, {saveSoundMode, 2, "SOUND= 0"},
        {saveSoundMode, -1, "SOUND= 0"}, {saveBgmMode, -1, "BGM=-1"},    {saveBgmMode, 0, "BGM= 0"},
        {saveBgmMode, 1, "BGM=-1"}};
    for (const auto& [save, value, line] : cases) {
        std::filesystem::remove(settingsFilePath());
        ASSERT_TRUE(save(value, settingsFilePath()));
        EXPECT_EQ(readBytes(settingsFilePath()), "[PINDOR]\n" + line + "\n") << value;
    }
    EXPECT_EQ(formatSettingValue(32767), " 32767");
    EXPECT_EQ(formatSettingValue(-32768), "-32768");

    writeBytes(settingsFilePath(),
               "; mine\r\n[PINDOR]\r\nHiColor=1\r\nSOUND = -1\r\nBGM=1\r\n[Other]\r\nx=y\r\n");
    ASSERT_TRUE(saveSoundSettings(normalizeSoundSettings(loadSoundSettings())));
    EXPECT_EQ(readBytes(settingsFilePath()),
              "; mine\r\n[PINDOR]\r\nHiColor=1\r\nSOUND= 0\r\nBGM=-1\r\n[Other]\r\nx=y\r\n");

    // A key only in a second section of the name goes into the first, where reads look.
    writeBytes(settingsFilePath(), "[PINDOR]\nBGM=0\n[PINDOR]\nSOUND=0\n");
    ASSERT_TRUE(saveSoundMode(0));
    EXPECT_EQ(readBytes(settingsFilePath()), "[PINDOR]\nBGM=0\nSOUND= 0\n[PINDOR]\nSOUND=0\n");
    EXPECT_EQ(loadSoundSettings(), (SoundSettings{0, 0}));
}

TEST(SoundSettings, BlockedFolderReturnsFalseWithoutThrowing) {
    TempConfigDir dir;
    writeBytes(dir.path() + "/zandrel", "a file where the folder should be");
    EXPECT_FALSE(saveSoundMode(1));
    EXPECT_FALSE(saveBgmMode(0));
    EXPECT_FALSE(saveSoundSettings({1, -1}));
    EXPECT_EQ(loadSoundSettings(), (SoundSettings{1, -1}));
}

TEST(SoundSettings, HostileFilesLoadIntoDefinedValuesAndSaveReadsBack) {
    TempConfigDir dir;
    testing::RandomProfile random;
    for (int i = 0; i < testing::kFuzzFileCount; ++i) {
        writeBytes(settingsFilePath(), random.next(i));
        const auto stored = loadSoundSettings();
        ASSERT_TRUE(stored.soundMode >= -32768 && stored.soundMode <= 32767) << "file " << i;
        ASSERT_TRUE(stored.isBGMOn >= -32768 && stored.isBGMOn <= 32767) << "file " << i;
        const auto running = normalizeSoundSettings(stored);
        ASSERT_TRUE((running.soundMode == 1 || running.soundMode == 0) &&
                    (running.isBGMOn == -1 || running.isBGMOn == 0));
        if (i % 3 == 0) { // writing is slow (fsync): every third file
            ASSERT_TRUE(saveSoundSettings(running)) << "file " << i;
            ASSERT_EQ(loadSoundSettings(), running) << "file " << i;
        }
    }
}

} // namespace
} // namespace zandrel
