#pragma once

// Deterministic generator of hostile settings/records file contents for the fuzz
// tests: random bytes, NULs, stray CRs, huge lines, missing final newlines,
// numbers far outside the 16-bit range and values that are no numbers at all,
// mixed with the section and key names the game really reads.

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace zandrel::testing {

/// Fixed seed: every run sees the same files.
inline constexpr std::uint32_t kFuzzSeed = 0x5A4E4452; // "ZNDR"
/// How many files a fuzz test feeds through the loaders.
inline constexpr int kFuzzFileCount = 3000;
/// Every this many files one carries a line of kHugeLineBytes.
inline constexpr int kHugeLineEvery = 300;
inline constexpr std::size_t kHugeLineBytes = 1 << 20;

class RandomProfile {
public:
    explicit RandomProfile(std::uint32_t seed = kFuzzSeed) : rng_(seed) {}

    /// Contents of the `index`-th file.
    std::string next(int index) {
        if (chance(10))
            return randomBytes(below(4096), true);
        std::string text;
        if (chance(10))
            text += "\xEF\xBB\xBF";
        const bool crlf = chance(3);
        const int lines = below(60);
        const int hugeLine = index % kHugeLineEvery == 0 ? below(lines + 1) : -1;
        for (int i = 0; i < lines; ++i) {
            text += i == hugeLine ? hugeLineText() : line();
            if (i + 1 < lines || !chance(4))
                text += (crlf && !chance(20)) ? "\r\n" : "\n";
        }
        return text;
    }

    /// A section name the game uses, in a random spelling, or some other name.
    std::string sectionName() {
        static constexpr std::array<std::string_view, 4> kGameNames = {"SOLO", "VSCPU", "TOVI", "PINDOR"};
        static constexpr std::array<std::string_view, 3> kOtherNames = {"Other", "", "SOLO1"};
        if (chance(10))
            return std::string(kOtherNames[below(kOtherNames.size())]);
        return respell(std::string(kGameNames[below(kGameNames.size())]));
    }

    /// A key name the game reads, in a random spelling, or some other name.
    std::string keyName() {
        static constexpr std::array<std::string_view, 9> kRowPrefixes = {
            "Shots", "Time", "Turn", "Name", "Balls", "Date", "YouWon", "CPUWon", "LevelOfTovi"};
        static constexpr std::array<std::string_view, 5> kPlainKeys = {"LV", "SOUND", "BGM", "HiColor", "x"};
        const bool rowKey = chance(2);
        std::string key(rowKey ? kRowPrefixes[below(kRowPrefixes.size())]
                               : kPlainKeys[below(kPlainKeys.size())]);
        if (rowKey != chance(10)) {
            const int row = below(12);
            key += (row < 10 ? "0" : "") + std::to_string(row);
        }
        return respell(key);
    }

    /// A value: numbers in and far out of range, non-numbers, raw bytes, long texts.
    std::string value() {
        switch (below(10)) {
        case 0:
            return std::to_string(below(40) - 20);
        case 1:
            return std::to_string(static_cast<long long>(rng_()) * (chance(2) ? 1 : -1) * 1000003LL);
        case 2:
            return (chance(2) ? "-" : "") + digits(1 + below(40));
        case 3:
            return pick({"abc", "", "-", "+", "0x7FFF", "1e9", " 12abc", "\xEF\xBC\x93", "- 5", "--1"});
        case 4:
            return randomBytes(below(40), false);
        case 5:
            return "\x82\xbd\x82\xeb\x82\xa4" + randomBytes(below(3), false); // Shift-JIS, maybe cut
        case 6:
            return std::string(below(300), chance(2) ? 'a' : ' ') + "z";
        case 7:
            return std::string("ab\0cd", 5);
        default:
            return std::to_string(below(70000) - 35000);
        }
    }

    int below(std::size_t bound) { return bound == 0 ? 0 : static_cast<int>(rng_() % bound); }
    bool chance(int oneIn) { return below(static_cast<std::size_t>(oneIn)) == 0; }

private:
    std::string line() {
        switch (below(8)) {
        case 0:
            return pad() + "[" + pad() + sectionName() + pad() + (chance(8) ? "" : "]") + pad();
        case 1:
            return ";" + keyName() + "=1";
        case 2:
            return "";
        case 3:
            return randomBytes(below(80), false);
        default:
            return pad() + keyName() + pad() + "=" + pad() + value() + pad();
        }
    }

    std::string hugeLineText() {
        if (chance(2))
            return randomBytes(kHugeLineBytes, false);
        return keyName() + "=" + (chance(2) ? digits(kHugeLineBytes) : std::string(kHugeLineBytes, 'n'));
    }

    std::string pad() { return std::string(below(3), chance(2) ? ' ' : '\t'); }

    std::string respell(std::string name) {
        for (char& c : name) {
            if (chance(4) && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return name;
    }

    std::string digits(std::size_t count) {
        std::string s(count, '0');
        for (char& c : s)
            c = static_cast<char>('0' + below(10));
        return s;
    }

    /// Random bytes including NULs and CRs; newlines only when `withNewlines`.
    std::string randomBytes(std::size_t count, bool withNewlines) {
        std::string s(count, '\0');
        for (char& c : s) {
            c = static_cast<char>(rng_() & 0xFF);
            if (!withNewlines && c == '\n')
                c = '\0';
        }
        return s;
    }

    std::string pick(std::initializer_list<std::string_view> choices) {
        return std::string(*(choices.begin() + below(choices.size())));
    }

    std::mt19937 rng_;
};

} // namespace zandrel::testing
