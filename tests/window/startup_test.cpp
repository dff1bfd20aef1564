// Start-up of the real window: where it lands, its layout, its captions in
// both languages, the settings it writes, the "/debug" trace and the single
// instance.

#include "window_fixture.h"

#include "platform/private_profile.h"
#include "window/single_instance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace zandrel::testing {
namespace {

std::string setting(const WindowHarness& h, const char* key) {
    return getPrivateProfileString("PINDOR", key, "<missing>", h.settingsPath());
}

TEST(StartUp, LandsOnTheMenuScreenWithTheThreeChoicesAndCaptionsInTheSystemLanguage) {
    WindowHarness h;
    ASSERT_TRUE(h.started);
    MainWindow& w = h.w();
    EXPECT_EQ(h.state().playMode, playModeMenu);
    EXPECT_EQ(h.state().gameKind, kGameKindFourBall);
    EXPECT_TRUE(w.isVisible() && w.picMenu->isVisible());
    EXPECT_EQ(w.cmbVSMode->currentText(), kSoloPlay);
    EXPECT_FALSE(w.cmbVSMode->isEnabled());
    EXPECT_EQ(w.cmbGameName->currentText(), kFourBall);
    EXPECT_EQ(w.cmbPoints->currentText(), QStringLiteral("5"));
    EXPECT_EQ(w.cmbPoints->count(), 5);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zandrel Ver.0.02"));
    EXPECT_TRUE(w.timDemo->isActive());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.mnuRetry->isEnabled());
    EXPECT_EQ(w.cmdShot->text(), QStringLiteral("SHOT!"));
    EXPECT_FALSE(w.mnuGame->menuAction()->isVisible()) << "no menu bar";
    EXPECT_TRUE(h.messages.empty());
    EXPECT_EQ(w.size(), QSize(540, 372));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.picPool0->geometry(), QRect(0, 25, 540, 299));
    for (const QPoint at : {QPoint(270, 200), QPoint(100, 5), QPoint(500, 10), QPoint(20, 350)}) {
        QWidget* top = w.childAt(at);
        EXPECT_TRUE(top == w.picMenu || w.picMenu->isAncestorOf(top)) << "the menu screen covers " << at.x();
    }
    EXPECT_EQ(w.lblTovisMessage->font().family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(w.mnuRetry->text(), QStringLiteral("一手戻し"));

    WindowHarness english(kEnglish);
    EXPECT_EQ(english.w().lblTovisMessage->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(english.w().mnuRetry->text(), QStringLiteral("Back"));
    EXPECT_EQ(english.w().mnuExit->text(), QStringLiteral("E&xit"));
    // The mode item is set back to Japanese by the solo set-up.
    EXPECT_EQ(english.w().mnuChangeMode->text(), QStringLiteral("独り撞き→対戦(&M)"));
}

// --- Settings -------------------------------------------------------------------

TEST(Settings, StartUpWritesTheSwitchesNormalisedAndShowsThem) {
    WindowHarness h(kJapanese, false, "[PINDOR]\nSOUND=2\nBGM=1\n");
    SoundRoom& room = h.w().sound();
    EXPECT_EQ(room.soundMode(), 0);
    EXPECT_FALSE(h.w().mnuSound->isChecked());
    EXPECT_TRUE(!h.w().picSound[0]->isVisible() && h.w().picSound[1]->isVisible());
    EXPECT_EQ(room.isBgmOn(), -1);
    EXPECT_TRUE(h.w().timBGM->isActive());
    EXPECT_EQ(readBytes(h.settingsPath()), "[PINDOR]\nSOUND= 0\nBGM=-1\n");
    EXPECT_TRUE(h.sound->take().empty());

    WindowHarness off(kJapanese, false, "[PINDOR]\nBGM=0\n");
    EXPECT_FALSE(off.w().timBGM->isActive());
    EXPECT_TRUE(!off.w().picBGM[0]->isVisible() && off.w().picBGM[1]->isVisible());
    EXPECT_EQ(off.sound->take(), std::vector<std::string>(5, "close ")) << "the table is still empty then";
}

TEST(Settings, TheIconsAndTheMenuItemSwitchAndStoreAtOnce) {
    WindowHarness h;
    MainWindow& w = h.w();
    QTest::mouseClick(w.picBGM[0], Qt::LeftButton); // music off
    EXPECT_TRUE(!w.picBGM[0]->isVisible() && w.picBGM[1]->isVisible());
    EXPECT_EQ(w.sound().isBgmOn(), 0);
    EXPECT_FALSE(w.timBGM->isActive());
    EXPECT_EQ(setting(h, "BGM"), "0");
    EXPECT_EQ(h.sound->take().size(), 5u) << "the tune is closed at once";
    QTest::mouseClick(w.picBGM[1], Qt::LeftButton); // music on again: the menu tune
    EXPECT_EQ(w.sound().isBgmOn(), -1);
    EXPECT_TRUE(w.timBGM->isActive());

    w.mnuSound->trigger(); // the menu item switches the sound but leaves the icons
    EXPECT_EQ(w.sound().soundMode(), 0);
    EXPECT_FALSE(w.mnuSound->isChecked());
    EXPECT_TRUE(w.picSound[0]->isVisible());
    EXPECT_EQ(setting(h, "SOUND"), "0");
    QTest::mouseClick(w.picSound[0], Qt::LeftButton);
    EXPECT_EQ(w.sound().soundMode(), 0);
    EXPECT_TRUE(w.picSound[1]->isVisible());
    EXPECT_FALSE(w.mnuSound->isChecked());
    QTest::mouseClick(w.picSound[1], Qt::LeftButton);
    EXPECT_EQ(w.sound().soundMode(), 1);
    EXPECT_FALSE(w.mnuSound->isChecked()) << "the icons leave the check mark as it was";
    EXPECT_EQ(setting(h, "SOUND"), "1");
}

TEST(Settings, TheMusicTimerPlaysTheRequestedTuneAndClosingTheWindowClosesAllFive) {
    WindowHarness h;
    MainWindow& w = h.w();
    w.lblLetsPlay_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.sound->calls.empty(); }, 2000));
    const std::vector<std::string> closeAll = {"close menu.mid", "close record.mid", "close game1.mid",
                                               "close game2.mid", "close game3.mid"};
    std::vector<std::string> switchToGame = closeAll;
    switchToGame.insert(switchToGame.end(), {"open game1.mid", "play game1.mid"});
    EXPECT_EQ(h.sound->take(), switchToGame);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zandrel / BGM:\"A Scent of Wind\" by Quib"));
    w.close();
    EXPECT_EQ(h.sound->take(), closeAll);
}

// --- "/debug" -------------------------------------------------------------------

const std::vector<std::string> kInitGameModeTrace = {
    "Pass 7-3-1 :iniGameMode begin",
    "Pass 7-3-2 :iniGameMode mid:mnuStart.Enabled",
    "Pass 7-3-2-1 :iniGameMode mid:cmdShot.Caption",
    "Pass 7-3-2-2 :iniGameMode mid:cmdShot.FontName",
    "Pass 7-3-2-3 :iniGameMode mid:cmdShot.FontBold",
    "Pass 7-3-3 :iniGameMode end",
};

TEST(DebugTrace, ReportsEveryStartUpStepInOrder) {
    for (const auto& [lang, messageFont] : {std::pair{kJapanese, "ＭＳ ゴシック"}, {kEnglish, "Arial"}}) {
        std::vector<std::string> trace;
        for (int step = 1; step <= 7; ++step)
            trace.push_back("Pass " + std::to_string(step) + " !");
        trace.insert(trace.end(), {"Pass 7-1 :Me.Caption", "Pass 7-2 :setPocketXY", "Pass 7-3 :iniPictures"});
        trace.insert(trace.end(), kInitGameModeTrace.begin(), kInitGameModeTrace.end());
        trace.insert(trace.end(), {"Pass 7-4 :initGameMode", "Pass 7-5 :initPlayer",
                                   "Pass 7-6 :loadLevelOfTove", "Pass 7-7 :SOUND_MODE = GetPrivateProfileInt",
                                   "Pass 7-8 :isBGMON = GetPrivateProfileInt", "Pass 7-9 :picBGM_Click",
                                   "Pass 7-10 :picSound_Click", "Pass 7-11 :picColor_Click",
                                   "Pass 7-12 :mnuSound.Checked ",
                                   "Pass 7-13 :lblTovisMessage.Font.Name" + std::string(messageFont),
                                   "Pass 7-14 :shpTarget & shpQBall", "Pass 7-15 :setFirstPosition",
                                   "Pass 7-16 :initGame", "Pass 8 !", "Pass 9 !", "Pass 10 !"});
        WindowHarness h(lang, true);
        EXPECT_EQ(h.messages, trace) << lang;
    }
}

TEST(DebugTrace, ComesOnlyWithTheDebugWord) {
    const std::pair<QStringList, bool> cases[] = {{{}, false},
                                                  {{"/debug"}, true},
                                                  {{"/DEBUG"}, true},
                                                  {{"x/Debugging"}, true},
                                                  {{"/nomidi", "/debug"}, true},
                                                  {{"/nomidi"}, false},
                                                  {{"/de", "bug"}, false},
                                                  {{"debug"}, false}};
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(isDebugCommandLine(arguments), expected) << arguments.join(' ').toStdString();
}

// --- Single instance ----------------------------------------------------------------

TEST(SingleInstance, ALockIsHeldOnceTakenOverFromACrashAndLiesInTheRuntimeFolder) {
    ensureQtApp();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zandrel.lock"));
    {
        auto first = std::make_unique<SingleInstanceLock>(path);
        ASSERT_TRUE(first->tryLock());
        SingleInstanceLock second(path);
        EXPECT_FALSE(second.tryLock());
        first.reset();
        EXPECT_TRUE(second.tryLock());
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(path);
        _exit(lock.tryLock(0) ? 0 : 1); // dies holding the lock
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(path));
    SingleInstanceLock lock(path);
    EXPECT_TRUE(lock.tryLock());

    EnvGuard env;
    env.set("XDG_RUNTIME_DIR", dir.path().toStdString());
    EXPECT_EQ(defaultInstanceLockPath(), path);
}

TEST(SingleInstance, ASecondStartTellsThePlayerAndEndsWithoutShowingOrWritingAnything) {
    ensureQtApp();
    for (const auto& [lang, message] :
         {std::pair{kJapanese, "このプログラムは複数起動することは出来ません。"},
          {kEnglish, "Pindor can't be loaded twice."}}) {
        QTemporaryDir runtime, config, logDir;
        QLockFile running(QDir(runtime.path()).filePath(QStringLiteral("zandrel.lock")));
        ASSERT_TRUE(running.tryLock(0));
        const QString log = logDir.filePath(QStringLiteral("messages.txt"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_MESSAGES"));
        env.insert(QStringLiteral("LANG"), QString::fromUtf8(lang));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QString::fromUtf8(kMessageLogVariable), log);
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(ZANDREL_BINARY), {QStringLiteral("/debug")});
        ASSERT_TRUE(game.waitForFinished(20000)) << "the second game kept running";
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_EQ(readBytes(log.toStdString()), std::string("Pass 1 !\n") + message + "\n");
        EXPECT_TRUE(QDir(config.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
}

} // namespace
} // namespace zandrel::testing
