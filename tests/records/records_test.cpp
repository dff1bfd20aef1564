#include "platform/text_decoding.h"
#include "records/records.h"
#include "support/random_profile.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

std::string padded(std::string text, std::size_t characters = kRecordNameLength) {
    return text + std::string(characters - text.size(), ' ');
}

/// Loads everything from a records file with the given contents, in the test's
/// own config folder where the game looks for it.
Records load(std::string_view contents) {
    testing::writeBytes(recordsFilePath(), contents);
    Records records;
    loadLevelOfTove(records);
    loadSoloRecord(records);
    loadVsCpuRecord(records);
    return records;
}

TEST(Records, NoFileGivesTheDefaultsEverywhere) {
    testing::TempConfigDir dir;
    EXPECT_EQ(recordsFilePath(), dir.gameDir() + "ZDSCORE.INI");
    Records records;
    loadLevelOfTove(records);
    loadSoloRecord(records);
    loadVsCpuRecord(records);
    EXPECT_EQ(records.levelOfTovi, 1);
    for (std::size_t row = 1; row <= 10; ++row) {
        EXPECT_EQ(records.soloRecords[row],
                  (SoloRecord{padded("tovi"), 0, 10, 3600, "000000000", 0, "98/01/01"}));
        EXPECT_EQ(records.vsCpuRecords[row], (VsCpuRecord{padded("tovi"), 0, 0, "98/01/01", 3600, 0}));
    }
    EXPECT_EQ(records.soloRecords[11], SoloRecord{}) << "never filled";
    EXPECT_FALSE(std::filesystem::exists(recordsFilePath())) << "the records file is never written";
}

TEST(Records, EveryKeyLandsInItsOwnFieldAndRow) {
    testing::TempConfigDir dir;
    auto records =
        load("[SOLO]\nShots01=101\nTime01=201\nTurn01=301\nName01=s01\nBalls01=000000001\nDate01=d01\n"
             "Shots10=110\nTime10=210\nTurn10=310\nName10=s10\nBalls10=000000000\nDate10=d10\n"
             "[VSCPU]\nName01=v01\nDate01=e01\nTime01=401\nYouWon01=501\nCPUWon01=601\nLevelOfTovi01=701\n"
             "Name10=v10\nDate10=e10\nTime10=410\nYouWon10=510\nCPUWon10=610\nLevelOfTovi10=710\n"
             "[solo]\nShots02=9\nTurn3=9\n[TOVI]\nlv=7\n[TOVI]\nLV=9\n");
    EXPECT_EQ(records.levelOfTovi, 7);
    EXPECT_EQ(records.soloRecords[1], (SoloRecord{padded("s01"), 101, 301, 201, "000000001", 1, "d01     "}));
    EXPECT_EQ(records.soloRecords[10],
              (SoloRecord{padded("s10"), 110, 310, 210, "000000000", 0, "d10     "}));
    EXPECT_EQ(records.vsCpuRecords[1], (VsCpuRecord{padded("v01"), 501, 601, "e01     ", 401, 701}));
    EXPECT_EQ(records.vsCpuRecords[10], (VsCpuRecord{padded("v10"), 510, 610, "e10     ", 410, 710}));
    EXPECT_EQ(records.soloRecords[2].shots, 0) << "a later section of the same name is never read";
    EXPECT_EQ(records.soloRecords[3].turn, 10) << "\"Turn3\" is not row 3's key";

    loadSoloRecord(records, dir.path() + "/none.ini"); // reloading one table touches nothing else
    EXPECT_EQ(records.soloRecords[1].shots, 0);
    EXPECT_EQ(records.vsCpuRecords[1].youWon, 501);
    EXPECT_EQ(records.levelOfTovi, 7);
}

TEST(Records, NumbersAreClampedAndNonNumbersDefault) {
    testing::TempConfigDir dir;
    // clang-format off
    const std::pair<std::string, int> levels[] = {{"", 1}, {"LV=5", 5}, {"LV=11", 11}, {"LV=15", 11}, {"LV=0", 1},
        {"LV=-3", 1}, {"LV=99999", 11}, {"LV=abc", 1}, {" lv = 12 ", 11}, {"LV=\"7\"", 7}, {"LV='7'", 7},
        {"LV=#7", 1}, {"\n[TOVI]\nLV=9", 1}};
    // clang-format on
    for (const auto& [line, level] : levels)
        EXPECT_EQ(load("[TOVI]\n" + line + "\n").levelOfTovi, level) << line;
    const auto records = load("[SOLO]\nShots01=40000\nTime01=-99999\nTurn01=abc\n"
                              "Shots02=99999999999999999999999\nTurn02=12 innings\nShots03=\"12\"\n");
    EXPECT_EQ(records.soloRecords[1].shots, 32767);
    EXPECT_EQ(records.soloRecords[1].time, -32768);
    EXPECT_EQ(records.soloRecords[1].turn, 10);
    EXPECT_EQ(records.soloRecords[2].shots, 32767);
    EXPECT_EQ(records.soloRecords[2].turn, 12);
    EXPECT_EQ(records.soloRecords[3].shots, 12);
}

TEST(Records, NamesAreDecodedAndFittedByCharacters) {
    testing::TempConfigDir dir;
    const std::string taro = "\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86";   // たろう
    const std::string myUtf8 = "\xEF\xBE\x8F\xEF\xBD\xB2";             // ﾏｲ
    const std::string myTesUtf8 = myUtf8 + "\xEF\xBE\x83\xEF\xBD\xBD"; // ﾏｲﾃｽ
    std::string sun25Utf8, sun25Cp932;
    for (int i = 0; i < 25; ++i) {
        sun25Utf8 += "\xE6\x97\xA5"; // 日
        sun25Cp932 += "\x93\xfa";
    }
    const std::pair<std::string, std::string> names[] = {
        {"\x82\xbd\x82\xeb\x82\xa4", taro + std::string(17, ' ')}, // Shift-JIS bytes
        {taro, taro + std::string(17, ' ')},
        {sun25Cp932, sun25Utf8.substr(0, 60)},
        {std::string("ab\0cd", 5), padded("ab")},
        {"  spaced  name  ", padded("spaced  name")},
        {"\xFF", "\xEF\xBF\xBD" + std::string(19, ' ')},
        // Code page 932 bytes that are well-formed UTF-8 too ("\xCF\xB2" would be a Greek letter).
        {"\xCF\xB2", myUtf8 + std::string(18, ' ')},
        {"\xCF\xB2\xC3\xBD", myTesUtf8 + std::string(16, ' ')},
        {myUtf8, myUtf8 + std::string(18, ' ')},
        {"\"Taro\"", padded("Taro")},
        {"' Taro '", padded("Taro")}};
    for (const auto& [stored, held] : names) {
        const auto records = load("[SOLO]\nName01=" + stored + "\n[VSCPU]\nName01=" + stored + "\n");
        EXPECT_EQ(records.soloRecords[1].name, held) << ::testing::PrintToString(stored);
        EXPECT_EQ(records.vsCpuRecords[1].name, held) << ::testing::PrintToString(stored);
    }
    // The encoding is the whole file's: each name of a file in either encoding reads right.
    const auto inCp932 = load("[SOLO]\nName01=\xCF\xB2\nName02=\x82\xbd\x82\xeb\x82\xa4\n");
    const auto inUtf8 = load("[SOLO]\nName01=" + myUtf8 + "\nName02=" + taro + "\n");
    for (const auto& records : {inCp932, inUtf8}) {
        EXPECT_EQ(records.soloRecords[1].name, myUtf8 + std::string(18, ' '));
        EXPECT_EQ(records.soloRecords[2].name, taro + std::string(17, ' '));
    }
    // Two-byte sequences alone are taken for half-width katakana unless a byte order mark says UTF-8.
    EXPECT_EQ(load("[SOLO]\nName01=\xC3\xA9\n").soloRecords[1].name,
              "\xEF\xBE\x83\xEF\xBD\xA9" + std::string(18, ' '));
    EXPECT_EQ(load("\xEF\xBB\xBF[SOLO]\nName01=\xC3\xA9\n").soloRecords[1].name,
              "\xC3\xA9" + std::string(19, ' '));

    const auto records = load("[SOLO]\nBalls01=001100000\nBalls02=1\nBalls03=\nDate01=2024/01/01\n"
                              "Balls04=\"110000000\"\nDate04=\"24/05/01\"\n");
    EXPECT_EQ(records.soloRecords[1].ballCount, 2);
    EXPECT_EQ(records.soloRecords[2].ballsText, "1        ");
    EXPECT_EQ(records.soloRecords[2].ballCount, 9);
    EXPECT_EQ(records.soloRecords[3].ballCount, 9);
    EXPECT_EQ(records.soloRecords[1].date, "2024/01/");
    EXPECT_EQ(records.soloRecords[4].ballCount, 2);
    EXPECT_EQ(records.soloRecords[4].date, "24/05/01");
}

TEST(Records, GetNumOfBallFromBallsCountsPositionsOneToNineThatAreNotZero) {
    // clang-format off
    const std::pair<std::string, int> cases[] = {{"000000000", 0}, {"001100000", 2}, {"1", 9}, {"", 9},
        {"00000000", 1}, {"0000000001", 0}, {"0 0 0 0 0", 4}, {"\xE3\x81\x9F\x30\x30\x30\x30\x30\x30\x30\x30", 1}};
    // clang-format on
    for (const auto& [balls, count] : cases)
        EXPECT_EQ(getNumOfBallFromBalls(balls), count) << ::testing::PrintToString(balls);
}

TEST(Records, HostileFilesAlwaysLoadIntoDefinedValues) {
    testing::TempConfigDir dir;
    testing::RandomProfile random;
    const auto fixed = [](const std::string& text, std::size_t length) {
        return isValidUtf8(text) && countCharacters(text) == length;
    };
    for (int i = 0; i < testing::kFuzzFileCount; ++i) {
        const Records records = load(random.next(i));
        ASSERT_GE(records.levelOfTovi, kLowestToviLevel) << "file " << i;
        ASSERT_LE(records.levelOfTovi, kHighestToviLevel) << "file " << i;
        for (int row = kFirstLoadedRow; row <= kLastLoadedRow; ++row) {
            const auto& solo = records.soloRecords[static_cast<std::size_t>(row)];
            const auto& vs = records.vsCpuRecords[static_cast<std::size_t>(row)];
            ASSERT_TRUE(fixed(solo.name, kRecordNameLength) && fixed(solo.date, kRecordDateLength) &&
                        fixed(solo.ballsText, kBallsTextLength) && fixed(vs.name, kRecordNameLength) &&
                        fixed(vs.date, kRecordDateLength))
                << "file " << i << " row " << row;
            ASSERT_EQ(solo.ballCount, getNumOfBallFromBalls(solo.ballsText)) << "file " << i;
        }
    }
}

} // namespace
} // namespace zandrel
