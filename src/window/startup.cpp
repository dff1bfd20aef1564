// Start-up of the main window: everything is set up in one fixed order, from
// the version labels to the menu screen. With "/debug" each step reports
// itself in a message box first.

#include "window/main_window.h"

#include "game/game_texts.h"
#include "platform/platform_helpers.h"
#include "records/records.h"
#include "sound/sdl_mixer_output.h"
#include "sound/sound_room.h"
#include "window/menu_screen.h"
#include "window/opening_window.h"
#include "window/program_info.h"
#include "window/single_instance.h"
#include "window/table_screen.h"
#include "window/window_layout.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <exception>
#include <new>
#include <system_error>

namespace zandrel {

namespace {

constexpr int kMotionTickMs = 50;
constexpr int kDemoTickMs = 1000;
constexpr int kTwips = static_cast<int>(kTwipsPerPixel);

/// The number a trapped error is reported with.
int errorNumber(const std::exception_ptr& error) {
    constexpr int kOutOfMemory = 7;
    constexpr int kInvalidCall = 5;
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (const std::system_error& e) {
        return e.code().value();
    } catch (...) {
        return kInvalidCall;
    }
}

/// A menu caption pair, Japanese first.
struct Caption {
    QAction* item;
    const char* ja;
    const char* en;
};

} // namespace

void MainWindow::langMsgBox(const std::string& ja, const std::string& en) {
    showMessage(isJapanese_ ? ja : en);
}

void MainWindow::trace(const std::string& text) {
    if (debugMode_)
        showMessage(text);
}

bool MainWindow::formLoad() {
    menu_->showVersion();
    debugMode_ = options_.debugMode;
    isJapanese_ = isJapaneseSystem();
    table_->setJapanese(isJapanese_);
    trace("Pass 1 !");

    instanceLock_ = std::make_unique<SingleInstanceLock>(options_.instanceLockPath.isEmpty()
                                                             ? defaultInstanceLockPaths()
                                                             : QStringList{options_.instanceLockPath});
    if (!instanceLock_->tryLock()) {
        langMsgBox("このプログラムは複数起動することは出来ません。", "Pindor can't be loaded twice.");
        return false;
    }
    if (soundDevice_ != nullptr)
        soundDevice_->open();
    trace("Pass 2 !");
    trace("Pass 3 !");
    trace("Pass 4 !");

    setMenuCaptions();
    table_->initPictureSize();
    Timer1_->setInterval(kMotionTickMs);
    Timer1_->stop();
    timDemo_->setInterval(kDemoTickMs);
    timDemo_->stop();
    arrangeControls();
    centreOnScreen();
    // The window stays hidden until the opening picture hands over to it.
    trace("Pass 5 !");
    trace("Pass 6 !");

    if (debugMode_)
        show();
    else
        showOpeningWindow();
    trace("Pass 7 !");

    setWindowTitle(QStringLiteral("Zandrel Ver.") + QString::fromUtf8(kVersion));
    trace("Pass 7-1 :Me.Caption");
    trace("Pass 7-2 :setPocketXY");
    table_->iniPictures();
    trace("Pass 7-3 :iniPictures");
    initGameMode();
    trace("Pass 7-4 :initGameMode");
    game_->initPlayer();
    trace("Pass 7-5 :initPlayer");
    loadLevelOfTove(records_);
    game_->playAgainstTovi(records_.levelOfTovi);
    trace("Pass 7-6 :loadLevelOfTove");

    sound_->loadSettings();
    trace("Pass 7-7 :SOUND_MODE = GetPrivateProfileInt");
    trace("Pass 7-8 :isBGMON = GetPrivateProfileInt");
    menu_->picBGM_Click(sound_->isBgmOn() != kBgmOff ? 1 : 0);
    trace("Pass 7-9 :picBGM_Click");
    menu_->picSound_Click(sound_->soundMode() == kSoundOn ? 1 : 0);
    trace("Pass 7-10 :picSound_Click");
    trace("Pass 7-11 :picColor_Click");
    mnuSound_->setChecked(sound_->soundMode() != kSoundOff);
    trace("Pass 7-12 :mnuSound.Checked ");

    // The table's scale and ball size are fixed in the game layer (TableScale).

    const QString messageFont = table_->setTovisMessageFont(isJapanese_);
    trace("Pass 7-13 :lblTovisMessage.Font.Name" + messageFont.toStdString());

    game_->setGameKind(GameKind::fourBall);
    table_->sizeMarkers(static_cast<int>(game_->scale().ballSize));
    trace("Pass 7-14 :shpTarget & shpQBall");
    game_->setFirstPosition();
    trace("Pass 7-15 :setFirstPosition");
    game_->initGame();
    trace("Pass 7-16 :initGame");
    trace("Pass 8 !");
    loadSoloRecord(records_);
    trace("Pass 9 !");
    loadVsCpuRecord(records_);
    game_->returnToMenu();
    sound_->initBgmTable();
    menu_->setDefaultChoices();
    trace("Pass 10 !");
    return true;
}

void MainWindow::setMenuCaptions() {
    const Caption captions[] = {
        {mnuGame_->menuAction(), "ゲーム(&G)", "&Game"},
        {mnuStart_, "スタート(&S)", "&Start"},
        {mnuRetry_, "一手戻し", "Back"},
        {mnuRecord_, "独り撞き成績", "Record"},
        {mnuVS_, "対戦成績", "VS Record"},
        {mnuExit_, "終了(&X)", "E&xit"},
        {mnuChangeMode_, "独り撞き→対戦(&M)", "Solo->VS"},
        {mnuOption_->menuAction(), "ｵﾌﾟｼｮﾝ(&)", "&Option"},
        {mnuSound_, "効果音", "&Sound"},
        {mnuHelp_->menuAction(), "ヘルプ(&H)", "&Help"},
        {mnuHelpCont_, "目次", "Contents"},
        {mnuAbout_, "バージョン情報...(&V)", "&Version..."},
    };
    for (const Caption& caption : captions)
        caption.item->setText(QString::fromUtf8(isJapanese_ ? caption.ja : caption.en));
}

void MainWindow::arrangeControls() {
    using namespace layout;
    const int captionHeight = kCaptionHeight;
    const int borderWidth = kBorderWidth;
    const int borderHeight = kBorderHeight;
    table_->arrangeControls();
    menu_->move(kPicMenu.topLeft());

    windowWidthTwips_ = (2 * borderWidth + kClientWidth) * kTwips;
    windowHeightTwips_ = (captionHeight + kClientHeight + kFrameExtraHeight + 2 * borderHeight) * kTwips;
    // The window manager draws the frame; the client area is what is left
    // inside the outer size once the frame the metrics allow for is taken off.
    setFixedSize(windowWidthTwips_ / kTwips - 2 * borderWidth,
                 windowHeightTwips_ / kTwips - captionHeight - kFrameExtraHeight - 2 * borderHeight);
}

void MainWindow::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const int top = (area.height() * kTwips - windowHeightTwips_) / 2;
    const int left = (area.width() * kTwips - windowWidthTwips_) / 2;
    move(area.x() + left / kTwips, area.y() + top / kTwips);
}

void MainWindow::initGameMode() {
    std::string stepName;
    // A failing step is reported with the last step name passed, and the next
    // step runs all the same.
    auto step = [&](auto&& action) {
        try {
            action();
        } catch (...) {
            showMessage(stepName + "/error :" + std::to_string(errorNumber(std::current_exception())));
        }
    };
    step([&] { trace("Pass 7-3-1 :iniGameMode begin"); });
    step([&] { game_->initGameMode(); });
    step([&] { setModeItemCaption(kToTwoPlayersCaption); });
    step([&] { setStartMenuEnabled(true); });
    step([&] { trace("Pass 7-3-2 :iniGameMode mid:mnuStart.Enabled"); });
    step([&] { table_->setShotButtonSoloLook(); });
    step([&] { stepName = "cmdShot.Caption"; });
    step([&] { trace("Pass 7-3-2-1 :iniGameMode mid:cmdShot.Caption"); });
    step([&] { stepName = "cmdShot.FontName"; });
    step([&] { trace("Pass 7-3-2-2 :iniGameMode mid:cmdShot.FontName"); });
    step([&] { stepName = "cmdShot.FontBold"; });
    step([&] { trace("Pass 7-3-2-3 :iniGameMode mid:cmdShot.FontBold"); });
    step([&] { trace("Pass 7-3-3 :iniGameMode end"); });
}

} // namespace zandrel
