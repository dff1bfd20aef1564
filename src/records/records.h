#pragma once

// The records file ZDSCORE.INI: the best-players tables of solo games and of
// matches against the computer side, and the computer side's (Tovi's) level.
// The game reads this file and never writes it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zandrel {

inline constexpr std::string_view kRecordsFileName = "ZDSCORE.INI";
inline constexpr std::string_view kSoloSection = "SOLO";
inline constexpr std::string_view kVsCpuSection = "VSCPU";
inline constexpr std::string_view kToviSection = "TOVI";

inline constexpr std::size_t kRecordNameLength = 20; ///< characters of a player's name
inline constexpr std::size_t kBallsTextLength = 9;   ///< characters of the ball pattern
inline constexpr std::size_t kRecordDateLength = 8;  ///< characters of a date "yy/mm/dd"

inline constexpr std::size_t kRecordRows = 12; ///< rows 0..11 of each table
inline constexpr int kFirstLoadedRow = 1;      ///< loading fills rows 1..10
inline constexpr int kLastLoadedRow = 10;

inline constexpr std::int16_t kLowestToviLevel = 1;
inline constexpr std::int16_t kHighestToviLevel = 11; ///< the master level

/// One solo result. Text fields always hold exactly their length in characters
/// (UTF-8), cut or blank-padded.
struct SoloRecord {
    std::string name = std::string(kRecordNameLength, ' '); ///< player's name
    std::int16_t shots = 0;                                 ///< shots of the game
    std::int16_t turn = 0;                                  ///< innings of the game
    std::int16_t time = 0;                                  ///< play time, seconds
    /// One character per ball position; every character other than '0' counts a ball.
    std::string ballsText = std::string(kBallsTextLength, ' ');
    std::int16_t ballCount = 0;                             ///< getNumOfBallFromBalls(ballsText)
    std::string date = std::string(kRecordDateLength, ' '); ///< "yy/mm/dd"

    bool operator==(const SoloRecord&) const = default;
};

/// One match against the computer side.
struct VsCpuRecord {
    std::string name = std::string(kRecordNameLength, ' '); ///< player's name
    std::int16_t youWon = 0;                                ///< games won by the player
    std::int16_t cpuWon = 0;                                ///< games won by the computer side
    std::string date = std::string(kRecordDateLength, ' '); ///< "yy/mm/dd"
    std::int16_t time = 0;                                  ///< play time, seconds
    std::int16_t levelOfTovi = 0;                           ///< the computer side's level then

    bool operator==(const VsCpuRecord&) const = default;
};

/// Everything the records file holds, as loaded. Rows 0 and 11 of the tables are
/// never filled.
struct Records {
    std::int16_t levelOfTovi = kLowestToviLevel; ///< 1..11 after loading
    std::array<SoloRecord, kRecordRows> soloRecords{};
    std::array<VsCpuRecord, kRecordRows> vsCpuRecords{};
};

/// Path of the records file: getWindowsDir() + "ZDSCORE.INI".
std::string recordsFilePath();

/// Reads Tovi's level ("LV" in "TOVI", default 1) into records.levelOfTovi,
/// clamped to 1..11.
void loadLevelOfTove(Records& records, const std::string& path = recordsFilePath());

/// Fills rows 1..10 of records.soloRecords from section "SOLO"; missing keys give
/// shots 0, time 3600, turn 10, name "tovi", balls "000000000", date "98/01/01".
void loadSoloRecord(Records& records, const std::string& path = recordsFilePath());

/// Fills rows 1..10 of records.vsCpuRecords from section "VSCPU"; missing keys
/// give name "tovi", date "98/01/01", time 3600 and 0 for the rest.
void loadVsCpuRecord(Records& records, const std::string& path = recordsFilePath());

/// Number of balls in a ball pattern: of character positions 1..9, those whose
/// character is not '0' (a position past the end of the text counts too). 0..9.
std::int16_t getNumOfBallFromBalls(std::string_view strBalls);

} // namespace zandrel
