#include "records/records.h"

#include "platform/platform_helpers.h"
#include "platform/private_profile.h"
#include "platform/text_decoding.h"

#include <algorithm>
#include <cstdio>

namespace zandrel {

namespace {

constexpr int kDefaultShots = 0;
constexpr int kDefaultTime = 3600;
constexpr int kDefaultTurn = 10;
constexpr int kDefaultWins = 0;
constexpr int kDefaultMatchLevel = 0;
constexpr std::string_view kDefaultName = "tovi";
constexpr std::string_view kDefaultBalls = "000000000";
constexpr std::string_view kDefaultDate = "98/01/01";
constexpr std::string_view kLevelKey = "LV";
constexpr char kNoBall = '0';

/// Key of a table row: the field name and the row as two digits ("Shots03").
std::string rowKey(std::string_view field, int row) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%02d", row);
    return std::string(field) + suffix;
}

std::int16_t readInteger(const PrivateProfile& profile, std::string_view section, std::string_view key,
                         int defaultValue) {
    return clampToInteger16(profile.getInt(section, key, defaultValue));
}

/// A text value cleaned, decoded to UTF-8 as the whole file is stored, and fitted
/// to its field length.
std::string readText(const PrivateProfile& profile, std::string_view section, std::string_view key,
                     std::string_view defaultValue, std::size_t length) {
    const auto stored = trimNul(profile.getString(section, key, defaultValue));
    return toFixedText(decodeText(stored, profile.textEncoding()), length);
}

} // namespace

std::string recordsFilePath() {
    return getWindowsDir() + std::string(kRecordsFileName);
}

void loadLevelOfTove(Records& records, const std::string& path) {
    const auto level = readInteger(PrivateProfile::load(path), kToviSection, kLevelKey, kLowestToviLevel);
    records.levelOfTovi = std::min(std::max(level, kLowestToviLevel), kHighestToviLevel);
}

void loadSoloRecord(Records& records, const std::string& path) {
    const auto profile = PrivateProfile::load(path);
    for (int row = kFirstLoadedRow; row <= kLastLoadedRow; ++row) {
        auto& record = records.soloRecords[static_cast<std::size_t>(row)];
        record.shots = readInteger(profile, kSoloSection, rowKey("Shots", row), kDefaultShots);
        record.time = readInteger(profile, kSoloSection, rowKey("Time", row), kDefaultTime);
        record.turn = readInteger(profile, kSoloSection, rowKey("Turn", row), kDefaultTurn);
        record.name = readText(profile, kSoloSection, rowKey("Name", row), kDefaultName, kRecordNameLength);
        record.ballsText =
            readText(profile, kSoloSection, rowKey("Balls", row), kDefaultBalls, kBallsTextLength);
        record.date = readText(profile, kSoloSection, rowKey("Date", row), kDefaultDate, kRecordDateLength);
        record.ballCount = getNumOfBallFromBalls(record.ballsText);
    }
}

void loadVsCpuRecord(Records& records, const std::string& path) {
    const auto profile = PrivateProfile::load(path);
    for (int row = kFirstLoadedRow; row <= kLastLoadedRow; ++row) {
        auto& record = records.vsCpuRecords[static_cast<std::size_t>(row)];
        record.name = readText(profile, kVsCpuSection, rowKey("Name", row), kDefaultName, kRecordNameLength);
        record.date = readText(profile, kVsCpuSection, rowKey("Date", row), kDefaultDate, kRecordDateLength);
        record.time = readInteger(profile, kVsCpuSection, rowKey("Time", row), kDefaultTime);
        record.youWon = readInteger(profile, kVsCpuSection, rowKey("YouWon", row), kDefaultWins);
        record.cpuWon = readInteger(profile, kVsCpuSection, rowKey("CPUWon", row), kDefaultWins);
        record.levelOfTovi =
            readInteger(profile, kVsCpuSection, rowKey("LevelOfTovi", row), kDefaultMatchLevel);
    }
}

std::int16_t getNumOfBallFromBalls(std::string_view strBalls) {
    // Positions past the end of the text count as balls, just like blanks, so the
    // pattern padded with blanks to its length gives the same count.
    const auto pattern = toFixedText(strBalls, kBallsTextLength);
    const auto empty = std::count(pattern.begin(), pattern.end(), kNoBall);
    return static_cast<std::int16_t>(static_cast<std::ptrdiff_t>(kBallsTextLength) - empty);
}

} // namespace zandrel
