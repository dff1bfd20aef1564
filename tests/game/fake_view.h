#pragma once

#include "game/game_sound.h"
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
    void clearPointMarks() override {}
    void setTableAutoRedraw(bool on) override { autoRedraw = on; }
    void refreshTable() override {}
    void showInfomation() override {}
    void setAimMarkerVisible(bool visible) override { aimMarkerVisible = visible; }
    void placeAimMarker(float left, float top) override { aimLeft = left, aimTop = top; }
    void setCueBallMarkerVisible(bool) override {}
    void placeCueBallMarker(float, float) override {}
    void placeTipMarker(float left, float top) override { tipLeft = left, tipTop = top; }
    void centreTipMarker() override { tipLeft = tipTop = 20.0f; }
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
    void setTimerEnabled(GameTimer timer, bool enabled) override {
        timers[static_cast<int>(timer)] = enabled;
    }
    bool timerEnabled(GameTimer timer) const { return timers[static_cast<int>(timer)]; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void processPendingEvents() override {
        if (onYield)
            onYield();
    }

    // Two-player set-up.
    void initGameMode() override { ++soloResets; }
    void setModeItemCaption(const std::string& caption) override { modeItemCaption = caption; }
    void setShotButtonTwoPlayerLook(const std::string& caption) override { shotCaption = caption; }
    int soloResets = 0;
    std::string modeItemCaption, shotCaption;
    bool startMenuEnabled = true;

    int redraws = 0, pointMarkDraws = 0, powerShown = 100;
    std::vector<int> ballsDrawnOnScreen;
    bool autoRedraw = true, aimMarkerVisible = false, shotInputEnabled = true, tableEnabled = true;
    bool retryMenuEnabled = false, menuScreenVisible = false, tovisMessageVisible = false;
    bool timers[4] = {};
    std::string shotButtonLook, tovisMessage;
    float aimLeft = 0, aimTop = 0, tipLeft = 20, tipTop = 20;
    std::vector<bool> buttons;
    std::vector<std::string> messages;
    std::function<void()> onYield;
};

/// Keeps the contact sounds and music requests the game reported.
class RecordingSound : public GameSound {
public:
    void playBallHitSound(float speed, int shotCount) override { ballHits.push_back({speed, shotCount}); }
    void playCushionSound(float speed, int shotCount) override { cushions.push_back({speed, shotCount}); }
    void requestMusic(int tune) override { musicRequests.push_back(tune); }

    struct Contact {
        float speed;
        int shotCount;
    };
    std::vector<Contact> ballHits;
    std::vector<Contact> cushions;
    std::vector<int> musicRequests;
};

} // namespace zandrel::testing
