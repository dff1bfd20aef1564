// Loading the records file; how the INI layer reads a value is checked with that layer.

#include "platform/text_decoding.h"
#include "records/records.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

std::string padded(std::string text, std::size_t characters = kRecordNameLength) {
    return text + std::string(characters - countCharacters(text), ' ');
}

/// Loads everything from a records file, in the test's config folder, with these contents.
Records load(std::string_view contents) {
    testing::writeBytes(recordsFilePath(), contents);
    Records records;
    loadLevelOfTove(records);
    loadSoloRecord(records);
    loadVsCpuRecord(records);
    return records;
}

TEST(Records, EveryKeyLandsInItsOwnFieldAndRowClampedTo16BitsOrGivesItsDefault) {
    testing::TempConfigDir dir;
    EXPECT_EQ(recordsFilePath(), dir.gameDir() + "ZDSCORE.INI");
    auto records = load(
        "[SOLO]\nShots01=101\nTime01=201\nTurn01=301\nName01=s01\nBalls01=000000001\nDate01=d01\n"
        "Shots10=110\nTime10=210\nTurn10=310\nName10=s10\nBalls10=000000000\nDate10=d10\n"
        "Shots02=40000\nTime02=-99999\nTurn02=abc\nShots03=99999999999999999999999\nTurn3=9\n"
        "[VSCPU]\nName01=v01\nDate01=e01\nTime01=401\nYouWon01=501\nCPUWon01=601\nLevelOfTovi01=701\n"
        "Name10=v10\nDate10=e10\nTime10=410\nYouWon10=510\nCPUWon10=610\nLevelOfTovi10=710\n[TOVI]\nLV=7\n");
    EXPECT_EQ(records.levelOfTovi, 7);
    EXPECT_EQ(records.soloRecords[1], (SoloRecord{padded("s01"), 101, 301, 201, "000000001", 1, "d01     "}));
    EXPECT_EQ(records.soloRecords[10],
              (SoloRecord{padded("s10"), 110, 310, 210, "000000000", 0, "d10     "}));
    EXPECT_EQ(records.vsCpuRecords[1], (VsCpuRecord{padded("v01"), 501, 601, "e01     ", 401, 701}));
    EXPECT_EQ(records.vsCpuRecords[10], (VsCpuRecord{padded("v10"), 510, 610, "e10     ", 410, 710}));
    const auto& solo = records.soloRecords;
    EXPECT_EQ(std::tuple(solo[2].shots, solo[2].time, solo[2].turn, solo[3].shots, solo[3].turn),
              std::tuple(32767, -32768, 10, 32767, 10))
        << "saturated, never wrapped; a non-number or \"Turn3\" for row 3 gives the default";
    EXPECT_EQ(records.vsCpuRecords[5], (VsCpuRecord{padded("tovi"), 0, 0, "98/01/01", 3600, 0}));
    EXPECT_EQ(records.soloRecords[11], SoloRecord{}) << "never filled";

    // Reloading one table from no file gives its defaults, touches nothing else and writes nothing.
    loadSoloRecord(records, dir.path() + "/none.ini");
    for (std::size_t row = 1; row <= 10; ++row)
        EXPECT_EQ(records.soloRecords[row],
                  (SoloRecord{padded("tovi"), 0, 10, 3600, "000000000", 0, "98/01/01"}));
    EXPECT_EQ(std::tuple(records.vsCpuRecords[1].youWon, records.levelOfTovi,
                         std::filesystem::exists(dir.path() + "/none.ini")),
              std::tuple(501, 7, false));
}

TEST(Records, ToviLevelStaysWithinOneToEleven) {
    testing::TempConfigDir dir;
    const std::pair<std::string, int> levels[] = {{"", 1},       {"LV=5", 5}, {"LV=11", 11},
                                                  {"LV=15", 11}, {"LV=0", 1}, {"LV=abc", 1}};
    for (const auto& [line, level] : levels)
        EXPECT_EQ(load("[TOVI]\n" + line + "\n").levelOfTovi, level) << line;
}

TEST(Records, TextFieldsAreDecodedAsTheWholeFileAndFittedByCharacters) {
    testing::TempConfigDir dir;
    const std::string taro = "\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86", taroCp932 = "\x82\xbd\x82\xeb\x82\xa4";
    const std::string my = "\xEF\xBE\x8F\xEF\xBD\xB2", myCp932 = "\xCF\xB2"; // ﾏｲ; the latter is UTF-8 too
    // Every text goes through one reader; the whole file decides its encoding, not each value.
    for (const auto& [m, t] : {std::pair(myCp932, taroCp932), std::pair(my, taro)}) {
        const auto records =
            load("[SOLO]\nName01=" + m + "\nName02=" + t + "\nBalls01=1\n[VSCPU]\nName01= a b" +
                 std::string(1, '\0') + "cd\nDate01=" + t + t + t);
        EXPECT_EQ(records.soloRecords[1].name, padded(my)) << t;
        EXPECT_EQ(records.soloRecords[2].name, padded(taro)) << t;
        EXPECT_EQ(records.soloRecords[1].ballsText, "1        ") << t;
        EXPECT_EQ(records.vsCpuRecords[1].name, padded("a b")) << t;
        EXPECT_EQ(records.vsCpuRecords[1].date, taro + taro + taro.substr(0, 6)) << t;
    }
}

TEST(Records, GetNumOfBallFromBallsCountsPositionsOneToNineThatAreNotZero) {
    // clang-format off
    const std::pair<std::string, int> cases[] = {{"000000000", 0}, {"001100000", 2}, {"1", 9}, {"", 9},
        {"00000000", 1}, {"0000000001", 0}, {"0 0 0 0 0", 4}, {"\xE3\x81\x9F\x30\x30\x30\x30\x30\x30\x30\x30", 1}};
    // clang-format on
    for (const auto& [balls, count] : cases)
        EXPECT_EQ(getNumOfBallFromBalls(balls), count) << ::testing::PrintToString(balls);
}

} // namespace
} // namespace zandrel
