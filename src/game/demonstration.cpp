// Tovi's demonstration: the idle watcher that starts it, the script of five
// announced shots and the turn sequencer that plays them. Each shot is an
// ordinary shot of the game; at rest the shot cycle hands back to the sequencer.

#include "game/game.h"
#include "game/game_texts.h"

#include <iterator>

namespace zandrel {

namespace {

constexpr int kIdleSecondsBeforeDemo = 30;
constexpr int kIdleSecondsForDemoNow = 100;

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

} // namespace

void Game::lblHelp_Click() {
    state_.idleSeconds = kIdleSecondsForDemoNow;
    state_.gameKind = GameKind::fourBall;
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
    table_.centreTipMarker(); // the tip offsets stay as the last game left them
    window_.setMenuScreenVisible(false);
    initGame();
    calDemo(0);
    state_.isVsCpu = true;
    state_.players[0].name = fixedPlayerName("You");
    state_.players[1].name = fixedPlayerName("tovi");
    state_.players[0].hasTurn = true;
    state_.players[1].hasTurn = false;
    state_.players[0].wins = 0;
    state_.players[1].wins = 0;
    table_.setShotButtonDemoLook();
    // A demonstration ended by a click may have left a turn half run: each
    // demonstration starts with a whole turn, caption first.
    state_.comTicks = 0;
    setTimer(GameTimer::com, true);
    setFirstPosition();
    table_.showInfomation();
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
        table_.setTovisMessage(shot.caption);
    } else {
        // The closing caption: aim and power stay, the menu screen follows.
        table_.setTovisMessage(kDemoClosingCaption);
        state_.demoStep = 0;
        state_.playMode = PlayMode::menu;
    }
    ++state_.demoStep;
    redrawAimTarget();
}

void Game::timCom_Timer() {
    const int tick = state_.comTicks;
    if (tick == kComShowCaption) {
        table_.setTovisMessageVisible(true);
        table_.enableShotInput(false);
        if (state_.playMode != PlayMode::demo)
            table_.setTableEnabled(false);
        state_.comTicks = kComRunScript;
    } else if (tick == kComRunScript) {
        if (state_.playMode == PlayMode::demo)
            calDemo(1);
        state_.comTicks = tick + 1;
    } else if (tick > kComRunScript && tick < kComHideCaption) {
        state_.comTicks = tick + 1;
    } else if (tick == kComHideCaption) {
        table_.setTovisMessageVisible(false);
        if (state_.playMode == PlayMode::menu) {
            state_.comTicks = 0;
            returnToMenu();
        } else {
            state_.comTicks = kComShoot;
        }
    } else {
        state_.comTicks = 0;
        table_.setTovisMessageVisible(false);
        table_.setTovisMessage("");
        table_.setShotButtonEnabled(true);
        cmdShot_Click();
        if (state_.playMode != PlayMode::demo)
            table_.setTableEnabled(false);
        setTimer(GameTimer::com, false);
    }
}

void Game::picPool_Click() {
    if (state_.playMode != PlayMode::demo)
        return;
    initGame();
    setTimer(GameTimer::com, false);
    setMotionTimer(false);
    state_.idleSeconds = 0;
    // The caption of a turn cut short must not stay up over the next game.
    table_.setTovisMessageVisible(false);
    returnToMenu();
}

} // namespace zandrel
