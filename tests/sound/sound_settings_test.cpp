#include "sound/sound_settings.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zandrel {
namespace {

using testing::readBytes;
using testing::TempConfigDir;
using testing::writeBytes;

TEST(SoundSettings, StoredValuesReadAsStoredRunNormalised) {
    TempConfigDir dir;
    EXPECT_EQ(settingsFilePath(), dir.gameDir() + "ZANDREL.INI");
    EXPECT_EQ(loadSoundSettings(), (SoundSettings{1, -1})) << "no file: both on";
    EXPECT_FALSE(std::filesystem::exists(settingsFilePath())) << "loading writes nothing";
    // How the INI layer reads a number (blanks, quotes, case, first section) is checked with that layer.
    const std::tuple<std::string, SoundSettings, SoundSettings> cases[] = {
        {"SOUND= 0\nBGM= 0", {0, 0}, {0, 0}},
        {"SOUND=-1", {-1, -1}, {0, -1}},
        {"SOUND=2\nBGM=1", {2, 1}, {0, -1}},
        {"SOUND=70000\nBGM=-70000", {32767, -32768}, {0, -1}}};
    for (const auto& [lines, stored, running] : cases) {
        writeBytes(settingsFilePath(), "[PINDOR]\n" + lines + "\n[OTHER]\nSOUND=5\nBGM=5\n");
        EXPECT_EQ(loadSoundSettings(), stored) << lines;
        EXPECT_EQ(normalizeSoundSettings(stored), running) << lines;
    }
}

// Start-up applies the music switch first, then the sound switch.
TEST(SoundSettings, WithoutAFileStartUpWritesBothSwitchesOn) {
    TempConfigDir dir;
    const SoundSettings stored = loadSoundSettings();
    ASSERT_TRUE(saveBgmMode(stored.isBGMOn) && saveSoundMode(stored.soundMode));
    EXPECT_EQ(readBytes(settingsFilePath()), "[PINDOR]\nBGM=-1\nSOUND= 1\n");
}

TEST(SoundSettings, EachSwitchIsWrittenNormalised) {
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
}

} // namespace
} // namespace zandrel
