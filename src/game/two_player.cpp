// Two players on one table: the set-up dialog's effects on the game.

#include "game/game.h"
#include "game/game_texts.h"

#include <algorithm>

namespace zandrel {

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
    window_.setModeItemCaption(kBackToSoloCaption);
    table_.setShotButtonTwoPlayerLook(twoPlayerShotCaption(state_.players[0].name));
}

void Game::cancelTwoPlayerSetup() {
    state_.isVsCpu = false;
    window_.initGameMode();
    state_.playMode = PlayMode::menu;
}

void Game::finishTwoPlayerSetup() {
    if (state_.playMode != PlayMode::twoPlayers) {
        returnToMenu();
        return;
    }
    window_.setStartMenuEnabled(false);
    setFirstPosition();
    initGame();
    window_.setMenuScreenVisible(false);
}

} // namespace zandrel
