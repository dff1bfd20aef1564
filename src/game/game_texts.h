#pragma once

// The texts the game makes of its state: the end-of-game message, the
// information strip's line, the players' names and the two-player captions.

#include <string>

namespace zandrel {

struct GameState;

/// Cuts a name to 12 characters or pads it with blanks (characters, not bytes).
std::string fixedPlayerName(const std::string& name);
/// `text` without leading and trailing blanks.
std::string trimmedName(const std::string& text);

/// `value` with two decimals, halves rounded away from zero ("0.00").
std::string formatTwoDecimals(float value);
/// The end-of-game message for a game of `points` in `innings`.
std::string summaryMessage(int points, int innings);
/// The line the information strip prints for the game state, or "" when the
/// strip stays empty (menu screen).
std::string infomationLine(const GameState& state);

// Two-player set-up and match result.
/// The name of the computer side; its name box cannot be edited.
inline constexpr const char* kComputerSideName = "tovi";
/// The mode item's caption while two players play, and in solo play.
inline constexpr const char* kBackToSoloCaption = "対戦→独り撞き(&S)";
inline constexpr const char* kToTwoPlayersCaption = "独り撞き→対戦(&M)";
/// "1 Win Match", "3Wins Match", "15Wins Match".
std::string winsNeededText(int wins);
/// The shot button in two-player play: "Your Shot" for "You", else "<name>'s Shot".
std::string twoPlayerShotCaption(const std::string& firstName);
/// 0 when player 0 has the turn, else 1.
int sideOnTurn(const GameState& state);
/// True when either player has won `winsNeeded` games.
bool isMatchDecided(const GameState& state);
/// The match result's top line.
std::string winnerLine(const GameState& state);

} // namespace zandrel
