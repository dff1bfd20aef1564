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
/// The games that win a two-player match: the set-up dialog's range.
inline constexpr int kFewestWinsNeeded = 1;
inline constexpr int kMostWinsNeeded = 15;
/// From this level on Tovi is a master.
inline constexpr int kMasterLevel = 11;

/// One side of a game.
struct Player {
    std::string name = std::string(kPlayerNameLength, ' '); ///< always 12 characters, blank padded
    bool hasTurn = false;
    int wins = 0;
};

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

/// The games played on the one table, from the menu screen to the end of each
/// game. The window calls its handlers and shows what it tells the two views.
class Game {
public:
    Game(TableView& table, WindowView& window);

    const GameState& state() const { return state_; }
    /// The table picture's scale (pixels per table unit, ball size).
    const TableScale& scale() const { return scale_; }
    /// The balls and the aim point, for tests that set up a position. Only
    /// tests write through this; the game itself keeps its table.
    Table& tableForTests() { return state_.table; }
    /// Where contact sounds and music requests go; until set, nowhere.
    void setSound(GameSound& sound) { sound_ = &sound; }

    // Start-up, in the window's order.
    /// Solo play: the mode the window's start-up and the switch back from two players set.
    void initGameMode();
    void initPlayer();
    /// The computer side Tovi plays at `level` (from the records).
    void playAgainstTovi(int level);
    /// The game kind the next rack is made for.
    void setGameKind(GameKind gameKind);
    /// Racks the balls for the current game kind.
    void setFirstPosition();
    /// A new game on the same table: a fresh rack, the counters at 0, full power.
    void initGame();
    /// The menu screen, with the idle watcher counting from 0.
    void returnToMenu();

    // The shot cycle and the timers the window runs for the game.
    void cmdShot_Click();
    /// One 50 ms motion tick of the running shot; at rest the shot is scored.
    void Timer1_Timer();
    /// One second of play time.
    void timTimeCounter_Timer();
    /// The idle watcher: one tick a second, counted only on the menu screen.
    void timDemo_Timer();
    /// The demonstration's turn sequencer: one tick every 100 ms while a turn runs.
    void timCom_Timer();
    /// True while a shot is in motion.
    bool isShotRunning() const { return state_.motionTimerEnabled; }

    // Aiming, cue tip and power (pixels of the table picture / the cue-ball face).
    void picPool_MouseDown(float x, float y);
    void picPool_MouseMove(bool buttonHeld, float x, float y);
    void picPool_MouseUp(bool buttonHeld, float x, float y);
    /// A click on the table: it ends the demonstration.
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

    // Two-player set-up.
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

    // The shot cycle.
    void setMotionTimer(bool enabled);
    void setTimer(GameTimer timer, bool enabled);
    bool isScoringShot() const;
    void endGame();
    void enableRetryMenu();
    /// Which table-screen buttons show in the current play mode.
    void changGameMenu();
    void requestMusic(int tune);
    /// Adds one to `counter` unless it has reached `limit`.
    static void increment(int& counter, int limit = kMaxCounter);

    // Take-back.
    void saveBallsForUndo();
    void undoLastShot();

    // Aiming.
    void moveAimTarget(float px, float py);
    void redrawAimTarget();

    // The demonstration.
    void startDemo();
    /// The demonstration script: 0 rewinds it, anything else prepares the next step.
    void calDemo(int argument);

    TableView& table_;
    WindowView& window_;
    GameSound* sound_;
    GameState state_;
    TableScale scale_;
    bool inMotionTick_ = false;
    /// Bumped whenever the balls are racked or restored: a shot tick that sees
    /// it change while it yields was abandoned and must not score.
    unsigned rackGeneration_ = 0;
};

} // namespace zandrel
