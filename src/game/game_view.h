#pragma once

// What the game needs from the window that shows it, screen by screen. The
// game layer decides what happens and in which order; the views only put it
// on the screen.

#include <string>

namespace zandrel {

/// The game's timers. The window owns the real timers and calls the matching
/// Game handler when one fires.
enum class GameTimer {
    motion,      ///< 50 ms ball-motion tick (Game::Timer1_Timer)
    timeCounter, ///< 1 s play-time counter (Game::timTimeCounter_Timer)
    demo,        ///< 1 s idle watcher on the menu screen (Game::timDemo_Timer)
    com,         ///< 100 ms demonstration turn sequencer (Game::timCom_Timer)
};

/// The table screen: the table picture with its markers and Tovi's caption,
/// the information strip, the control strip and the table buttons.
class TableView {
public:
    virtual ~TableView() = default;

    // The table picture.
    /// Composes a whole frame in the back buffer and shows it.
    virtual void redrawTable() = 0;
    /// Draws ball i (at-rest sprite) straight onto the visible table.
    virtual void drawBallOnScreen(int i) = 0;
    /// Redraws the row of point marks under the table from the current points.
    virtual void drawPointMarks() = 0;
    /// Clears the visible table picture.
    virtual void clearTable() = 0;
    /// Clears the point-mark strip.
    virtual void clearPointMarks() = 0;
    /// True: drawing on the visible table is kept (survives repaints); false:
    /// drawing goes straight to the screen until the next repaint.
    virtual void setTableAutoRedraw(bool on) = 0;
    /// Shows the visible table's kept image.
    virtual void refreshTable() = 0;
    /// Redraws the information strip from the game state.
    virtual void showInfomation() = 0;

    // Markers, in pixels of the table picture (aim, cue ball) or of the cue-ball face (tip).
    virtual void setAimMarkerVisible(bool visible) = 0;
    virtual void placeAimMarker(float left, float top) = 0;
    virtual void setCueBallMarkerVisible(bool visible) = 0;
    virtual void placeCueBallMarker(float left, float top) = 0;
    virtual void placeTipMarker(float left, float top) = 0;
    /// Puts the tip marker back in the middle of the cue-ball face.
    virtual void centreTipMarker() = 0;

    // Controls.
    /// Enables or disables the cue-ball face, the power bar and the shot button.
    virtual void enableShotInput(bool enabled) = 0;
    /// Enables the shot button, the power bar, the cue-ball face and the table.
    virtual void enableShotControls() = 0;
    virtual void setShotButtonEnabled(bool enabled) = 0;
    /// The shot button's caption and font after "Let's Play!".
    virtual void setShotButtonPlayLook() = 0;
    /// The shot button's caption and font while Tovi plays the demonstration.
    virtual void setShotButtonDemoLook() = 0;
    /// The shot button's caption in "Arial" bold 12 points, in two-player play.
    virtual void setShotButtonTwoPlayerLook(const std::string& caption) = 0;
    /// Shows the power the game holds on the power bar and its caption.
    virtual void showPower(int power) = 0;
    /// Whether the table picture takes clicks (aim, the end of the demonstration).
    virtual void setTableEnabled(bool enabled) = 0;
    virtual void setTableButtonsVisible(bool menu, bool start, bool back) = 0;
    virtual void setTovisMessageVisible(bool visible) = 0;
    /// The text of Tovi's caption over the table (kept while hidden).
    virtual void setTovisMessage(const std::string& text) = 0;
};

/// The window around both screens: which screen shows, the hidden menus, the
/// timers, message boxes and the event loop.
class WindowView {
public:
    virtual ~WindowView() = default;

    /// Shows the menu screen over the table screen, or hides it.
    virtual void setMenuScreenVisible(bool visible) = 0;
    virtual void setRetryMenuEnabled(bool enabled) = 0;
    virtual void setStartMenuEnabled(bool enabled) = 0;
    /// The caption of the menu item that switches between solo and two players.
    virtual void setModeItemCaption(const std::string& caption) = 0;
    /// The window's reset to solo play: play mode 0, the solo mode item, the
    /// restart enabled, the shot button "SHOT!".
    virtual void initGameMode() = 0;
    virtual void setTimerEnabled(GameTimer timer, bool enabled) = 0;
    /// A modal message box with an OK button and the title "Zandrel".
    virtual void showMessage(const std::string& text) = 0;
    /// Lets pending window events run (mouse, menus, other timers).
    virtual void processPendingEvents() = 0;
};

} // namespace zandrel
