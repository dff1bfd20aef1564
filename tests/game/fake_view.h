#pragma once

#include "game/game_view.h"

#include <functional>
#include <string>
#include <vector>

namespace zandrel::testing {

/// A view that keeps what the game told it, for tests without a window.
class FakeView : public GameView {
public:
    void redrawTable() override { ++redraws; }
    void drawBallOnScreen(int i) override { ballsDrawnOnScreen.push_back(i); }
    void drawPointMarks() override { ++pointMarkDraws; }
    void clearTable() override {}
    void clearPointMarks() override { ++pointMarkClears; }
    void setTableAutoRedraw(bool on) override { autoRedraw = on; }
    void refreshTable() override {}
    void showInfomation() override { ++infomationDraws; }
    void setAimMarkerVisible(bool visible) override { aimMarkerVisible = visible; }
    void placeAimMarker(float left, float top) override { aimLeft = left, aimTop = top; }
    void setCueBallMarkerVisible(bool visible) override { cueBallMarkerVisible = visible; }
    void placeCueBallMarker(float left, float top) override { cueLeft = left, cueTop = top; }
    void placeTipMarker(float left, float top) override { tipLeft = left, tipTop = top; }
    void centreTipMarker() override { tipLeft = tipTop = 20.0f; }
    void enableShotInput(bool enabled) override { shotInputEnabled = enabled; }
    void enableShotControls() override { shotInputEnabled = true; }
    void setShotButtonEnabled(bool enabled) override { shotButtonEnabled = enabled; }
    void setShotButtonPlayLook() override { shotButtonPlayLook = true; }
    int power() const override { return powerValue; }
    void setPower(int value) override { powerValue = value; }
    void setRetryMenuEnabled(bool enabled) override { retryMenuEnabled = enabled; }
    void setStartMenuEnabled(bool enabled) override { startMenuEnabled = enabled; }
    void setMenuScreenVisible(bool visible) override { menuScreenVisible = visible; }
    void setTableButtonsVisible(bool menu, bool start, bool back) override { buttons = {menu, start, back}; }
    void setTovisMessageVisible(bool visible) override { tovisMessageVisible = visible; }
    void setTimerEnabled(GameTimer, bool) override {}
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void processPendingEvents() override {
        if (onYield)
            onYield();
    }

    int redraws = 0;
    int pointMarkDraws = 0;
    int pointMarkClears = 0;
    int infomationDraws = 0;
    std::vector<int> ballsDrawnOnScreen;
    bool autoRedraw = true;
    bool aimMarkerVisible = false;
    bool cueBallMarkerVisible = false;
    float aimLeft = 0, aimTop = 0, cueLeft = 0, cueTop = 0, tipLeft = 20, tipTop = 20;
    bool shotInputEnabled = true;
    bool shotButtonEnabled = true;
    bool shotButtonPlayLook = false;
    int powerValue = 100;
    bool retryMenuEnabled = false;
    bool startMenuEnabled = true;
    bool menuScreenVisible = false;
    struct Buttons {
        bool menu = true, start = true, back = true;
        bool operator==(const Buttons&) const = default;
    } buttons;
    bool tovisMessageVisible = false;
    std::vector<std::string> messages;
    std::function<void()> onYield;
};

} // namespace zandrel::testing
