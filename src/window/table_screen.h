#pragma once

// The table screen: the table picture with its aim and cue-ball markers and
// Tovi's caption, the information strip and the table buttons above it, and
// the control strip below it (cue-tip picker, power bar, shot button, point
// marks). It shows what the game tells it and hands the player's input to the
// game; it owns its controls.

#include "game/game_view.h"
#include "platform/surface.h"

#include <QString>
#include <QWidget>

#include <array>

class QPushButton;
class QScrollBar;

namespace zandrel {

class Game;
class PictureBox;
class ShapeWidget;
class TextLabel;

/// The shot button's caption in solo play before "Let's Play!" restyles it.
inline constexpr const char* kSoloShotCaption = "SHOT!";

class TableScreen : public QWidget, public TableView {
    Q_OBJECT
public:
    explicit TableScreen(QWidget* parent);

    /// From here on the screen's input goes to `game`, and it draws the game's state.
    void attach(Game& game);
    /// Gives the keys to the power bar when it is on show and enabled.
    void focusPowerBar();
    /// Tovi's demonstration caption on the table is Japanese or English.
    void setJapanese(bool japanese) { isJapanese_ = japanese; }

    // Start-up steps.
    /// The table picture and its back buffer at their size, cleared.
    void initPictureSize();
    /// The sprite strip taken from the table picture.
    void iniPictures();
    /// The control strip's places and fonts, from the table picture's size.
    void arrangeControls();
    /// Tovi's caption in the face of the language; returns the face's name.
    QString setTovisMessageFont(bool japanese);
    /// The aim and cue-ball markers sized to a ball of `ballSize` pixels.
    void sizeMarkers(int ballSize);
    /// The shot button in its solo look: "SHOT!", "Arial" bold, 24 points.
    void setShotButtonSoloLook();

    /// The sprite strip (balls at rest and in motion, mask, shadow).
    const Surface& sprites() const { return picBalls_; }
    /// The table picture with the sprite strip and the play-mode icons below it.
    const Surface& tablePicture() const { return picTable_; }

    // TableView.
    void redrawTable() override;
    void drawBallOnScreen(int i) override;
    void drawPointMarks() override;
    void clearTable() override;
    void clearPointMarks() override;
    void setTableAutoRedraw(bool on) override;
    void refreshTable() override;
    void showInfomation() override;
    void setAimMarkerVisible(bool visible) override;
    void placeAimMarker(float left, float top) override;
    void setCueBallMarkerVisible(bool visible) override;
    void placeCueBallMarker(float left, float top) override;
    void placeTipMarker(float left, float top) override;
    void centreTipMarker() override;
    void enableShotInput(bool enabled) override;
    void enableShotControls() override;
    void setShotButtonEnabled(bool enabled) override;
    void setShotButtonPlayLook() override;
    void setShotButtonDemoLook() override;
    void setShotButtonTwoPlayerLook(const std::string& caption) override;
    void showPower(int power) override;
    void setTableEnabled(bool enabled) override;
    void setTableButtonsVisible(bool menu, bool start, bool back) override;
    void setTovisMessageVisible(bool visible) override;
    void setTovisMessage(const std::string& text) override;

protected:
    /// The pointer on the screen's bare background puts the table buttons at rest.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void connectInput();
    void HScroll1_Change(int value);
    void picSetPoint_MouseDown(float x, float y);
    void lblMenu_MouseMove(int index);
    void resetTableButtonColours();

    Game* game_ = nullptr;
    bool isJapanese_ = false;
    int powerShown_ = 0; ///< the power the bar and its caption show

    PictureBox* picPool0_ = nullptr; ///< the visible table
    Surface picPool1_;               ///< the back buffer each frame is composed in
    Surface picTable_;               ///< the table picture: surface, sprite strip, mode icons
    Surface picBalls_;               ///< the sprite sheet
    TextLabel* lblTovisMessage_ = nullptr;
    ShapeWidget* shpQBall_ = nullptr;
    ShapeWidget* shpTarget_ = nullptr;
    PictureBox* picSetPoint_ = nullptr;
    ShapeWidget* shpPoint_ = nullptr;
    TextLabel* lblPower_ = nullptr;
    QScrollBar* HScroll1_ = nullptr;
    QPushButton* cmdShot_ = nullptr;
    PictureBox* picPocketedBalls_ = nullptr;
    TextLabel* lblBIP_ = nullptr;
    PictureBox* picInfomation_ = nullptr;
    std::array<TextLabel*, 3> lblMenu_{}; ///< 0 "Menu", 1 "Start", 2 "Back"
};

} // namespace zandrel
