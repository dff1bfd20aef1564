#include "platform/file_helpers.h"
#include "platform/textDecoding.h"
#include "records/records.h"
#include "support/temp_config_dir.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

using testing::TempConfigDir;
using testing::writeBytes;

std::string padded(std::string_view text, std::size_t bytes) {
    return std::string(text) + std::string(bytes - text.size(), ' ');
}

const std::string kTaroUtf8 = "\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86";
const std::string kTaroCp932 = "\x82\xbd\x82\xeb\x82\xa4";

/// A records file in the test's own config folder, at the place the game looks.
class RecordsFile : public ::testing::Test {
protected:
    void write(std::string_view contents) { writeBytes(recordsFilePath(), contents); }

    Records load() {
        Records records;
        loadLevelOfTove(records);
        loadSoloRecord(records);
        loadVsCpuRecord(records);
        return records;
    }

    TempConfigDir dir_;
};

TEST_F(RecordsFile, LivesInTheGamesFolder) {
    EXPECT_EQ(recordsFilePath(), dir_.gameDir() + "ZDSCORE.INI");
}

TEST_F(RecordsFile, NoFileGivesTheDefaultsEverywhere) {
    const auto records = load();
    EXPECT_EQ(records.levelOfTovi, 1);
    for (int row = kFirstLoadedRow; row <= kLastLoadedRow; ++row) {
        const auto& solo = records.soloRecords[static_cast<std::size_t>(row)];
        EXPECT_EQ(solo.name, padded("tovi", 20));
        EXPECT_EQ(solo.shots, 0);
        EXPECT_EQ(solo.turn, 10);
        EXPECT_EQ(solo.time, 3600);
        EXPECT_EQ(solo.ballsText, "000000000");
        EXPECT_EQ(solo.ballCount, 0);
        EXPECT_EQ(solo.date, "98/01/01");
        const auto& vs = records.vsCpuRecords[static_cast<std::size_t>(row)];
        EXPECT_EQ(vs.name, padded("tovi", 20));
        EXPECT_EQ(vs.date, "98/01/01");
        EXPECT_EQ(vs.time, 3600);
        EXPECT_EQ(vs.youWon, 0);
        EXPECT_EQ(vs.cpuWon, 0);
        EXPECT_EQ(vs.levelOfTovi, 0);
    }
    // Rows 0 and 11 are never filled.
    for (std::size_t row : {std::size_t{0}, kRecordRows - 1}) {
        EXPECT_EQ(records.soloRecords[row], SoloRecord{});
        EXPECT_EQ(records.vsCpuRecords[row], VsCpuRecord{});
    }
    EXPECT_FALSE(std::filesystem::exists(recordsFilePath())) << "the records file is never written";
}

TEST_F(RecordsFile, EveryKeyLandsInItsOwnFieldAndRow) {
    std::string text = "[SOLO]\n";
    for (int r = 1; r <= 10; ++r) {
        const auto n = (r < 10 ? "0" : "") + std::to_string(r);
        text += "Shots" + n + "=" + std::to_string(100 + r) + "\n";
        text += "Time" + n + "=" + std::to_string(200 + r) + "\n";
        text += "Turn" + n + "=" + std::to_string(300 + r) + "\n";
        text += "Name" + n + "=solo" + std::to_string(r) + "\n";
        text += "Balls" + n + "=" + std::string(static_cast<std::size_t>(r - 1), '1') + "\n";
        text += "Date" + n + "=24/01/" + n + "\n";
    }
    text += "[VSCPU]\n";
    for (int r = 1; r <= 10; ++r) {
        const auto n = (r < 10 ? "0" : "") + std::to_string(r);
        text += "Name" + n + "=vs" + std::to_string(r) + "\n";
        text += "Date" + n + "=23/12/" + n + "\n";
        text += "Time" + n + "=" + std::to_string(400 + r) + "\n";
        text += "YouWon" + n + "=" + std::to_string(500 + r) + "\n";
        text += "CPUWon" + n + "=" + std::to_string(600 + r) + "\n";
        text += "LevelOfTovi" + n + "=" + std::to_string(700 + r) + "\n";
    }
    text += "[TOVI]\nLV=7\n";
    write(text);

    const auto records = load();
    EXPECT_EQ(records.levelOfTovi, 7);
    for (int r = 1; r <= 10; ++r) {
        const auto n = (r < 10 ? "0" : "") + std::to_string(r);
        const auto& solo = records.soloRecords[static_cast<std::size_t>(r)];
        EXPECT_EQ(solo.shots, 100 + r);
        EXPECT_EQ(solo.time, 200 + r);
        EXPECT_EQ(solo.turn, 300 + r);
        EXPECT_EQ(solo.name, padded("solo" + std::to_string(r), 20));
        EXPECT_EQ(solo.ballsText, padded(std::string(static_cast<std::size_t>(r - 1), '1'), 9));
        EXPECT_EQ(solo.ballCount, 9) << "blanks and ones all count";
        EXPECT_EQ(solo.date, "24/01/" + n);
        const auto& vs = records.vsCpuRecords[static_cast<std::size_t>(r)];
        EXPECT_EQ(vs.name, padded("vs" + std::to_string(r), 20));
        EXPECT_EQ(vs.date, "23/12/" + n);
        EXPECT_EQ(vs.time, 400 + r);
        EXPECT_EQ(vs.youWon, 500 + r);
        EXPECT_EQ(vs.cpuWon, 600 + r);
        EXPECT_EQ(vs.levelOfTovi, 700 + r);
    }
}

TEST_F(RecordsFile, RowKeysHaveTwoDigitsAndIgnoreCase) {
    write("[solo]\nShots1=11\nshots02=22\nSHOTS10=100\nShots11=111\nShots00=1\n");
    const auto records = load();
    EXPECT_EQ(records.soloRecords[1].shots, 0) << "\"Shots1\" is not row 1's key";
    EXPECT_EQ(records.soloRecords[2].shots, 22);
    EXPECT_EQ(records.soloRecords[10].shots, 100);
    EXPECT_EQ(records.soloRecords[11].shots, 0);
    EXPECT_EQ(records.soloRecords[0].shots, 0);
}

TEST_F(RecordsFile, LevelIsClampedToOneThroughEleven) {
    const std::pair<std::string, int> cases[] = {
        {"", 1},      {"LV=5", 5},  {"LV=1", 1},      {"LV=11", 11},    {"LV=15", 11},
        {"LV=0", 1},  {"LV=-3", 1}, {"LV=99999", 11}, {"LV=-99999", 1}, {"LV=abc", 1},
        {"LV=7x", 7}, {"LV=", 1},   {"lv = 12 ", 11}};
    for (const auto& [line, level] : cases) {
        write("[TOVI]\n" + line + "\n");
        Records records;
        records.levelOfTovi = 99;
        loadLevelOfTove(records);
        EXPECT_EQ(records.levelOfTovi, level) << line;
    }
}

TEST_F(RecordsFile, IntegersBeyondSixteenBitsAreClampedAndNonNumbersDefault) {
    write("[SOLO]\nShots01=40000\nTime01=-99999\nTurn01=abc\nShots02=32767\nTime02=-32768\n"
          "Shots03=99999999999999999999999\nTurn03=12 innings\n");
    const auto records = load();
    EXPECT_EQ(records.soloRecords[1].shots, 32767);
    EXPECT_EQ(records.soloRecords[1].time, -32768);
    EXPECT_EQ(records.soloRecords[1].turn, 10);
    EXPECT_EQ(records.soloRecords[2].shots, 32767);
    EXPECT_EQ(records.soloRecords[2].time, -32768);
    EXPECT_EQ(records.soloRecords[3].shots, 32767);
    EXPECT_EQ(records.soloRecords[3].turn, 12);
}

struct TextCase {
    std::string stored;
    std::string name; ///< the field as held, 20 characters
};

TEST_F(RecordsFile, NamesAreDecodedAndFittedToTwentyCharacters) {
    std::string cjk25Utf8;
    for (int i = 0; i < 25; ++i)
        cjk25Utf8 += "\xE6\x97\xA5";
    std::string cjk25Cp932;
    for (int i = 0; i < 25; ++i)
        cjk25Cp932 += "\x93\xfa";
    const TextCase cases[] = {
        {"taro", padded("taro", 20)},
        {kTaroCp932, kTaroUtf8 + std::string(17, ' ')},
        {kTaroUtf8, kTaroUtf8 + std::string(17, ' ')},
        {"abcdefghijklmnopqrstuvwxy", "abcdefghijklmnopqrst"},
        {cjk25Utf8, cjk25Utf8.substr(0, 60)},
        {cjk25Cp932, cjk25Utf8.substr(0, 60)},
        {std::string("ab\0cd", 5), padded("ab", 20)},
        {"  spaced  name  ", padded("spaced  name", 20)},
        {std::string("  \0tail", 7), std::string(20, ' ')},
        {"", std::string(20, ' ')},
        {"\xFF", std::string(kReplacementCharacter) + std::string(19, ' ')},
    };
    for (const auto& c : cases) {
        write("[SOLO]\nName01=" + c.stored + "\n[VSCPU]\nName01=" + c.stored + "\n");
        const auto records = load();
        EXPECT_EQ(records.soloRecords[1].name, c.name) << ::testing::PrintToString(c.stored);
        EXPECT_EQ(records.vsCpuRecords[1].name, c.name) << ::testing::PrintToString(c.stored);
        EXPECT_EQ(countCharacters(records.soloRecords[1].name), kRecordNameLength);
    }
}

TEST_F(RecordsFile, BallsAndDateAreFittedToTheirLengths) {
    write("[SOLO]\nBalls01=001100000\nBalls02=1\nBalls03=0000000000001\nBalls04=\nDate01=2024/01/01\n"
          "Date02=24/1/1\n");
    const auto records = load();
    EXPECT_EQ(records.soloRecords[1].ballsText, "001100000");
    EXPECT_EQ(records.soloRecords[1].ballCount, 2);
    EXPECT_EQ(records.soloRecords[2].ballsText, "1        ");
    EXPECT_EQ(records.soloRecords[2].ballCount, 9);
    EXPECT_EQ(records.soloRecords[3].ballsText, "000000000");
    EXPECT_EQ(records.soloRecords[3].ballCount, 0);
    EXPECT_EQ(records.soloRecords[4].ballsText, std::string(9, ' '));
    EXPECT_EQ(records.soloRecords[4].ballCount, 9);
    EXPECT_EQ(records.soloRecords[1].date, "2024/01/");
    EXPECT_EQ(records.soloRecords[2].date, "24/1/1  ");
}

TEST(GetNumOfBallFromBalls, CountsPositionsOneToNineThatAreNotZero) {
    const std::pair<std::string, int> cases[] = {
        {"000000000", 0},
        {"001100000", 2},
        {"111111111", 9},
        {"1", 9},
        {"", 9},
        {"0", 8},
        {"00000000", 1},
        {"0000000001", 0},
        {"100000000", 1},
        {"0 0 0 0 0", 4},
        {"000000000   ", 0},
        {"\xE3\x81\x9F"
         "00000000",
         1},
        {"\xFF"
         "00000000",
         1},
    };
    for (const auto& [balls, count] : cases)
        EXPECT_EQ(getNumOfBallFromBalls(balls), count) << ::testing::PrintToString(balls);
}

TEST_F(RecordsFile, ReloadingTheSoloTableTouchesNothingElse) {
    write("[SOLO]\nShots01=5\n[VSCPU]\nYouWon01=3\n[TOVI]\nLV=4\n");
    auto records = load();
    write("[SOLO]\nShots01=6\n[VSCPU]\nYouWon01=9\n[TOVI]\nLV=9\n");
    loadSoloRecord(records);
    EXPECT_EQ(records.soloRecords[1].shots, 6);
    EXPECT_EQ(records.vsCpuRecords[1].youWon, 3);
    EXPECT_EQ(records.levelOfTovi, 4);
}

TEST_F(RecordsFile, ExplicitPathIsHonoured) {
    const auto elsewhere = dir_.path() + "/elsewhere.ini";
    writeBytes(elsewhere, "[TOVI]\r\nLV=3\r\n[SOLO]\r\nName01=far\r\n");
    Records records;
    loadLevelOfTove(records, elsewhere);
    loadSoloRecord(records, elsewhere);
    EXPECT_EQ(records.levelOfTovi, 3);
    EXPECT_EQ(records.soloRecords[1].name, padded("far", 20));
}

} // namespace
} // namespace zandrel
