#pragma once

#include "game/game.h"
#include "game/game_sound.h"
#include "game/game_view.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace zandrel::testing {

/// A view that keeps what the game told it, for tests without a window.
class FakeView : public TableView, public WindowView {
public:
    int redraws = 0, pointMarkDraws = 0, powerShown = 100, soloResets = 0;
    bool autoRedraw = true, aimMarkerVisible = false, shotInputEnabled = true, tableEnabled = true;
    bool retryMenuEnabled = false, startMenuEnabled = true, menuScreenVisible = false;
    bool tovisMessageVisible = false, timers[4] = {};
    std::string shotButtonLook, tovisMessage, modeItemCaption, shotCaption;
    float tipLeft = 20;
    std::vector<bool> buttons;
    std::vector<std::string> messages;
    std::function<void()> onYield;

    bool timerEnabled(GameTimer timer) const { return timers[static_cast<int>(timer)]; }

    void redrawTable() override { ++redraws; }
    void drawBallOnScreen(int) override {}
    void drawPointMarks() override { ++pointMarkDraws; }
    void clearTable() override {}
    void clearPointMarks() override {}
    void setTableAutoRedraw(bool on) override { autoRedraw = on; }
    void refreshTable() override {}
    void showInfomation() override {}
    void setAimMarkerVisible(bool visible) override { aimMarkerVisible = visible; }
    void placeAimMarker(float, float) override {}
    void setCueBallMarkerVisible(bool) override {}
    void placeCueBallMarker(float, float) override {}
    void placeTipMarker(float left, float) override { tipLeft = left; }
    void centreTipMarker() override { tipLeft = 20.0f; }
    void enableShotInput(bool enabled) override { shotInputEnabled = enabled; }
    void enableShotControls() override { shotInputEnabled = tableEnabled = true; }
    void setShotButtonEnabled(bool) override {}
    void setShotButtonPlayLook() override { shotButtonLook = "play"; }
    void setShotButtonDemoLook() override { shotButtonLook = "demo"; }
    void showPower(int value) override { powerShown = value; }
    void setTableEnabled(bool enabled) override { tableEnabled = enabled; }
    void setRetryMenuEnabled(bool enabled) override { retryMenuEnabled = enabled; }
    void setStartMenuEnabled(bool enabled) override { startMenuEnabled = enabled; }
    void setMenuScreenVisible(bool visible) override { menuScreenVisible = visible; }
    void setTableButtonsVisible(bool menu, bool start, bool back) override { buttons = {menu, start, back}; }
    void setTovisMessageVisible(bool visible) override { tovisMessageVisible = visible; }
    void setTovisMessage(const std::string& text) override { tovisMessage = text; }
    void setTimerEnabled(GameTimer timer, bool on) override { timers[static_cast<int>(timer)] = on; }
    void initGameMode() override { ++soloResets; }
    void setModeItemCaption(const std::string& caption) override { modeItemCaption = caption; }
    void setShotButtonTwoPlayerLook(const std::string& caption) override { shotCaption = caption; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void processPendingEvents() override {
        if (onYield)
            onYield();
    }
};

/// Keeps the music requests the game made and when it said the balls move or rest.
class RecordingSound : public GameSound {
public:
    void requestMusic(int tune) override { musicRequests.push_back(tune); }
    void shotStarting() override { balls.push_back("moving"); }
    void shotOver() override { balls.push_back("at rest"); }
    std::vector<int> musicRequests;
    std::vector<std::string> balls;
};

inline std::array<float, 2 * kBallCount> places(const Balls& balls) {
    std::array<float, 2 * kBallCount> xy;
    for (int i = 0; i < kBallCount; ++i)
        xy[2 * i] = balls[i].x, xy[2 * i + 1] = balls[i].y;
    return xy;
}

/// A game on the menu screen as the program starts, shown on a fake view.
class GameFixture : public ::testing::Test {
protected:
    GameFixture() {
        game.setSound(sound);
        game.initGame();
        game.returnToMenu();
    }
    const GameState& s() const { return game.state(); }
    std::tuple<int, int, int, int> counters() const {
        return {s().points, s().innings, s().shotCount, s().fouls};
    }

    FakeView view;
    RecordingSound sound;
    Game game{view, view};
};

} // namespace zandrel::testing
