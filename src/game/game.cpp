#include "game/game.h"

#include "game/aiming.h"
#include "game/coordinates.h"
#include "simulation/motion.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace zandrel {

namespace {

constexpr int kFullPower = 100;
constexpr int kIdleSecondsBeforeDemo = 30;
constexpr int kIdleSecondsForDemoNow = 100;
constexpr float kReaimDistance = 100.0f; ///< take-back aims one ball diameter short of the object ball
constexpr int kStartButton = 1;
constexpr int kMenuButton = 0;
constexpr int kBackButton = 2;

void increment(int& counter, int limit = kMaxCounter) {
    if (counter < limit)
        ++counter;
}

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

// The motion step reaches the window through the game: contact drawing and
// sounds go to the view, and every yield checks that the shot still runs.
class Game::ShotEvents final : public SimulationEvents {
public:
    ShotEvents(Game& game, unsigned generation) : game_(game), generation_(generation) {}

    bool yieldToEvents() override {
        game_.view_.processPendingEvents();
        return game_.rackGeneration_ == generation_ && game_.state_.motionTimerEnabled;
    }
    void drawBallOnScreen(int i) override { game_.view_.drawBallOnScreen(i); }
    void playBallHitSound(float impactSpeed) override {
        game_.sound_->playBallHitSound(impactSpeed, game_.state_.shotCount);
    }
    void playCushionSound(float speed) override {
        game_.sound_->playCushionSound(speed, game_.state_.shotCount);
    }

private:
    Game& game_;
    unsigned generation_;
};

namespace {
GameSound silence;
} // namespace

Game::Game(GameView& view) : view_(view), sound_(&silence) {
    initPlayer();
}

void Game::setTimer(GameTimer timer, bool enabled) {
    // The game itself only needs to know whether a shot is moving and whether
    // play time is being counted; the view owns the real timers.
    if (timer == GameTimer::motion)
        state_.motionTimerEnabled = enabled;
    else if (timer == GameTimer::timeCounter)
        state_.timeCounterEnabled = enabled;
    view_.setTimerEnabled(timer, enabled);
}

void Game::setMotionTimer(bool enabled) {
    setTimer(GameTimer::motion, enabled);
}

void Game::setFirstPosition() {
    zandrel::setFirstPosition(state_.table, state_.gameKind);
    ++rackGeneration_;
}

void Game::initGame() {
    setFirstPosition();
    state_.cueBallIndex = kCueBallIndex;
    state_.points = 0;
    view_.clearTable();
    view_.setTableAutoRedraw(true);
    view_.clearPointMarks();
    view_.redrawTable();
    redrawAimTarget();
    view_.enableShotControls();
    setMotionTimer(false);
    state_.playSeconds = 0;
    state_.shotCount = 0;
    state_.innings = 1;
    state_.fouls = 0;
    view_.setPower(kFullPower);
    view_.setAimMarkerVisible(true);
    view_.setCueBallMarkerVisible(false);
    const Ball& cue = state_.table.balls[kCueBallIndex];
    view_.placeCueBallMarker(scale_.toPixelX(cue.x - kBallRadius), scale_.toPixelY(cue.y + kBallRadius));
    view_.enableShotInput(true);
    view_.setRetryMenuEnabled(false);
    view_.refreshTable();
}

void Game::initPlayer() {
    state_.players[0].name = fixedPlayerName("Player1");
    state_.players[1].name = fixedPlayerName("Player2");
    state_.winsNeeded = 3;
}

void Game::returnToMenu() {
    initGame();
    setTimer(GameTimer::com, false);
    setMotionTimer(false);
    setTimer(GameTimer::demo, true);
    state_.idleSeconds = 0;
    view_.setMenuScreenVisible(true);
    state_.playMode = playModeMenu;
}

void Game::enableRetryMenu() {
    view_.setRetryMenuEnabled(state_.playMode == playModeSolo);
}

void Game::changGameMenu() {
    switch (state_.playMode) {
    case playModeSolo:
        view_.setTableButtonsVisible(true, true, true);
        break;
    case playModeTwoPlayers:
    case playModeDemo:
        view_.setTableButtonsVisible(true, false, false);
        break;
    default:
        view_.setTableButtonsVisible(false, false, false);
        break;
    }
}

void Game::requestMusic(int tune) {
    sound_->requestMusic(tune);
}

// --- The shot cycle ---------------------------------------------------------

void Game::cmdShot_Click() {
    for (Ball& ball : state_.table.balls)
        ball.hitByCue = false;
    saveBallsForUndo();
    startShot(state_.table, kCueBallIndex, view_.power(), state_.tipOffsetX, state_.tipOffsetY);
    view_.setAimMarkerVisible(false);
    view_.setCueBallMarkerVisible(false);
    view_.setTableAutoRedraw(false);
    view_.enableShotInput(false);
    setMotionTimer(true);
    setTimer(GameTimer::timeCounter, true);
    increment(state_.shotCount);
}

void Game::Timer1_Timer() {
    // A tick that falls due while an earlier tick is inside its yield is dropped.
    if (!state_.motionTimerEnabled || inMotionTick_)
        return;
    inMotionTick_ = true;
    const unsigned generation = rackGeneration_;
    ShotEvents events(*this, generation);
    const StepResult result = stepSimulation(state_.table, events);
    inMotionTick_ = false;
    // Something run during the yield racked anew, restored the balls or stopped
    // the shot: this tick belongs to a shot that no longer exists.
    if (result == StepResult::abandoned || generation != rackGeneration_ || !state_.motionTimerEnabled)
        return;

    view_.redrawTable();
    if (!areAllBallsStopped(state_.table))
        return;

    if (isScoringShot())
        increment(state_.points);
    else
        increment(state_.innings);
    view_.drawPointMarks();
    setMotionTimer(false);
    stopAllBalls(state_.table);
    view_.setTableAutoRedraw(true);
    view_.redrawTable();
    view_.setAimMarkerVisible(true);
    view_.drawBallOnScreen(kCueBallIndex);
    view_.refreshTable();
    view_.enableShotInput(true);
    enableRetryMenu();
    view_.enableShotControls();
    view_.setPower(kFullPower);
    view_.centreTipMarker();
    state_.tipOffsetX = 0.0f;
    state_.tipOffsetY = 0.0f;
    view_.refreshTable();
    view_.showInfomation();
    if (state_.playMode == playModeDemo)
        setTimer(GameTimer::com, true);
    if (state_.points == state_.targetPoints)
        endGame();
}

void Game::endGame() {
    view_.showMessage(summaryMessage(state_.points, state_.innings));
    state_.points = 0;
    view_.drawPointMarks();
    lblMenu_Click(kStartButton);
    view_.showInfomation();
}

bool Game::isScoringShot() const {
    int touched = 0;
    for (int i = 0; i < kBallCount; ++i) {
        if (i != state_.cueBallIndex && state_.table.balls[i].hitByCue)
            ++touched;
    }
    return touched >= 2;
}

void Game::timTimeCounter_Timer() {
    increment(state_.playSeconds, std::numeric_limits<int>::max());
}

void Game::timDemo_Timer() {
    if (state_.playMode != playModeMenu) {
        state_.idleSeconds = 0;
        return;
    }
    increment(state_.idleSeconds);
    if (state_.idleSeconds > kIdleSecondsBeforeDemo) {
        changGameMenu();
        state_.idleSeconds = 0;
        startDemo();
    }
}

void Game::startDemo() {
    // The scripted demonstration is not part of the game yet: the idle watcher
    // keeps counting on the menu screen.
}

// --- Take-back --------------------------------------------------------------

void Game::saveBallsForUndo() {
    state_.savedBalls = state_.table.balls;
}

void Game::undoLastShot() {
    // Nothing has been shot in this game: the snapshot may belong to another
    // game, or be the empty one taken at start-up, so there is nothing to restore.
    if (state_.shotCount == 0)
        return;
    if (state_.shotCount == 1) {
        mnuStart_click();
        return;
    }
    state_.table.balls = state_.savedBalls;
    ++rackGeneration_;
    stopAllBalls(state_.table);
    increment(state_.shotCount);
    increment(state_.fouls);
    increment(state_.innings);
    view_.setTableAutoRedraw(true);
    view_.redrawTable();
    view_.refreshTable();
    view_.setAimMarkerVisible(true);
    view_.drawBallOnScreen(kCueBallIndex);
    view_.refreshTable();

    const int k = getFirstBallOnTable(state_.table);
    if (k != 0) {
        const Ball& object = state_.table.balls[k];
        state_.table.target = {object.x, object.y};
        const float a = getAngleToTarget(state_.table, kCueBallIndex);
        const float aimX = static_cast<float>(object.x - kReaimDistance * std::cos(double(a)));
        const float aimY = static_cast<float>(object.y - kReaimDistance * std::sin(double(a)));
        moveAimTarget(scale_.toPixelX(aimX), scale_.toPixelY(aimY));
        view_.setAimMarkerVisible(true);
        view_.setCueBallMarkerVisible(false);
    }
    view_.setShotButtonEnabled(true);
    view_.centreTipMarker();
    view_.refreshTable();
    view_.setRetryMenuEnabled(false);
}

// --- Aiming and cue tip -----------------------------------------------------

void Game::moveAimTarget(float px, float py) {
    const MarkerRect marker = scale_.aimMarker(px, py);
    view_.placeAimMarker(marker.left, marker.top);
    state_.table.target = {scale_.toTableX(px), scale_.toTableY(py)};
}

void Game::redrawAimTarget() {
    const MarkerRect marker =
        scale_.aimMarker(scale_.toPixelX(state_.table.target.x), scale_.toPixelY(state_.table.target.y));
    view_.placeAimMarker(marker.left, marker.top);
}

void Game::picPool_MouseDown(float x, float y) {
    moveAimTarget(clampPixelX(x), clampPixelY(y));
}

void Game::picPool_MouseMove(bool buttonHeld, float x, float y) {
    if (buttonHeld)
        moveAimTarget(x, y);
}

void Game::picPool_MouseUp(bool buttonHeld, float x, float y) {
    if (buttonHeld)
        moveAimTarget(clampPixelX(x), clampPixelY(y));
}

void Game::picPool_Click() {
    if (state_.playMode != playModeDemo)
        return;
    initGame();
    setTimer(GameTimer::com, false);
    setMotionTimer(false);
    state_.idleSeconds = 0;
    returnToMenu();
}

void Game::picSetPoint_MouseDown(float x, float y, float width, float height, float markerWidth) {
    const CueTipChoice choice = pickCueTip(x, y, width, height, markerWidth);
    view_.placeTipMarker(choice.markerLeft, choice.markerTop);
    state_.tipOffsetX = choice.tipOffsetX;
    state_.tipOffsetY = choice.tipOffsetY;
}

// --- Menu screen and menus --------------------------------------------------

void Game::lblLetsPlay_Click(const std::string& gameName, const std::string& vsMode,
                             const std::string& pointsText) {
    view_.centreTipMarker();
    state_.gameKind = kGameKindThreeBall;
    if (gameName == "４つ球")
        state_.gameKind = kGameKindFourBall;
    else if (gameName == "３つ球")
        state_.gameKind = kGameKindThreeBall;
    if (vsMode == "独り撞き")
        state_.playMode = playModeSolo;
    else if (vsMode == "二人撞き")
        state_.playMode = playModeTwoPlayers;
    int target = 0;
    if (std::sscanf(pointsText.c_str(), "%d", &target) == 1 && target > 0)
        state_.targetPoints = target;
    initGame();
    view_.showInfomation();
    view_.setMenuScreenVisible(false);
    view_.setShotButtonPlayLook();
    view_.setTovisMessageVisible(false);
    changGameMenu();
    requestMusic(kTuneGame);
}

void Game::lblHelp_Click() {
    state_.idleSeconds = kIdleSecondsForDemoNow;
    state_.gameKind = kGameKindFourBall;
}

void Game::lblMenu_Click(int index) {
    if (state_.motionTimerEnabled)
        return;
    switch (index) {
    case kMenuButton:
        returnToMenu();
        requestMusic(kTuneMenu);
        break;
    case kStartButton:
        mnuStart_click(); // the same restart; no shot is running here
        break;
    case kBackButton:
        undoLastShot();
        view_.showInfomation();
        break;
    default:
        break;
    }
    view_.redrawTable();
}

void Game::mnuStart_click() {
    if (state_.motionTimerEnabled)
        return;
    view_.centreTipMarker();
    initGame();
    view_.setMenuScreenVisible(false);
    view_.showInfomation();
}

void Game::mnuRetry_Click() {
    if (state_.motionTimerEnabled)
        return;
    undoLastShot();
    view_.showInfomation();
}

void Game::returnToSoloPlay() {
    if (state_.motionTimerEnabled)
        return;
    view_.setStartMenuEnabled(true);
    state_.playMode = playModeSolo;
    setFirstPosition();
    initGame();
    changGameMenu();
    view_.showInfomation();
}

// --- Texts ------------------------------------------------------------------

std::string summaryMessage(int points, int innings) {
    if (innings == 1)
        return std::to_string(points) + "ポイント撞き切りです。素晴らしい！";
    const float average = static_cast<float>(points) / static_cast<float>(innings);
    char formatted[32];
    std::snprintf(formatted, sizeof formatted, "%.2f", static_cast<double>(average));
    return std::to_string(points) + "ポイントを" + std::to_string(innings) + "イニングで撞き終えました。" +
           "アベレージ" + formatted;
}

namespace {

std::string trimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace

std::string infomationLine(const GameState& state) {
    using std::to_string;
    switch (state.playMode) {
    case playModeDemo:
        return "How to play the 4 BALLS ?";
    case playModeTwoPlayers: {
        std::string line = " " + trimBlanks(state.players[0].name) + "  " + to_string(state.players[0].wins) +
                           " - " + to_string(state.players[1].wins);
        if (state.isVsCpu) {
            constexpr int kMasterLevel = 11;
            line += state.levelOfTovi >= kMasterLevel ? " Master " : " Lv." + to_string(state.levelOfTovi);
            line += " tovi ";
        } else {
            line += "  " + trimBlanks(state.players[1].name);
        }
        return line;
    }
    case playModeSolo:
        return to_string(state.points) + " / " + to_string(state.targetPoints) + " -- " +
               "Inning:" + to_string(state.innings) + " Shot:" + to_string(state.shotCount);
    default:
        return {};
    }
}

} // namespace zandrel
