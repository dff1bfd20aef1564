#pragma once

// The game's one window, the shell around its two screens: the table screen
// and the menu screen laid over it. It holds the hidden menus and their
// actions, the timers it runs for the game and the music, the sound side, the
// small windows, start-up and shutdown. The rules live in the game.

#include "game/game.h"
#include "records/records.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <string>

class QAction;
class QMenu;
class QTimer;

namespace zandrel {

class GameSound;
class MenuScreen;
class OpeningWindow;
class SdlMixerOutput;
class SingleInstanceLock;
class SoundOutput;
class SoundRoom;
class TableScreen;

/// How the game was started.
struct StartupOptions {
    bool debugMode = false;   ///< "/debug" on the command line: start-up traces, no opening window
    QString instanceLockPath; ///< the single-instance lock; empty: the per-user default
    std::shared_ptr<SoundOutput> soundOutput; ///< where sounds go; empty: the audio device
};

/// True when the arguments after the program name, joined by blanks and lower
/// cased, hold "/debug" anywhere (also inside a longer word).
bool isDebugCommandLine(const QStringList& arguments);

class MainWindow : public QWidget, public WindowView {
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
    /// The contact sounds, the music and their switches.
    SoundRoom& sound() { return *sound_; }
    /// The opening picture while it is up, else null.
    OpeningWindow* openingWindow() const { return opening_.get(); }
    /// The version window's mascot animation count; it outlives the window.
    int& mascotTicks() { return mascotTicks_; }

    // WindowView.
    void setMenuScreenVisible(bool visible) override;
    void setRetryMenuEnabled(bool enabled) override;
    void setStartMenuEnabled(bool enabled) override;
    void setModeItemCaption(const std::string& caption) override;
    /// Solo play with the shot button and the mode menu in their solo form.
    void initGameMode() override;
    void setTimerEnabled(GameTimer timer, bool enabled) override;
    void showMessage(const std::string& text) override;
    void processPendingEvents() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createTimers();
    void createSound();
    void stopTimers();
    QTimer* timerOf(GameTimer timer) const;

    // Start-up steps.
    void setMenuCaptions();
    void arrangeControls();
    void centreOnScreen();
    /// A start-up trace box, shown only with "/debug".
    void trace(const std::string& text);
    /// A message box with the Japanese or the English text.
    void langMsgBox(const std::string& ja, const std::string& en);

    // Handlers of the hidden menus.
    void mnuChangeMode_Click();
    void mnuCurrentCondition_Click();
    void mnuSound_Click();

    // The small windows.
    void showOpeningWindow();
    void changeToVsMode();
    void showCurrentCondition();
    void showMatchResult();
    void showVersionWindow();

    StartupOptions options_;
    std::unique_ptr<SingleInstanceLock> instanceLock_;
    TableScreen* table_ = nullptr;
    MenuScreen* menu_ = nullptr;
    // The hidden menus: never shown as a bar, their items live on as the
    // window's actions (object names as the members', without the underscore).
    QMenu* mnuGame_ = nullptr;
    QAction* mnuStart_ = nullptr;
    QAction* mnuRetry_ = nullptr;
    QAction* mnuRecord_ = nullptr;
    QAction* mnuVS_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuChangeMode_ = nullptr;
    QAction* mnuCurrentCondition_ = nullptr;
    QMenu* mnuOption_ = nullptr;
    QAction* mnuSound_ = nullptr;
    QMenu* mnuHelp_ = nullptr;
    QAction* mnuHelpCont_ = nullptr;
    QAction* mnuKey_ = nullptr;
    QAction* mnuAbout_ = nullptr;
    // The timers the window runs for the game and for the music.
    QTimer* Timer1_ = nullptr;         ///< the shot's motion tick
    QTimer* timTimeCounter_ = nullptr; ///< play seconds
    QTimer* timDemo_ = nullptr;        ///< the idle watcher
    QTimer* timCom_ = nullptr;         ///< the demonstration's turn sequencer
    QTimer* timBGM_ = nullptr;         ///< the music sequencer
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
