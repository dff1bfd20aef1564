#pragma once

// The game: play modes, the shot cycle, scoring, take-back and the counters.
// The window forwards its events here and shows what the game tells its view.

#include "game/coordinates.h"
#include "game/game_sound.h"
#include "game/game_view.h"
#include "simulation/motion.h"
#include "simulation/table.h"

#include <array>
#include <string>

namespace zandrel {

/// What the table is being used for.
enum class PlayMode : int {
    solo = 0,       ///< one player's game
    twoPlayers = 1, ///< a two-player game
    demo = 2,       ///< Tovi's demonstration
    menu = 3,       ///< the menu screen (also a game restarted while it is up)
};

inline constexpr int kPlayerNameLength = 12;
inline constexpr int kMaxCounter = 32767; ///< counters stop here instead of wrapping
inline constexpr int kDefaultTargetPoints = 5;

/// One side of a game.
struct Player {
    std::string name = std::string(kPlayerNameLength, ' '); ///< always 12 characters, blank padded
    bool hasTurn = false;
    int wins = 0;
};

/// Cuts a name to 12 characters or pads it with blanks (characters, not bytes).
std::string fixedPlayerName(const std::string& name);

/// What the menu screen's three boxes chose.
struct GameChoice {
    GameKind gameKind = GameKind::fourBall;
    int targetPoints = kDefaultTargetPoints;
    bool twoPlayers = false;
};

/// Everything a game shares with the window, the strip and the dialogs.
struct GameState {
    Table table;
    Balls savedBalls{}; ///< the take-back snapshot; all zero (balls off the table) until the first shot

    PlayMode playMode = PlayMode::menu;
    GameKind gameKind = GameKind::fourBall;
    int points = 0;
    int targetPoints =
        kDefaultTargetPoints; ///< the menu screen's preselected target until the first "Let's Play!"
    int innings = 1;
    int shotCount = 0;
    int playSeconds = 0;
    int fouls = 0;
    std::array<Player, 2> players{};
    int winsNeeded = 3;
    bool isVsCpu = true;
    int cueBallIndex = kCueBallIndex;
    int idleSeconds = 0;
    int levelOfTovi = 1;

    float tipOffsetX = 0.0f; ///< side, -1..1
    float tipOffsetY = 0.0f; ///< vertical, -2..2
    int power = kMaxPower;   ///< percent, kMinPower..kMaxPower; every shot starts at full power

    int demoStep = 0; ///< the demonstration script's next step: 0..4 the shots, 5 the closing caption
    int comTicks = 0; ///< 100 ms ticks of the current demonstration turn

    bool motionTimerEnabled = false;
    bool timeCounterEnabled = false;
};

class Game {
public:
    explicit Game(GameView& view);

    const GameState& state() const { return state_; }
    /// The table picture's scale (pixels per table unit, ball size).
    const TableScale& scale() const { return scale_; }
    /// The balls and the aim point, for tests that set up a position. Only
    /// tests write through this; the game itself keeps its table.
    Table& tableForTests() { return state_.table; }

    // Set-up.
    void initGame();
    void initPlayer();
    /// Solo play: the mode the window's start-up and the switch back from two players set.
    void initGameMode();
    /// The computer side Tovi plays at `level` (from the records).
    void playAgainstTovi(int level);
    /// The game kind the next rack is made for.
    void setGameKind(GameKind gameKind);
    void returnToMenu();
    void enableRetryMenu();
    /// Racks the balls for the current game kind.
    void setFirstPosition();
    /// Which table-screen buttons show in the current play mode.
    void changGameMenu();
    /// A music request, passed to the sound side.
    void requestMusic(int tune);
    /// Where contact sounds and music requests go; until set, nowhere.
    void setSound(GameSound& sound) { sound_ = &sound; }

    // The shot cycle.
    void cmdShot_Click();
    void Timer1_Timer();
    void timTimeCounter_Timer();
    /// The idle watcher: one tick a second, counted only on the menu screen.
    void timDemo_Timer();
    /// The demonstration's turn sequencer: one tick every 100 ms while a turn runs.
    void timCom_Timer();
    bool isScoringShot() const;
    /// True while a shot is in motion.
    bool isShotRunning() const { return state_.motionTimerEnabled; }

    // Take-back.
    void saveBallsForUndo();
    void undoLastShot();

    // Aiming and cue tip (pixels of the table picture / the cue-ball face).
    void moveAimTarget(float px, float py);
    void redrawAimTarget();
    void picPool_MouseDown(float x, float y);
    void picPool_MouseMove(bool buttonHeld, float x, float y);
    void picPool_MouseUp(bool buttonHeld, float x, float y);
    void picPool_Click();
    void picSetPoint_MouseDown(float x, float y, float width, float height, float markerWidth);
    /// The power chosen for the next shot, kept within kMinPower..kMaxPower.
    void setPower(int power);

    // Menu screen and menus.
    /// "Let's Play!" with the three menu-screen choices.
    void lblLetsPlay_Click(const GameChoice& choice);
    /// "４つ球のデモ": a four-ball demonstration at the idle watcher's next tick.
    void lblHelp_Click();
    /// The pointer over the menu screen puts the game in menu mode.
    void picMenu_MouseMove();
    /// The table-screen buttons: 0 "Menu", 1 "Start", 2 "Back".
    void lblMenu_Click(int index);
    /// The menu's restart (F2); ignored while a shot runs.
    void mnuStart_click();
    /// The menu's take-back; ignored while a shot runs.
    void mnuRetry_Click();
    /// Back to solo play after a two-player game.
    void returnToSoloPlay();

    // Two-player set-up and match result.
    /// The set-up dialog opens: play mode 1 while it is up.
    void beginTwoPlayerSetup();
    /// The dialog's games-to-win bar moved: stored at once, whatever closes the dialog.
    void setWinsNeeded(int wins);
    /// O.K.: the two names, player 0 on turn, no wins, the two-player captions.
    void confirmTwoPlayerSetup(const std::string& name0, const std::string& name1);
    /// Cancel: no computer side, solo set-up, then the menu screen once the dialog is gone.
    void cancelTwoPlayerSetup();
    /// The dialog has closed (O.K., Cancel or its close box): a fresh two-player
    /// rack, or the menu screen after Cancel.
    void finishTwoPlayerSetup();

private:
    class ShotEvents;
    void setMotionTimer(bool enabled);
    void setTimer(GameTimer timer, bool enabled);
    void endGame();
    void startDemo();
    /// The demonstration script: 0 rewinds it, anything else prepares the next step.
    void calDemo(int argument);

    GameView& view_;
    GameSound* sound_;
    GameState state_;
    TableScale scale_;
    bool inMotionTick_ = false;
    /// Bumped whenever the balls are racked or restored: a shot tick that sees
    /// it change while it yields was abandoned and must not score.
    unsigned rackGeneration_ = 0;
};

/// `value` with two decimals, halves rounded away from zero ("0.00").
std::string formatTwoDecimals(float value);

/// The end-of-game message for a game of `points` in `innings`.
std::string summaryMessage(int points, int innings);

// Two-player set-up and match result.
/// The name of the computer side; its name box cannot be edited.
inline constexpr const char* kComputerSideName = "tovi";
/// The mode item's caption while two players play.
inline constexpr const char* kBackToSoloCaption = "対戦→独り撞き(&S)";
/// `text` without leading and trailing blanks.
std::string trimmedName(const std::string& text);
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
/// A count with a blank for the sign of non-negative values: " 0", "-1".
std::string signedNumberText(int value);

/// The line the information strip prints for the game state, or "" when the
/// strip stays empty (menu screen).
std::string infomationLine(const GameState& state);

} // namespace zandrel
