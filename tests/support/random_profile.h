#pragma once

// Deterministic hostile INI files for the fuzz tests: random bytes,
// NULs, stray CRs, 1 MB lines, no final newline, numbers far outside the 16-bit
// range or no numbers at all, mixed with the section and key names the game reads.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zandrel::testing {

inline constexpr int kFuzzFileCount = 1000;

class RandomProfile {
public:
    /// Contents of the `index`-th file; every 300th has a 1 MB line.
    std::string next(int index) {
        if (chance(10))
            return bytes(below(4096), true);
        std::string text = chance(10) ? "\xEF\xBB\xBF" : "";
        const bool crlf = chance(3);
        const int lines = below(60);
        const int huge = index % 300 == 0 ? below(lines + 1) : -1;
        for (int i = 0; i < lines; ++i) {
            text += i == huge ? keyName() + "=" + bytes(1 << 20, false) : line();
            if (i + 1 < lines || !chance(4))
                text += crlf && !chance(20) ? "\r\n" : "\n";
        }
        return text;
    }

    std::string sectionName() { return respell(pick({"SOLO", "VSCPU", "TOVI", ""})); }

    std::string keyName() {
        const bool row = chance(2);
        std::string key =
            row ? pick({"Shots", "Time", "Turn", "Name", "Balls", "Date", "YouWon", "CPUWon", "LevelOfTovi"})
                : pick({"LV", "SOUND"});
        if (row != chance(10)) {
            const int n = below(12);
            key += (n < 10 ? "0" : "") + std::to_string(n);
        }
        return respell(key);
    }

    std::string value() {
        const std::string kinds[] = {
            std::to_string(below(70000) - 35000),
            (chance(2) ? "-" : "") + std::string(1 + below(40), static_cast<char>('1' + below(9))),
            pick({"abc", "", "-", " 12abc", "0x7FFF", "1e9", "- 5", "\xEF\xBC\x93", "--1", "+7"}),
            "\x82\xbd\x82\xeb\x82\xa4" + bytes(below(3), false), // Shift-JIS, maybe cut
            std::string(below(300), chance(2) ? 'a' : ' ') + std::string("z\0z", 3),
            bytes(below(40), false)};
        return kinds[std::min(below(7), 5)];
    }

private:
    int below(std::size_t bound) { return bound == 0 ? 0 : static_cast<int>(rng_() % bound); }
    bool chance(int oneIn) { return below(static_cast<std::size_t>(oneIn)) == 0; }
    std::string pick(const std::vector<std::string>& options) { return options[below(options.size())]; }

    std::string line() {
        const std::string pad(below(3), chance(2) ? ' ' : '\t');
        const int kind = below(8);
        if (kind == 0)
            return pad + "[" + sectionName() + (chance(8) ? "" : "]") + pad;
        if (kind == 1)
            return ";" + keyName() + "=1";
        return kind == 2 ? bytes(below(80), false) : pad + keyName() + pad + "=" + pad + value() + pad;
    }

    std::string respell(std::string name) {
        for (char& c : name)
            c = chance(4) ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
        return name;
    }

    /// Random bytes, NULs and CRs included; newlines only when `newlines`.
    std::string bytes(std::size_t count, bool newlines) {
        std::string s(count, '\0');
        for (char& c : s) {
            c = static_cast<char>(rng_() & 0xFF);
            c = (!newlines && c == '\n') ? '\0' : c;
        }
        return s;
    }

    std::mt19937 rng_{0x5A4E4452};
};

} // namespace zandrel::testing
