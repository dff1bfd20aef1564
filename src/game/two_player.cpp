// Two players on one table: the set-up dialog's effects on the game, and the
// texts of the match result.

#include "game/game.h"

#include <algorithm>

namespace zandrel {

namespace {

constexpr int kFewestWinsNeeded = 1;
constexpr int kMostWinsNeeded = 15;

} // namespace

void Game::beginTwoPlayerSetup() {
    state_.playMode = PlayMode::twoPlayers;
}

void Game::setWinsNeeded(int wins) {
    state_.winsNeeded = std::clamp(wins, kFewestWinsNeeded, kMostWinsNeeded);
}

void Game::confirmTwoPlayerSetup(const std::string& name0, const std::string& name1) {
    state_.playMode = PlayMode::twoPlayers;
    state_.players[0].name = fixedPlayerName(name0);
    state_.players[1].name = fixedPlayerName(name1);
    state_.players[0].hasTurn = true;
    state_.players[1].hasTurn = false;
    state_.players[0].wins = 0;
    state_.players[1].wins = 0;
    view_.setModeItemCaption(kBackToSoloCaption);
    view_.setShotButtonTwoPlayerLook(twoPlayerShotCaption(state_.players[0].name));
}

void Game::cancelTwoPlayerSetup() {
    state_.isVsCpu = false;
    view_.initGameMode();
    state_.playMode = PlayMode::menu;
}

void Game::finishTwoPlayerSetup() {
    if (state_.playMode != PlayMode::twoPlayers) {
        returnToMenu();
        return;
    }
    view_.setStartMenuEnabled(false);
    setFirstPosition();
    initGame();
    view_.setMenuScreenVisible(false);
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

std::string signedNumberText(int value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

} // namespace zandrel
