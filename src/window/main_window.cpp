// The shell: the two screens, the hidden menus and their commands, the timers,
// the sound side and the small windows.

#include "window/main_window.h"

#include "platform/platform_helpers.h"
#include "sound/sdl_mixer_output.h"
#include "sound/sound_room.h"
#include "window/colours.h"
#include "window/game_sound_to_room.h"
#include "window/links.h"
#include "window/menu_screen.h"
#include "window/message_box.h"
#include "window/opening_window.h"
#include "window/pictures.h"
#include "window/program_info.h"
#include "window/record_window.h"
#include "window/single_instance.h"
#include "window/table_screen.h"
#include "window/version_window.h"
#include "window/vs_mode_dialog.h"
#include "window/vs_result_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QTimer>

#include <utility>

namespace zandrel {

namespace {

constexpr int kTimer1DesignInterval = 30; ///< ms; start-up sets the 50 ms tick
constexpr int kTimeCounterInterval = 1000;
constexpr int kDemoInterval = 1000;
constexpr int kComInterval = 100;

} // namespace

QTimer* MainWindow::timerOf(GameTimer timer) const {
    switch (timer) {
    case GameTimer::motion:
        return Timer1_;
    case GameTimer::timeCounter:
        return timTimeCounter_;
    case GameTimer::demo:
        return timDemo_;
    case GameTimer::com:
        return timCom_;
    }
    return nullptr;
}

bool isDebugCommandLine(const QStringList& arguments) {
    return arguments.join(QLatin1Char(' ')).toLower().contains(QStringLiteral("/debug"));
}

MainWindow::MainWindow(StartupOptions options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
    setWindowTitle(QStringLiteral("Zandrel"));
    // A fixed frame: title bar, minimise and close, nothing to resize or maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(kBlack));
    setPalette(p);

    initPictureResources();
    setWindowIcon(QIcon(QPixmap::fromImage(loadPicture(kPictureIcon, 32, 32, kDarkGreen))));
    table_ = new TableScreen(this);
    menu_ = new MenuScreen(this);
    menu_->raise();
    createMenus();
    createTimers();
    createSound();
    game_ = std::make_unique<Game>(*table_, *this);
    game_->setSound(*gameSound_);
    table_->attach(*game_);
    menu_->attach(*game_, *sound_);
    connect(menu_, &PictureBox::doubleClicked, this, [this] { loadSoloRecord(records_); });
}

MainWindow::~MainWindow() {
    // The game's views are this window and its screens: no timer may fire
    // into a game that is going.
    stopTimers();
}

void MainWindow::stopTimers() {
    for (QTimer* timer : {Timer1_, timTimeCounter_, timDemo_, timCom_, timBGM_})
        timer->stop();
}

void MainWindow::createMenus() {
    auto item = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuGame_ = new QMenu(QStringLiteral("ゲーム(&G)"), this);
    mnuStart_ = item(mnuGame_, "mnuStart", QStringLiteral("スタート(&S)"));
    mnuStart_->setShortcut(QKeySequence(Qt::Key_F2));
    mnuRetry_ = item(mnuGame_, "mnuRetry", QStringLiteral("一手戻し"));
    mnuGame_->addSeparator();
    mnuRecord_ = item(mnuGame_, "mnuRecord", QStringLiteral("レコード(&R)"));
    mnuVS_ = item(mnuGame_, "mnuVS", QStringLiteral("対戦成績(&V)"));
    mnuVS_->setVisible(false);
    mnuGame_->addSeparator();
    mnuExit_ = item(mnuGame_, "mnuExit", QStringLiteral("終了(&X)"));
    mnuGame_->menuAction()->setVisible(false);

    mnuChangeMode_ = new QAction(QStringLiteral("独り突き→対戦(&M)"), this);
    mnuChangeMode_->setObjectName(QStringLiteral("mnuChangeMode"));
    mnuChangeMode_->setVisible(false);
    mnuCurrentCondition_ = new QAction(QStringLiteral("実況(&C)"), this);
    mnuCurrentCondition_->setObjectName(QStringLiteral("mnuCurrentCondition"));
    mnuCurrentCondition_->setVisible(false);

    mnuOption_ = new QMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"), this);
    mnuSound_ = item(mnuOption_, "mnuSound", QStringLiteral("効果音(&S)"));
    mnuSound_->setCheckable(true);
    mnuSound_->setChecked(true);
    mnuOption_->menuAction()->setVisible(false);

    mnuHelp_ = new QMenu(QStringLiteral("ヘルプ(&H)"), this);
    mnuHelpCont_ = item(mnuHelp_, "mnuHelpCont", QStringLiteral("目次"));
    mnuHelpCont_->setShortcut(QKeySequence(Qt::Key_F1));
    mnuKey_ = item(mnuHelp_, "mnuKey", QStringLiteral("キーワードで検索"));
    mnuKey_->setVisible(false);
    mnuHelp_->addSeparator();
    mnuAbout_ = item(mnuHelp_, "mnuAbout", QStringLiteral("バージョン情報(&V)"));
    mnuHelp_->menuAction()->setVisible(false);

    for (QAction* action : {mnuStart_, mnuHelpCont_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    connect(mnuStart_, &QAction::triggered, this, [this] { game_->mnuStart_click(); });
    connect(mnuRetry_, &QAction::triggered, this, [this] { game_->mnuRetry_Click(); });
    connect(mnuExit_, &QAction::triggered, this, [this] { close(); });
    connect(mnuChangeMode_, &QAction::triggered, this, [this] { mnuChangeMode_Click(); });
    connect(mnuCurrentCondition_, &QAction::triggered, this, [this] { mnuCurrentCondition_Click(); });
    connect(mnuSound_, &QAction::triggered, this, [this] { mnuSound_Click(); });
    connect(mnuHelpCont_, &QAction::triggered, this, [] { openLink(helpPageUrl()); });
    connect(mnuKey_, &QAction::triggered, this, [] { openLink(helpPageUrl(kHelpIndexFragment)); });
    connect(mnuAbout_, &QAction::triggered, this, [this] { showVersionWindow(); });
}

void MainWindow::createTimers() {
    auto makeTimer = [this](const char* name, int interval) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(interval);
        return timer;
    };
    Timer1_ = makeTimer("Timer1", kTimer1DesignInterval);
    timTimeCounter_ = makeTimer("timTimeCounter", kTimeCounterInterval);
    timDemo_ = makeTimer("timDemo", kDemoInterval);
    timCom_ = makeTimer("timCom", kComInterval);
    timBGM_ = makeTimer("timBGM", kBgmTimerInterval);
    connect(Timer1_, &QTimer::timeout, this, [this] { game_->Timer1_Timer(); });
    connect(timTimeCounter_, &QTimer::timeout, this, [this] { game_->timTimeCounter_Timer(); });
    connect(timDemo_, &QTimer::timeout, this, [this] { game_->timDemo_Timer(); });
    connect(timCom_, &QTimer::timeout, this, [this] { game_->timCom_Timer(); });
    connect(timBGM_, &QTimer::timeout, this, [this] { sound_->timBGM_Timer(); });
}

void MainWindow::createSound() {
    soundOutput_ = options_.soundOutput;
    if (!soundOutput_) {
        auto device = std::make_shared<SdlMixerOutput>(programDirectory());
        soundDevice_ = device.get();
        soundOutput_ = std::move(device);
    }
    sound_ = std::make_unique<SoundRoom>(*soundOutput_, programDirectory(), kVersion);
    sound_->setCaptionHandler(
        [this](const std::string& text) { setWindowTitle(QString::fromStdString(text)); });
    QTimer* music = timBGM_;
    sound_->setMusicTimer([music](bool run) { run ? music->start() : music->stop(); });
    gameSound_ = std::make_unique<GameSoundToRoom>(*sound_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Form_Unload: the music files are closed; nothing is saved.
    sound_->closeAllTunes();
    stopTimers();
    event->accept();
}

// --- What the game shows of the window --------------------------------------------

void MainWindow::setMenuScreenVisible(bool visible) {
    // Only the screen in front is shown, so no control behind it can take a key.
    // The menu screen comes up with no control holding the keys (a click on a
    // list gives them to it); the table screen gives them to the power bar.
    table_->setVisible(!visible);
    menu_->setVisible(visible);
    if (visible) {
        menu_->raise();
        setFocus(Qt::OtherFocusReason);
    } else {
        table_->focusPowerBar();
    }
}

void MainWindow::setRetryMenuEnabled(bool enabled) {
    mnuRetry_->setEnabled(enabled);
}

void MainWindow::setStartMenuEnabled(bool enabled) {
    mnuStart_->setEnabled(enabled);
}

void MainWindow::setModeItemCaption(const std::string& caption) {
    mnuChangeMode_->setText(QString::fromStdString(caption));
}

void MainWindow::setTimerEnabled(GameTimer timer, bool enabled) {
    QTimer* qtimer = timerOf(timer);
    if (enabled) {
        // Enabling a running timer leaves its rhythm alone.
        if (!qtimer->isActive())
            qtimer->start();
    } else {
        qtimer->stop();
    }
}

void MainWindow::showMessage(const std::string& text) {
    showMessageBox(text, this);
}

void MainWindow::processPendingEvents() {
    QCoreApplication::processEvents();
}

// --- The hidden menus ---------------------------------------------------------------

void MainWindow::mnuChangeMode_Click() {
    // Like the table-screen buttons, the switch waits until the balls rest.
    if (game_->isShotRunning())
        return;
    switch (gameState().playMode) {
    case PlayMode::solo:
        changeToVsMode();
        break;
    case PlayMode::twoPlayers:
        initGameMode(); // the game's solo mode and the shot button's solo look
        game_->returnToSoloPlay();
        break;
    default:
        break;
    }
}

void MainWindow::mnuCurrentCondition_Click() {
    switch (gameState().playMode) {
    case PlayMode::solo:
        showCurrentCondition();
        break;
    case PlayMode::twoPlayers:
        showMatchResult();
        break;
    default:
        break;
    }
}

void MainWindow::mnuSound_Click() {
    sound_->toggleSound();
    mnuSound_->setChecked(sound_->soundMode() != kSoundOff);
}

// --- The small windows ----------------------------------------------------------------

void MainWindow::showOpeningWindow() {
    if (openingShown_)
        return;
    openingShown_ = true;
    opening_ = std::make_unique<OpeningWindow>([this] {
        show();
        // The closed picture goes once its own click or tick has returned.
        QTimer::singleShot(0, this, [this] { opening_.reset(); });
    });
    opening_->show();
}

void MainWindow::changeToVsMode() {
    game_->beginTwoPlayerSetup();
    {
        VsModeDialog dialog(*game_, this, QSize(windowWidthTwips_, windowHeightTwips_));
        dialog.exec();
    }
    game_->finishTwoPlayerSetup();
}

void MainWindow::showCurrentCondition() {
    RecordWindow window(gameState(), table_->sprites(), this);
    window.exec();
}

void MainWindow::showMatchResult() {
    VsResultWindow window(gameState(), this, QSize(windowWidthTwips_, windowHeightTwips_));
    window.exec();
}

void MainWindow::showVersionWindow() {
    VersionWindow window(gameState().levelOfTovi, mascotTicks_, this);
    window.exec();
}

} // namespace zandrel
