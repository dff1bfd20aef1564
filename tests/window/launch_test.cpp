#include "window_fixture.h"

#include "platform/file_lock.h"
#include "window/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>

#include <unistd.h>

namespace zandrel::testing {
namespace {

/// The game's own folders: runtime (the lock), config, temporary, and its message logs.
struct GameFolders {
    GameFolders() { ensureQtApp(); }
    QTemporaryDir runtime, config, tmp, logs;
    QString lockPath() const { return QDir(runtime.path()).filePath(QStringLiteral("zandrel.lock")); }
    std::string log() const { return logs.filePath(QStringLiteral("messages.txt")).toStdString(); }

    /// Starts the game with "/debug" offscreen (no display needed) in `lang`; its messages go to log().
    void start(QProcess& game, const char* lang) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromUtf8(name));
        env.insert(QStringLiteral("LANG"), QString::fromUtf8(lang));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("TMPDIR"), tmp.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QString::fromUtf8(kMessageLogVariable), QString::fromStdString(log()));
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(ZANDREL_BINARY), {QStringLiteral("/debug")});
    }
};

TEST(SingleInstance, ASecondStartEndsWithoutShowingOrWritingAnything) {
    GameFolders folders;
    QProcess game;
    FileLock running(folders.lockPath().toStdString());
    ASSERT_EQ(running.tryLock(), FileLockResult::acquired);
    folders.start(game, kJapanese);
    ASSERT_TRUE(game.waitForFinished(20000)) << "the second game kept running";
    EXPECT_EQ(std::pair(game.exitStatus(), game.exitCode()), std::pair(QProcess::NormalExit, 0));
    EXPECT_EQ(readBytes(folders.log()), "Pass 1 !\nこのプログラムは複数起動することは出来ません。\n");
    EXPECT_TRUE(QDir(folders.config.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST(SingleInstance, AFileAKilledRunLeftIsNoLock) {
    GameFolders folders;
    // The other things that may be left there are the file lock's tests.
    writeBytes(folders.lockPath().toStdString(), std::string("\0\x7f 4711 junk", 11));
    SingleInstanceLock leftover({folders.lockPath()});
    leftover.tryLock();
    EXPECT_TRUE(leftover.isLocked());
}

TEST(SingleInstance, AFileAKilledRunLeftStopsNoGame) {
    GameFolders folders;
    writeBytes(folders.lockPath().toStdString(), std::string("\0\x7f 4711 junk", 11));
    QProcess game;
    folders.start(game, kEnglish);
    // The whole start-up runs: its last step says "Pass 10 !" (within 20 s, and before the game ends).
    auto started = [&] { return readBytes(folders.log()).find("Pass 10 !") != std::string::npos; };
    const QDeadlineTimer deadline(20000);
    while (!started() && game.state() != QProcess::NotRunning && !deadline.hasExpired())
        game.waitForFinished(20);
    EXPECT_TRUE(started()) << "the game said: " << readBytes(folders.log());
    game.kill();
    game.waitForFinished(5000);
}

TEST(SingleInstance, TriesTheRuntimeFolderThenTheTemporaryOneAndSaysSoWhenNeitherServes) {
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
    GameFolders folders;
    // No display at all (the game's own check) or none reachable (Qt's word); a platform that does not
    // exist, named on the command line or in the environment.
    const char* const display = "a graphical display is needed";
    const char* const platform =
        "window system could not be started (Could not find the Qt platform plugin \"foo\"";
    const std::tuple<const char*, QStringList, const char*> starts[] = {
        {"", {}, display},
        {"DISPLAY=:4711", {}, display},
        {"", {QStringLiteral("-platform"), QStringLiteral("foo")}, platform},
        {"QT_QPA_PLATFORM=foo", {}, platform}};
    for (const auto& [variable, arguments, said] : starts) {
        QProcessEnvironment env; // nothing of the test's own
        env.insert(QStringLiteral("HOME"), folders.config.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folders.runtime.path());
        if (const QStringList set = QString::fromLatin1(variable).split('='); set.size() == 2)
            env.insert(set[0], set[1]);
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(ZANDREL_BINARY), arguments);
        ASSERT_TRUE(game.waitForFinished(20000));
        const std::string stderrText = game.readAllStandardError().toStdString();
        EXPECT_EQ(std::tuple(game.exitStatus(), game.exitCode(), std::ranges::count(stderrText, '\n')),
                  std::tuple(QProcess::NormalExit, 1, 1))
            << variable << " " << stderrText;
        EXPECT_THAT(stderrText, ::testing::HasSubstr(said)) << variable;
    }
}

} // namespace
} // namespace zandrel::testing
