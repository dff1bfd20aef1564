#include "game/game_texts.h"

#include "game/game.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zandrel {

namespace {

/// Byte length of the UTF-8 sequence starting with lead byte c (1 for stray bytes).
int utf8SequenceLength(unsigned char c) {
    if (c >= 0xf0 && c < 0xf8)
        return 4;
    if (c >= 0xe0)
        return c < 0xf0 ? 3 : 1;
    if (c >= 0xc0)
        return 2;
    return 1;
}

} // namespace

std::string fixedPlayerName(const std::string& name) {
    std::string result;
    int characters = 0;
    for (std::size_t i = 0; i < name.size() && characters < kPlayerNameLength; ++characters) {
        const std::size_t length = std::min<std::size_t>(utf8SequenceLength(name[i]), name.size() - i);
        result.append(name, i, length);
        i += length;
    }
    result.append(static_cast<std::size_t>(kPlayerNameLength - characters), ' ');
    return result;
}

std::string trimmedName(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string winsNeededText(int wins) {
    if (wins == 1)
        return "1 Win Match";
    return std::to_string(wins) + "Wins Match";
}

std::string twoPlayerShotCaption(const std::string& firstName) {
    const std::string name = trimmedName(firstName);
    return name == "You" ? "Your Shot" : name + "'s Shot";
}

int sideOnTurn(const GameState& state) {
    return state.players[0].hasTurn ? 0 : 1;
}

bool isMatchDecided(const GameState& state) {
    return state.players[0].wins >= state.winsNeeded || state.players[1].wins >= state.winsNeeded;
}

std::string winnerLine(const GameState& state) {
    if (!isMatchDecided(state))
        return "Now, Break Time!"; // no game of the match has been decided yet
    const int k = sideOnTurn(state);
    return trimmedName(state.players[std::size_t(k)].name) + " defeated " +
           trimmedName(state.players[std::size_t(1 - k)].name);
}

std::string formatTwoDecimals(float value) {
    // Rounded from the value's shortest decimal form, halves away from zero:
    // 0.625 reads 0.63 and 0.175 (stored a hair below) reads 0.18.
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed).ptr;
    std::string digits(buffer, end);
    const auto point = digits.find('.');
    std::string whole = point == std::string::npos ? digits : digits.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
    fraction.resize(std::max<std::size_t>(fraction.size(), 3), '0');
    std::string kept = whole + fraction.substr(0, 2);
    if (fraction[2] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0 && kept[std::size_t(i)] == '9'; --i)
            kept[std::size_t(i)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[std::size_t(i)];
    }
    kept.insert(kept.size() - 2, ".");
    return (value < 0.0f && kept.find_first_not_of("0.") != std::string::npos ? "-" : "") + kept;
}

std::string summaryMessage(int points, int innings) {
    if (innings == 1)
        return std::to_string(points) + "ポイント撞き切りです。素晴らしい！";
    const float average = static_cast<float>(points) / static_cast<float>(innings);
    return std::to_string(points) + "ポイントを" + std::to_string(innings) + "イニングで撞き終えました。" +
           "アベレージ" + formatTwoDecimals(average);
}

std::string infomationLine(const GameState& state) {
    using std::to_string;
    switch (state.playMode) {
    case PlayMode::demo:
        return "How to play the 4 BALLS ?";
    case PlayMode::twoPlayers: {
        std::string line = " " + trimmedName(state.players[0].name) + "  " +
                           to_string(state.players[0].wins) + " - " + to_string(state.players[1].wins);
        if (state.isVsCpu) {
            line += state.levelOfTovi >= kMasterLevel ? " Master " : " Lv." + to_string(state.levelOfTovi);
            line += " tovi ";
        } else {
            line += "  " + trimmedName(state.players[1].name);
        }
        return line;
    }
    case PlayMode::solo:
        return to_string(state.points) + " / " + to_string(state.targetPoints) + " -- " +
               "Inning:" + to_string(state.innings) + " Shot:" + to_string(state.shotCount);
    default:
        return {};
    }
}

} // namespace zandrel
