// The built game started as a process: one game at a time, whatever a killed
// run left in the lock file's place, and a clear word when the display or the
// window system cannot be opened.

#include "window_fixture.h"

#include "platform/file_lock.h"
#include "window/single_instance.h"

#include <QDir>
#include <QProcess>

#include <unistd.h>

namespace zandrel::testing {
namespace {

/// The game's own folders: runtime (the lock), config, temporary, and its message logs.
struct GameFolders {
    QTemporaryDir runtime, config, tmp, logs;
    QString lockPath() const { return QDir(runtime.path()).filePath(QStringLiteral("zandrel.lock")); }
};

/// Starts the game with "/debug" offscreen (no display needed); its messages go to `log`.
void startGame(QProcess& game, const GameFolders& folders, const QString& log, const char* lang = kEnglish) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromUtf8(name));
    env.insert(QStringLiteral("LANG"), QString::fromUtf8(lang));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folders.runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folders.config.path());
    env.insert(QStringLiteral("TMPDIR"), folders.tmp.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QString::fromUtf8(kMessageLogVariable), log);
    game.setProcessEnvironment(env);
    game.start(QStringLiteral(ZANDREL_BINARY), {QStringLiteral("/debug")});
}

/// Waits until the game's log holds `text` (false when the game ends first or 20 s pass).
bool waitForLog(QProcess& game, const QString& log, const std::string& text) {
    for (int i = 0; i < 1000; ++i) {
        if (readBytes(log.toStdString()).find(text) != std::string::npos)
            return true;
        if (game.state() == QProcess::NotRunning)
            return false;
        game.waitForFinished(20);
    }
    return false;
}

TEST(SingleInstance, ASecondStartEndsWithoutShowingOrWritingAnythingALeftoverFileStopsNoGame) {
    ensureQtApp();
    GameFolders folders;
    const QString log = folders.logs.filePath(QStringLiteral("messages.txt"));
    QProcess game;
    {
        FileLock running(folders.lockPath().toStdString());
        ASSERT_EQ(running.tryLock(), FileLockResult::acquired);
        startGame(game, folders, log, kJapanese);
        ASSERT_TRUE(game.waitForFinished(20000)) << "the second game kept running";
    }
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_EQ(readBytes(log.toStdString()), "Pass 1 !\nこのプログラムは複数起動することは出来ません。\n");
    EXPECT_TRUE(QDir(folders.config.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

    // What a killed run leaves. That such a file still keeps a second game
    // out, and the other things that may be left there, are the file lock's tests.
    writeBytes(folders.lockPath().toStdString(), std::string("\0\x7f 4711 junk", 11));
    startGame(game, folders, log);
    EXPECT_TRUE(waitForLog(game, log, "Pass 10 !")) << "the game did not start";
    game.kill();
    game.waitForFinished(5000);
}

TEST(SingleInstance, TriesTheRuntimeFolderThenTheTemporaryOneAndSaysSoWhenNeitherServes) {
    ensureQtApp();
    GameFolders folders;
    {
        EnvGuard env;
        env.set("XDG_RUNTIME_DIR", folders.runtime.path().toStdString());
        env.set("TMPDIR", folders.tmp.path().toStdString());
        EXPECT_EQ(defaultInstanceLockPaths(),
                  QStringList(
                      {folders.lockPath(),
                       QDir(folders.tmp.path()).filePath(QStringLiteral("zandrel-%1.lock").arg(geteuid()))}));
    }
    SingleInstanceLock nowhere({QStringLiteral("/proc/zandrel.lock")});
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(nowhere.tryLock());
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(nowhere.isLocked());
    EXPECT_NE(said.find("starting anyway"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST(NoDisplay, TheGameSaysWhatFailedInOneLineAndEndsWithStatusOne) {
    ensureQtApp();
    GameFolders folders;
    struct Start {
        const char* variable; ///< set for the game alone, or null
        const char* value;
        QStringList arguments;
        const char* said;
    };
    const QStringList platformFoo{QStringLiteral("-platform"), QStringLiteral("foo")};
    const Start starts[] = {
        {nullptr, nullptr, {}, "a graphical display is needed"},
        {"DISPLAY", ":4711", {}, "a graphical display is needed"}, // no X server there
        {nullptr, nullptr, platformFoo,
         "window system could not be started (Could not find the Qt platform plugin \"foo\""},
        {"QT_QPA_PLATFORM",
         "foo",
         {},
         "window system could not be started (Could not find the Qt platform plugin \"foo\""},
    };
    for (const Start& start : starts) {
        QProcessEnvironment env; // nothing of the test's own
        env.insert(QStringLiteral("HOME"), folders.config.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folders.runtime.path());
        if (start.variable != nullptr)
            env.insert(QString::fromUtf8(start.variable), QString::fromUtf8(start.value));
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(ZANDREL_BINARY), start.arguments);
        ASSERT_TRUE(game.waitForFinished(20000));
        const QByteArray said = game.readAllStandardError();
        const std::string with = (start.variable != nullptr ? std::string(start.variable) + "=" + start.value
                                                            : std::string("an empty environment")) +
                                 " " + start.arguments.join(' ').toStdString();
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << with;
        EXPECT_EQ(game.exitCode(), 1) << with;
        EXPECT_EQ(said.count('\n'), 1) << with << ": " << said.toStdString();
        EXPECT_TRUE(said.contains(start.said)) << with << ": " << said.toStdString();
    }
}

} // namespace
} // namespace zandrel::testing
