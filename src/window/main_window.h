#pragma once

// The game's one window: the table screen with its control strip, the menu
// screen laid over it, and the hidden menus. It shows what the game tells it
// and forwards the player's input to the game; the rules live in the game.

#include "game/game.h"
#include "game/game_view.h"
#include "platform/surface.h"
#include "records/records.h"
#include "sound/sdl_mixer_output.h"
#include "sound/sound_room.h"
#include "window/picture_box.h"
#include "window/shape_widget.h"
#include "window/single_instance.h"
#include "window/text_label.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

namespace zandrel {

inline constexpr const char* kVersion = "0.02";
inline constexpr const char* kReleaseDate = "2000/3/12";
/// The shot button's caption in solo play before "Let's Play!" restyles it.
inline constexpr const char* kSoloShotCaption = "SHOT!";
/// The author's addresses (opened from the menu screen), settings of the build.
inline constexpr const char* kAuthorMail = ZANDREL_AUTHOR_MAIL;
inline constexpr const char* kAuthorHomePage = ZANDREL_HOME_PAGE;

/// A caption of a menu-screen box and the value it stands for.
struct MenuChoice {
    const char* caption;
    int value;
};
/// The menu-screen boxes' choices; the first of each is preselected, the
/// target points at kDefaultTargetPoints.
inline constexpr MenuChoice kGameKindChoices[] = {{"４つ球", int(GameKind::fourBall)},
                                                  {"３つ球", int(GameKind::threeBall)}};
inline constexpr MenuChoice kPlayerChoices[] = {{"独り撞き", 0}, {"二人撞き", 1}};
inline constexpr int kTargetPointChoices[] = {3, 5, 8, 10, 15};

/// How the game was started.
struct StartupOptions {
    bool debugMode = false;   ///< "/debug" on the command line: start-up traces, no opening window
    QString instanceLockPath; ///< the single-instance lock; empty: the per-user default
    std::shared_ptr<SoundOutput> soundOutput; ///< where sounds go; empty: the audio device
};

/// True when the arguments after the program name, joined by blanks and lower
/// cased, hold "/debug" anywhere (also inside a longer word).
bool isDebugCommandLine(const QStringList& arguments);

class OpeningWindow;

class MainWindow : public QWidget, public TableView, public WindowView {
    Q_OBJECT
public:
    explicit MainWindow(StartupOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Start-up, from the version labels to the menu screen. Returns false when
    /// another game already runs: the player has been told, nothing was shown
    /// or written, and the program must end.
    bool formLoad();

    Game& game() { return *game_; }
    const GameState& gameState() const { return game_->state(); }
    bool isJapanese() const { return isJapanese_; }
    bool debugMode() const { return debugMode_; }
    /// The contact sounds, the music and their switches.
    SoundRoom& sound() { return *sound_; }
    /// The outer window size start-up computed, in twips.
    int windowWidthTwips() const { return windowWidthTwips_; }
    int windowHeightTwips() const { return windowHeightTwips_; }
    /// The records read at start-up.
    const Records& records() const { return records_; }

    /// The Japanese or the English text of a pair, by the system language.
    QString langText(const QString& ja, const QString& en) const;
    /// A message box with the Japanese or the English text.
    void langMsgBox(const std::string& ja, const std::string& en);

    // TableView and WindowView.
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
    void showPower(int power) override;
    void setTableEnabled(bool enabled) override;
    void setRetryMenuEnabled(bool enabled) override;
    void setStartMenuEnabled(bool enabled) override;
    void setMenuScreenVisible(bool visible) override;
    void setTableButtonsVisible(bool menu, bool start, bool back) override;
    void setTovisMessageVisible(bool visible) override;
    void setTovisMessage(const std::string& text) override;
    void setTimerEnabled(GameTimer timer, bool enabled) override;
    void showMessage(const std::string& text) override;
    void processPendingEvents() override;

    // Two-player set-up.
    void setModeItemCaption(const std::string& caption) override;
    void setShotButtonTwoPlayerLook(const std::string& caption) override;

    // The small windows.
    /// The opening picture while it is up, else null.
    OpeningWindow* openingWindow() const { return opening_.get(); }
    /// The version window's mascot animation count; it outlives the window.
    int& mascotTicks() { return mascotTicks_; }

    // Start-up steps.
    void setMenuCaptions();
    void initPictureSize();
    void arrangeControls();
    /// Solo play with the shot button and the mode menu in their solo form.
    void initGameMode() override;

    // Handlers of the table screen.
    void cmdShot_Click();
    void HScroll1_Change();
    void picPool_MouseDown(float x, float y);
    void picPool_MouseMove(bool buttonHeld, float x, float y);
    void picPool_MouseUp(bool buttonHeld, float x, float y);
    void picPool_Click();
    void picSetPoint_MouseDown(float x, float y);
    void picInfomation_MouseMove();
    void Form_MouseMove();
    void lblMenu_Click(int index);
    void lblMenu_MouseMove(int index);

    // Handlers of the menu screen.
    void lblLetsPlay_Click();
    void lblExit_Click();
    void lblHelp_Click();
    void lblMail_Click();
    void lblToHP_Click();
    void lblCopyright_Click(int index);
    void picMenu_DblClick();
    void picMenu_MouseMove();
    void lblLetsPlay_MouseMove();
    void lblExit_MouseMove();
    void lblHelp_MouseMove();
    void lblMail_MouseMove();
    void lblToHP_MouseMove();
    /// index 0: the sound-on icon (turns the sound off), 1: the sound-off icon.
    void picSound_Click(int index);
    /// index 0: the music-on icon (turns the music off), 1: the music-off icon.
    void picBGM_Click(int index);

    // Handlers of the hidden menus.
    void mnuStart_click();
    void mnuRetry_Click();
    void mnuVS_Click();
    void mnuExit_Click();
    void mnuChangeMode_Click();
    void mnuCurrentCondition_Click();
    void mnuSound_Click();
    void mnuHelpCont_Click();
    void mnuKey_Click();
    void mnuAbout_Click();

    // Controls, named as in the game's design. Public for the dialogs and the tests.
    PictureBox* picPool0 = nullptr; ///< the visible table
    Surface picPool1;               ///< the back buffer each frame is composed in
    Surface picTable;               ///< the table picture: surface, sprite strip, mode icons
    Surface picBalls;               ///< the sprite sheet
    TextLabel* lblTovisMessage = nullptr;
    ShapeWidget* shpQBall = nullptr;
    ShapeWidget* shpTarget = nullptr;
    PictureBox* picSetPoint = nullptr;
    ShapeWidget* shpPoint = nullptr;
    TextLabel* lblPower = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QPushButton* cmdShot = nullptr;
    PictureBox* picPocketedBalls = nullptr;
    TextLabel* lblBIP = nullptr;
    PictureBox* picInfomation = nullptr;
    std::array<TextLabel*, 3> lblMenu{}; ///< 0 "Menu", 1 "Start", 2 "Back"

    PictureBox* picMenu = nullptr;
    QComboBox* cmbPoints = nullptr;
    QComboBox* cmbVSMode = nullptr;
    QComboBox* cmbGameName = nullptr;
    std::array<PictureBox*, 2> picSound{}; ///< 0 shown while the sound is on, 1 while off
    std::array<PictureBox*, 2> picBGM{};   ///< 0 shown while the music is on, 1 while off
    TextLabel* Label2 = nullptr;
    TextLabel* lblRelease = nullptr;
    TextLabel* lblVersion = nullptr;
    TextLabel* lblExit = nullptr;
    TextLabel* lblLetsPlay = nullptr;
    TextLabel* lblMail = nullptr;
    TextLabel* lblToHP = nullptr;
    TextLabel* lblHelp = nullptr;
    std::array<TextLabel*, 2> lblCopyright{};

    QTimer* Timer1 = nullptr;
    QTimer* timTimeCounter = nullptr;
    QTimer* timDemo = nullptr;
    QTimer* timCom = nullptr;
    QTimer* timBGM = nullptr;

    QMenu* mnuGame = nullptr;
    QAction* mnuStart = nullptr;
    QAction* mnuRetry = nullptr;
    QAction* mnuSep3 = nullptr;
    QAction* mnuRecord = nullptr;
    QAction* mnuVS = nullptr;
    QAction* mnuSep1 = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuChangeMode = nullptr;
    QAction* mnuCurrentCondition = nullptr;
    QMenu* mnuOption = nullptr;
    QAction* mnuSound = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpCont = nullptr;
    QAction* mnuKey = nullptr;
    QAction* mnuSep2 = nullptr;
    QAction* mnuAbout = nullptr;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createTableScreen();
    void createMenuScreen();
    void createMenus();
    void createTimers();
    void createSound();
    void loadPictures();
    /// A start-up trace box, shown only with "/debug".
    void trace(const std::string& text);
    void centreOnScreen();
    void resetTableButtonColours();
    /// The three menu-screen choices as the game takes them.
    GameChoice menuChoice() const;

    // The small windows and the links.
    void showOpeningWindow();
    void changeToVsMode();
    void showCurrentCondition();
    void showMatchResult();
    void showVersionWindow();
    void showHelpContents();
    void searchHelpKeyword();
    void openMailLink();
    void openHomePage();
    void openHelpPage();

    StartupOptions options_;
    std::unique_ptr<SingleInstanceLock> instanceLock_;
    // The sound side outlives the game, which reports to it.
    std::shared_ptr<SoundOutput> soundOutput_;
    SdlMixerOutput* soundDevice_ = nullptr; ///< the audio device, opened once start-up goes on
    std::unique_ptr<SoundRoom> sound_;
    std::unique_ptr<GameSound> gameSound_;
    std::unique_ptr<Game> game_;
    Records records_;
    bool debugMode_ = false;
    bool isJapanese_ = false;
    int windowWidthTwips_ = 0;
    int windowHeightTwips_ = 0;
    std::unique_ptr<OpeningWindow> opening_;
    bool openingShown_ = false;
    int mascotTicks_ = 0;
};

} // namespace zandrel
