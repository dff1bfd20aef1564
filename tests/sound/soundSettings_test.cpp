#include "platform/file_helpers.h"
#include "platform/random_profile.h"
#include "sound/soundSettings.h"
#include "support/temp_config_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zandrel {
namespace {

using testing::readBytes;
using testing::TempConfigDir;
using testing::writeBytes;

class SettingsFile : public ::testing::Test {
protected:
    void write(std::string_view contents) { writeBytes(settingsFilePath(), contents); }
    std::string contents() const { return readBytes(settingsFilePath()); }

    TempConfigDir dir_;
};

TEST_F(SettingsFile, LivesInTheGamesFolder) {
    EXPECT_EQ(settingsFilePath(), dir_.gameDir() + "ZANDREL.INI");
}

TEST_F(SettingsFile, NoFileMeansSoundAndMusicOnAndLoadingWritesNothing) {
    EXPECT_EQ(loadSoundSettings(), (SoundSettings{1, -1}));
    EXPECT_FALSE(std::filesystem::exists(settingsFilePath()));
}

TEST_F(SettingsFile, StartUpWritesBothKeysNormalised) {
    ASSERT_TRUE(saveSoundSettings(normalizeSoundSettings(loadSoundSettings())));
    EXPECT_EQ(contents(), "[PINDOR]\nBGM=-1\nSOUND= 1\n");
}

struct LoadCase {
    std::string file;
    SoundSettings stored;
    SoundSettings running;
};

TEST_F(SettingsFile, StoredValuesAndHowTheGameRunsThem) {
    const LoadCase cases[] = {
        {"[PINDOR]\nSOUND= 1\nBGM=-1\n", {1, -1}, {1, -1}},
        {"[PINDOR]\nSOUND= 0\nBGM= 0\n", {0, 0}, {0, 0}},
        {"[PINDOR]\nSOUND=-1\n", {-1, -1}, {0, -1}},
        {"[PINDOR]\nSOUND=2\nBGM=1\n", {2, 1}, {0, -1}},
        {"[pindor]\r\nsound = 0 \r\nbgm = 0 \r\n", {0, 0}, {0, 0}},
        {"[PINDOR]\nHiColor=1\n", {1, -1}, {1, -1}},
        {"[OTHER]\nSOUND=0\nBGM=0\n", {1, -1}, {1, -1}},
        {"[PINDOR]\nSOUND=abc\nBGM=\n", {1, -1}, {1, -1}},
        {"[PINDOR]\nSOUND=70000\nBGM=-70000\n", {32767, -32768}, {0, -1}},
        {"[PINDOR]\nSOUND=65537\nBGM=65536\n", {32767, 32767}, {0, -1}},
        {"[PINDOR]\nSOUND=1 \nBGM=0x1\n", {1, 0}, {1, 0}},
    };
    for (const auto& c : cases) {
        write(c.file);
        const auto stored = loadSoundSettings();
        EXPECT_EQ(stored, c.stored) << c.file;
        EXPECT_EQ(normalizeSoundSettings(stored), c.running) << c.file;
    }
}

TEST(FormatSettingValue, LeadingBlankForNonNegativeNumbers) {
    const std::pair<int, std::string> cases[] = {
        {1, " 1"}, {0, " 0"}, {-1, "-1"}, {32767, " 32767"}, {-32768, "-32768"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(formatSettingValue(value), text);
}

TEST_F(SettingsFile, EachSwitchIsWrittenInItsNormalisedForm) {
    const std::tuple<bool (*)(int, const std::string&), int, std::string> cases[] = {
        {saveSoundMode, 1, "SOUND= 1"},  {saveSoundMode, 0, "SOUND= 0"}, {saveSoundMode, 2, "SOUND= 0"},
        {saveSoundMode, -1, "SOUND= 0"}, {saveBgmMode, -1, "BGM=-1"},    {saveBgmMode, 0, "BGM= 0"},
        {saveBgmMode, 1, "BGM=-1"},
    };
    for (const auto& [save, value, line] : cases) {
        std::filesystem::remove(settingsFilePath());
        ASSERT_TRUE(save(value, settingsFilePath()));
        EXPECT_EQ(contents(), "[PINDOR]\n" + line + "\n") << value;
    }
}

TEST_F(SettingsFile, HandEditedValuesAreRewrittenAndOtherLinesKept) {
    write("; my settings\r\n[PINDOR]\r\nHiColor=1\r\nSOUND = -1\r\nBGM=1\r\n[Other]\r\nx=y\r\n");
    ASSERT_TRUE(saveSoundSettings(normalizeSoundSettings(loadSoundSettings())));
    EXPECT_EQ(contents(),
              "; my settings\r\n[PINDOR]\r\nHiColor=1\r\nSOUND= 0\r\nBGM=-1\r\n[Other]\r\nx=y\r\n");
    EXPECT_EQ(loadSoundSettings(), (SoundSettings{0, -1}));
}

TEST_F(SettingsFile, MenuToggleThenIconClickWritesTheSameValue) {
    ASSERT_TRUE(saveSoundSettings({1, -1}));
    ASSERT_TRUE(saveSoundMode(0)); // the menu item turns the sound off
    EXPECT_EQ(loadSoundSettings().soundMode, 0);
    ASSERT_TRUE(saveSoundMode(0)); // the still-visible "on" icon turns it off again
    EXPECT_EQ(contents(), "[PINDOR]\nBGM=-1\nSOUND= 0\n");
}

TEST(SettingsWriteFailure, BlockedFolderReturnsFalseWithoutThrowing) {
    TempConfigDir dir;
    writeBytes(dir.path() + "/zandrel", "a file where the folder should be");
    EXPECT_FALSE(saveSoundMode(1));
    EXPECT_FALSE(saveBgmMode(0));
    EXPECT_FALSE(saveSoundSettings({1, -1}));
    EXPECT_EQ(loadSoundSettings(), (SoundSettings{1, -1}));
}

TEST(SettingsFuzz, HostileFilesLoadIntoDefinedValuesAndSaveReadsBack) {
    TempConfigDir dir;
    testing::RandomProfile random;
    const auto path = settingsFilePath();
    for (int i = 0; i < testing::kFuzzFileCount; ++i) {
        writeBytes(path, random.next(i));
        const auto stored = loadSoundSettings();
        ASSERT_GE(stored.soundMode, -32768) << "file " << i;
        ASSERT_LE(stored.soundMode, 32767) << "file " << i;
        ASSERT_GE(stored.isBGMOn, -32768) << "file " << i;
        ASSERT_LE(stored.isBGMOn, 32767) << "file " << i;
        const auto running = normalizeSoundSettings(stored);
        ASSERT_TRUE(running.soundMode == 1 || running.soundMode == 0) << "file " << i;
        ASSERT_TRUE(running.isBGMOn == -1 || running.isBGMOn == 0) << "file " << i;
        ASSERT_TRUE(saveSoundSettings(running)) << "file " << i;
        ASSERT_EQ(loadSoundSettings(), running) << "file " << i;
    }
}

} // namespace
} // namespace zandrel
