#include "game/game.h"

#include "game/aiming.h"
#include "game/coordinates.h"
#include "game/game_texts.h"
#include "simulation/motion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zandrel {

namespace {

constexpr float kReaimDistance = 100.0f; ///< take-back aims one ball diameter short of the object ball
constexpr int kStartButton = 1;
constexpr int kMenuButton = 0;
constexpr int kBackButton = 2;

} // namespace

// The motion step reaches the window through the game: contact drawing and
// sounds go to the view, and every yield checks that the shot still runs.
class Game::ShotEvents final : public SimulationEvents {
public:
    ShotEvents(Game& game, unsigned generation) : game_(game), generation_(generation) {}

    bool yieldToEvents() override {
        game_.window_.processPendingEvents();
        return game_.rackGeneration_ == generation_ && game_.state_.motionTimerEnabled;
    }
    void drawBallOnScreen(int i) override { game_.table_.drawBallOnScreen(i); }
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

void Game::increment(int& counter, int limit) {
    if (counter < limit)
        ++counter;
}

Game::Game(TableView& table, WindowView& window) : table_(table), window_(window), sound_(&silence) {
    initPlayer();
}

void Game::setTimer(GameTimer timer, bool enabled) {
    // The game itself only needs to know whether a shot is moving and whether
    // play time is being counted; the view owns the real timers.
    if (timer == GameTimer::motion)
        state_.motionTimerEnabled = enabled;
    else if (timer == GameTimer::timeCounter)
        state_.timeCounterEnabled = enabled;
    window_.setTimerEnabled(timer, enabled);
}

void Game::setMotionTimer(bool enabled) {
    const bool wasRunning = state_.motionTimerEnabled;
    setTimer(GameTimer::motion, enabled);
    if (wasRunning && !enabled)
        sound_->shotOver();
}

void Game::setFirstPosition() {
    zandrel::setFirstPosition(state_.table, state_.gameKind);
    ++rackGeneration_;
}

void Game::initGame() {
    setFirstPosition();
    state_.cueBallIndex = kCueBallIndex;
    state_.points = 0;
    table_.clearTable();
    table_.setTableAutoRedraw(true);
    table_.clearPointMarks();
    table_.redrawTable();
    redrawAimTarget();
    table_.enableShotControls();
    setMotionTimer(false);
    state_.playSeconds = 0;
    state_.shotCount = 0;
    state_.innings = 1;
    state_.fouls = 0;
    setPower(kMaxPower);
    table_.setAimMarkerVisible(true);
    table_.setCueBallMarkerVisible(false);
    const Ball& cue = state_.table.balls[kCueBallIndex];
    table_.placeCueBallMarker(scale_.toPixelX(cue.x - kBallRadius), scale_.toPixelY(cue.y + kBallRadius));
    table_.enableShotInput(true);
    window_.setRetryMenuEnabled(false);
    table_.refreshTable();
}

void Game::initPlayer() {
    state_.players[0].name = fixedPlayerName("Player1");
    state_.players[1].name = fixedPlayerName("Player2");
    state_.winsNeeded = 3;
}

void Game::initGameMode() {
    state_.playMode = PlayMode::solo;
}

void Game::playAgainstTovi(int level) {
    state_.isVsCpu = true;
    state_.levelOfTovi = level;
}

void Game::setGameKind(GameKind gameKind) {
    state_.gameKind = gameKind;
}

void Game::returnToMenu() {
    initGame();
    setTimer(GameTimer::com, false);
    setMotionTimer(false);
    setTimer(GameTimer::demo, true);
    state_.idleSeconds = 0;
    window_.setMenuScreenVisible(true);
    state_.playMode = PlayMode::menu;
}

void Game::enableRetryMenu() {
    window_.setRetryMenuEnabled(state_.playMode == PlayMode::solo);
}

void Game::changGameMenu() {
    switch (state_.playMode) {
    case PlayMode::solo:
        table_.setTableButtonsVisible(true, true, true);
        break;
    case PlayMode::twoPlayers:
    case PlayMode::demo:
        table_.setTableButtonsVisible(true, false, false);
        break;
    default:
        table_.setTableButtonsVisible(false, false, false);
        break;
    }
}

void Game::requestMusic(int tune) {
    sound_->requestMusic(tune);
}

// --- The shot cycle ---------------------------------------------------------

void Game::cmdShot_Click() {
    // The button is disabled while the balls run; a press that slips in just
    // before the demonstration's turn disables it must not launch a second shot.
    if (state_.motionTimerEnabled)
        return;
    for (Ball& ball : state_.table.balls)
        ball.hitByCue = false;
    saveBallsForUndo();
    sound_->shotStarting();
    startShot(state_.table, kCueBallIndex, state_.power, state_.tipOffsetX, state_.tipOffsetY);
    table_.setAimMarkerVisible(false);
    table_.setCueBallMarkerVisible(false);
    table_.setTableAutoRedraw(false);
    table_.enableShotInput(false);
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

    table_.redrawTable();
    if (!areAllBallsStopped(state_.table))
        return;

    if (isScoringShot())
        increment(state_.points);
    else
        increment(state_.innings);
    table_.drawPointMarks();
    setMotionTimer(false);
    stopAllBalls(state_.table);
    table_.setTableAutoRedraw(true);
    table_.redrawTable();
    table_.setAimMarkerVisible(true);
    table_.drawBallOnScreen(kCueBallIndex);
    table_.refreshTable();
    table_.enableShotInput(true);
    enableRetryMenu();
    table_.enableShotControls();
    setPower(kMaxPower);
    table_.centreTipMarker();
    state_.tipOffsetX = 0.0f;
    state_.tipOffsetY = 0.0f;
    table_.refreshTable();
    table_.showInfomation();
    if (state_.playMode == PlayMode::demo) {
        // Tovi's shots only show how the game goes: they win the player no
        // game, and the demonstration runs its turns back to the menu screen.
        setTimer(GameTimer::com, true);
        return;
    }
    if (state_.points == state_.targetPoints)
        endGame();
}

void Game::endGame() {
    window_.showMessage(summaryMessage(state_.points, state_.innings));
    state_.points = 0;
    table_.drawPointMarks();
    lblMenu_Click(kStartButton);
    table_.showInfomation();
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
    table_.setTableAutoRedraw(true);
    table_.redrawTable();
    table_.refreshTable();
    table_.setAimMarkerVisible(true);
    table_.drawBallOnScreen(kCueBallIndex);
    table_.refreshTable();

    const int k = getFirstBallOnTable(state_.table);
    if (k != 0) {
        const Ball& object = state_.table.balls[k];
        state_.table.target = {object.x, object.y};
        const float a = getAngleToTarget(state_.table, kCueBallIndex);
        const float aimX = static_cast<float>(object.x - kReaimDistance * std::cos(double(a)));
        const float aimY = static_cast<float>(object.y - kReaimDistance * std::sin(double(a)));
        moveAimTarget(scale_.toPixelX(aimX), scale_.toPixelY(aimY));
        table_.setAimMarkerVisible(true);
        table_.setCueBallMarkerVisible(false);
    }
    table_.setShotButtonEnabled(true);
    table_.centreTipMarker();
    table_.refreshTable();
    window_.setRetryMenuEnabled(false);
}

// --- Aiming and cue tip -----------------------------------------------------

void Game::moveAimTarget(float px, float py) {
    const MarkerRect marker = scale_.aimMarker(px, py);
    table_.placeAimMarker(marker.left, marker.top);
    state_.table.target = {scale_.toTableX(px), scale_.toTableY(py)};
}

void Game::redrawAimTarget() {
    const MarkerRect marker =
        scale_.aimMarker(scale_.toPixelX(state_.table.target.x), scale_.toPixelY(state_.table.target.y));
    table_.placeAimMarker(marker.left, marker.top);
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

void Game::picSetPoint_MouseDown(float x, float y, float width, float height, float markerWidth) {
    const CueTipChoice choice = pickCueTip(x, y, width, height, markerWidth);
    table_.placeTipMarker(choice.markerLeft, choice.markerTop);
    state_.tipOffsetX = choice.tipOffsetX;
    state_.tipOffsetY = choice.tipOffsetY;
}

void Game::setPower(int power) {
    state_.power = std::clamp(power, kMinPower, kMaxPower);
    table_.showPower(state_.power);
}

// --- Menu screen and menus --------------------------------------------------

void Game::lblLetsPlay_Click(const GameChoice& choice) {
    table_.centreTipMarker();
    state_.gameKind = choice.gameKind;
    state_.playMode = choice.twoPlayers ? PlayMode::twoPlayers : PlayMode::solo;
    if (choice.targetPoints > 0)
        state_.targetPoints = choice.targetPoints;
    initGame();
    table_.showInfomation();
    window_.setMenuScreenVisible(false);
    table_.setShotButtonPlayLook();
    table_.setTovisMessageVisible(false);
    changGameMenu();
    requestMusic(kTuneGame);
}

void Game::picMenu_MouseMove() {
    state_.playMode = PlayMode::menu;
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
        table_.showInfomation();
        break;
    default:
        break;
    }
    table_.redrawTable();
}

void Game::mnuStart_click() {
    if (state_.motionTimerEnabled)
        return;
    table_.centreTipMarker();
    initGame();
    window_.setMenuScreenVisible(false);
    table_.showInfomation();
}

void Game::mnuRetry_Click() {
    if (state_.motionTimerEnabled)
        return;
    undoLastShot();
    table_.showInfomation();
}

void Game::returnToSoloPlay() {
    if (state_.motionTimerEnabled)
        return;
    window_.setStartMenuEnabled(true);
    state_.playMode = PlayMode::solo;
    setFirstPosition();
    initGame();
    changGameMenu();
    table_.showInfomation();
}

} // namespace zandrel
