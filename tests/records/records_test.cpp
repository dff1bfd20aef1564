#include "platform/file_helpers.h"
#include "records/records.h"
#include "support/temp_config_dir.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

std::string padded(std::string text, std::size_t characters) {
    return text + std::string(characters - text.size(), ' ');
}

/// A records file in the test's own config folder, where the game looks for it.
class RecordsFile : public ::testing::Test {
protected:
    Records load(std::string_view contents) {
        testing::writeBytes(recordsFilePath(), contents);
        Records records;
        loadLevelOfTove(records);
        loadSoloRecord(records);
        loadVsCpuRecord(records);
        return records;
    }

    testing::TempConfigDir dir_;
};

TEST_F(RecordsFile, NoFileGivesTheDefaultsEverywhere) {
    EXPECT_EQ(recordsFilePath(), dir_.gameDir() + "ZDSCORE.INI");
    Records records;
    loadLevelOfTove(records);
    loadSoloRecord(records);
    loadVsCpuRecord(records);
    EXPECT_EQ(records.levelOfTovi, 1);
    const SoloRecord solo{padded("tovi", 20), 0, 10, 3600, "000000000", 0, "98/01/01"};
    const VsCpuRecord vs{padded("tovi", 20), 0, 0, "98/01/01", 3600, 0};
    for (std::size_t row = 1; row <= 10; ++row) {
        EXPECT_EQ(records.soloRecords[row], solo) << row;
        EXPECT_EQ(records.vsCpuRecords[row], vs) << row;
    }
    for (std::size_t row : {std::size_t{0}, std::size_t{11}}) { // never filled
        EXPECT_EQ(records.soloRecords[row], SoloRecord{});
        EXPECT_EQ(records.vsCpuRecords[row], VsCpuRecord{});
    }
    EXPECT_FALSE(std::filesystem::exists(recordsFilePath())) << "the records file is never written";
}

TEST_F(RecordsFile, EveryKeyLandsInItsOwnFieldAndRow) {
    std::string text = "[SOLO]\n";
    for (const char* row : {"01", "10"})
        text += std::string("Shots") + row + "=1" + row + "\nTime" + row + "=2" + row + "\nTurn" + row +
                "=3" + row + "\nName" + row + "=s" + row + "\nBalls" + row + "=00000000" + row[1] + "\nDate" +
                row + "=d" + row + "\n";
    text += "[VSCPU]\n";
    for (const char* row : {"01", "10"})
        text += std::string("Name") + row + "=v" + row + "\nDate" + row + "=e" + row + "\nTime" + row + "=4" +
                row + "\nYouWon" + row + "=5" + row + "\nCPUWon" + row + "=6" + row + "\nLevelOfTovi" + row +
                "=7" + row + "\n";
    const auto records = load(text + "[solo]\nShots02=9\nTurn3=9\n[TOVI]\nlv=7\n");
    EXPECT_EQ(records.levelOfTovi, 7);
    EXPECT_EQ(records.soloRecords[1],
              (SoloRecord{padded("s01", 20), 101, 301, 201, "000000001", 1, "d01     "}));
    EXPECT_EQ(records.soloRecords[10],
              (SoloRecord{padded("s10", 20), 110, 310, 210, "000000000", 0, "d10     "}));
    EXPECT_EQ(records.vsCpuRecords[1], (VsCpuRecord{padded("v01", 20), 501, 601, "e01     ", 401, 701}));
    EXPECT_EQ(records.vsCpuRecords[10], (VsCpuRecord{padded("v10", 20), 510, 610, "e10     ", 410, 710}));
    EXPECT_EQ(records.soloRecords[2].shots, 9) << "a later section of the same name is read too";
    EXPECT_EQ(records.soloRecords[3].turn, 10) << "\"Turn3\" is not row 3's key";
}

TEST_F(RecordsFile, LevelIsClampedToOneThroughEleven) {
    const std::pair<std::string, int> cases[] = {
        {"", 1},          {"LV=5", 5},      {"LV=11", 11}, {"LV=15", 11}, {"LV=0", 1},      {"LV=-3", 1},
        {"LV=99999", 11}, {"LV=-99999", 1}, {"LV=abc", 1}, {"LV=7x", 7},  {" lv = 12 ", 11}};
    for (const auto& [line, level] : cases)
        EXPECT_EQ(load("[TOVI]\n" + line + "\n").levelOfTovi, level) << line;
}

TEST_F(RecordsFile, IntegersBeyondSixteenBitsAreClampedAndNonNumbersDefault) {
    const auto records =
        load("[SOLO]\nShots01=40000\nTime01=-99999\nTurn01=abc\nShots02=99999999999999999999999\n"
             "Turn02=12 innings\n");
    EXPECT_EQ(records.soloRecords[1].shots, 32767);
    EXPECT_EQ(records.soloRecords[1].time, -32768);
    EXPECT_EQ(records.soloRecords[1].turn, 10);
    EXPECT_EQ(records.soloRecords[2].shots, 32767);
    EXPECT_EQ(records.soloRecords[2].turn, 12);
}

TEST_F(RecordsFile, TextsAreDecodedCleanedAndFittedByCharacters) {
    const std::string taro = "\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86"; // たろう
    std::string sun25Utf8, sun25Cp932;
    for (int i = 0; i < 25; ++i) {
        sun25Utf8 += "\xE6\x97\xA5"; // 日
        sun25Cp932 += "\x93\xfa";
    }
    const std::pair<std::string, std::string> names[] = {
        {"\x82\xbd\x82\xeb\x82\xa4", taro + std::string(17, ' ')}, // Shift-JIS bytes
        {taro, taro + std::string(17, ' ')},
        {"abcdefghijklmnopqrstuvwxy", "abcdefghijklmnopqrst"},
        {sun25Utf8, sun25Utf8.substr(0, 60)},
        {sun25Cp932, sun25Utf8.substr(0, 60)},
        {std::string("ab\0cd", 5), padded("ab", 20)},
        {std::string("  \0tail", 7), std::string(20, ' ')},
        {"  spaced  name  ", padded("spaced  name", 20)},
        {"\xFF", "\xEF\xBF\xBD" + std::string(19, ' ')},
    };
    for (const auto& [stored, held] : names) {
        const auto records = load("[SOLO]\nName01=" + stored + "\n[VSCPU]\nName01=" + stored + "\n");
        EXPECT_EQ(records.soloRecords[1].name, held) << ::testing::PrintToString(stored);
        EXPECT_EQ(records.vsCpuRecords[1].name, held) << ::testing::PrintToString(stored);
    }
    const auto records = load("[SOLO]\nBalls01=001100000\nBalls02=1\nBalls03=0000000000001\nBalls04=\n"
                              "Date01=2024/01/01\nDate02=24/1/1\n");
    const std::tuple<std::string, int> balls[] = {
        {"001100000", 2}, {"1        ", 9}, {"000000000", 0}, {"         ", 9}};
    for (std::size_t row = 1; row <= 4; ++row) {
        EXPECT_EQ(records.soloRecords[row].ballsText, std::get<0>(balls[row - 1]));
        EXPECT_EQ(records.soloRecords[row].ballCount, std::get<1>(balls[row - 1]));
    }
    EXPECT_EQ(records.soloRecords[1].date, "2024/01/");
    EXPECT_EQ(records.soloRecords[2].date, "24/1/1  ");
}

TEST(GetNumOfBallFromBalls, CountsPositionsOneToNineThatAreNotZero) {
    const std::pair<std::string, int> cases[] = {{"000000000", 0},
                                                 {"001100000", 2},
                                                 {"1", 9},
                                                 {"", 9},
                                                 {"00000000", 1},
                                                 {"0000000001", 0},
                                                 {"0 0 0 0 0", 4},
                                                 {"\xE3\x81\x9F"
                                                  "00000000",
                                                  1}};
    for (const auto& [balls, count] : cases)
        EXPECT_EQ(getNumOfBallFromBalls(balls), count) << ::testing::PrintToString(balls);
}

TEST_F(RecordsFile, ReloadingTheSoloTableTouchesNothingElse) {
    auto records = load("[SOLO]\nShots01=5\n[VSCPU]\nYouWon01=3\n[TOVI]\nLV=4\n");
    const std::string elsewhere = dir_.path() + "/other.ini";
    testing::writeBytes(elsewhere, "[SOLO]\r\nShots01=6\r\n[VSCPU]\r\nYouWon01=9\r\n[TOVI]\r\nLV=9\r\n");
    loadSoloRecord(records, elsewhere);
    EXPECT_EQ(records.soloRecords[1].shots, 6);
    EXPECT_EQ(records.vsCpuRecords[1].youWon, 3);
    EXPECT_EQ(records.levelOfTovi, 4);
}

} // namespace
} // namespace zandrel
