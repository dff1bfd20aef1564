#include "game/game.h"

#include "game/aiming.h"
#include "game/coordinates.h"
#include "simulation/motion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zandrel {

namespace {

constexpr int kIdleSecondsBeforeDemo = 30;
constexpr int kIdleSecondsForDemoNow = 100;
constexpr float kReaimDistance = 100.0f; ///< take-back aims one ball diameter short of the object ball
constexpr int kStartButton = 1;
constexpr int kMenuButton = 0;
constexpr int kBackButton = 2;

/// One shot of the demonstration script: aim point in table units, power, Tovi's caption.
struct DemoShot {
    TablePoint aim;
    int power;
    const char* caption;
};

constexpr DemoShot kDemoScript[] = {
    {{545.0f, 520.0f}, 49, "サーブです。白玉が私の手玉です"},
    {{2035.0f, 670.0f}, 33, "手玉を２つの的玉に当てれば１ポイント"},
    {{1990.0f, 790.0f}, 50, "続いて、赤－赤と行きましょうか。"},
    {{1845.0f, 315.0f}, 52, "ちょっと遠いな… 赤－黄!"},
    {{2265.0f, 430.0f}, 50, "外れましたね。ここで交代です。"},
};
constexpr int kDemoShots = static_cast<int>(std::size(kDemoScript));
constexpr const char* kDemoClosingCaption = "規定ポイント先取で勝ち。最初は５ポイントぐらいから。";

// The turn sequencer's ticks (100 ms each) from the moment its timer starts.
constexpr int kComShowCaption = 0;
constexpr int kComRunScript = 1;
constexpr int kComHideCaption = 30;
constexpr int kComShoot = 31;

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
    setPower(kMaxPower);
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
    view_.setMenuScreenVisible(true);
    state_.playMode = PlayMode::menu;
}

void Game::enableRetryMenu() {
    view_.setRetryMenuEnabled(state_.playMode == PlayMode::solo);
}

void Game::changGameMenu() {
    switch (state_.playMode) {
    case PlayMode::solo:
        view_.setTableButtonsVisible(true, true, true);
        break;
    case PlayMode::twoPlayers:
    case PlayMode::demo:
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
    // The button is disabled while the balls run; a press that slips in just
    // before the demonstration's turn disables it must not launch a second shot.
    if (state_.motionTimerEnabled)
        return;
    for (Ball& ball : state_.table.balls)
        ball.hitByCue = false;
    saveBallsForUndo();
    sound_->shotStarting();
    startShot(state_.table, kCueBallIndex, state_.power, state_.tipOffsetX, state_.tipOffsetY);
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
    setPower(kMaxPower);
    view_.centreTipMarker();
    state_.tipOffsetX = 0.0f;
    state_.tipOffsetY = 0.0f;
    view_.refreshTable();
    view_.showInfomation();
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
    if (state_.playMode != PlayMode::menu) {
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
    state_.playMode = PlayMode::demo;
    view_.centreTipMarker(); // the tip offsets stay as the last game left them
    view_.setMenuScreenVisible(false);
    initGame();
    calDemo(0);
    state_.isVsCpu = true;
    state_.players[0].name = fixedPlayerName("You");
    state_.players[1].name = fixedPlayerName("tovi");
    state_.players[0].hasTurn = true;
    state_.players[1].hasTurn = false;
    state_.players[0].wins = 0;
    state_.players[1].wins = 0;
    view_.setShotButtonDemoLook();
    // A demonstration ended by a click may have left a turn half run: each
    // demonstration starts with a whole turn, caption first.
    state_.comTicks = 0;
    setTimer(GameTimer::com, true);
    setFirstPosition();
    view_.showInfomation();
}

void Game::calDemo(int argument) {
    if (argument == 0) {
        state_.demoStep = 0;
        return;
    }
    if (state_.demoStep >= 0 && state_.demoStep < kDemoShots) {
        const DemoShot& shot = kDemoScript[state_.demoStep];
        state_.table.target = shot.aim;
        setPower(shot.power);
        view_.setTovisMessage(shot.caption);
    } else {
        // The closing caption: aim and power stay, the menu screen follows.
        view_.setTovisMessage(kDemoClosingCaption);
        state_.demoStep = 0;
        state_.playMode = PlayMode::menu;
    }
    ++state_.demoStep;
    redrawAimTarget();
}

void Game::timCom_Timer() {
    const int tick = state_.comTicks;
    if (tick == kComShowCaption) {
        view_.setTovisMessageVisible(true);
        view_.enableShotInput(false);
        if (state_.playMode != PlayMode::demo)
            view_.setTableEnabled(false);
        state_.comTicks = kComRunScript;
    } else if (tick == kComRunScript) {
        if (state_.playMode == PlayMode::demo)
            calDemo(1);
        state_.comTicks = tick + 1;
    } else if (tick > kComRunScript && tick < kComHideCaption) {
        state_.comTicks = tick + 1;
    } else if (tick == kComHideCaption) {
        view_.setTovisMessageVisible(false);
        if (state_.playMode == PlayMode::menu) {
            state_.comTicks = 0;
            returnToMenu();
        } else {
            state_.comTicks = kComShoot;
        }
    } else {
        state_.comTicks = 0;
        view_.setTovisMessageVisible(false);
        view_.setTovisMessage("");
        view_.setShotButtonEnabled(true);
        cmdShot_Click();
        if (state_.playMode != PlayMode::demo)
            view_.setTableEnabled(false);
        setTimer(GameTimer::com, false);
    }
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
    if (state_.playMode != PlayMode::demo)
        return;
    initGame();
    setTimer(GameTimer::com, false);
    setMotionTimer(false);
    state_.idleSeconds = 0;
    // The caption of a turn cut short must not stay up over the next game.
    view_.setTovisMessageVisible(false);
    returnToMenu();
}

void Game::picSetPoint_MouseDown(float x, float y, float width, float height, float markerWidth) {
    const CueTipChoice choice = pickCueTip(x, y, width, height, markerWidth);
    view_.placeTipMarker(choice.markerLeft, choice.markerTop);
    state_.tipOffsetX = choice.tipOffsetX;
    state_.tipOffsetY = choice.tipOffsetY;
}

void Game::setPower(int power) {
    state_.power = std::clamp(power, kMinPower, kMaxPower);
    view_.showPower(state_.power);
}

// --- Menu screen and menus --------------------------------------------------

void Game::lblLetsPlay_Click(const GameChoice& choice) {
    view_.centreTipMarker();
    state_.gameKind = choice.gameKind;
    state_.playMode = choice.twoPlayers ? PlayMode::twoPlayers : PlayMode::solo;
    if (choice.targetPoints > 0)
        state_.targetPoints = choice.targetPoints;
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
    state_.gameKind = GameKind::fourBall;
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
    state_.playMode = PlayMode::solo;
    setFirstPosition();
    initGame();
    changGameMenu();
    view_.showInfomation();
}

// --- Texts ------------------------------------------------------------------

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
    case PlayMode::demo:
        return "How to play the 4 BALLS ?";
    case PlayMode::twoPlayers: {
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
    case PlayMode::solo:
        return to_string(state.points) + " / " + to_string(state.targetPoints) + " -- " +
               "Inning:" + to_string(state.innings) + " Shot:" + to_string(state.shotCount);
    default:
        return {};
    }
}

} // namespace zandrel
