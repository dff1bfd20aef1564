#include "platform/file_lock.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zandrel {
namespace {

namespace fs = std::filesystem;

/// A fresh folder, removed with everything in it.
struct TempDir {
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "zandrel-lock-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir() {
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

TEST(FileLock, WhateverIsLeftInItsPlaceNeverBlocksButOnlyAFileOfOursIsUsed) {
    using Setup = std::function<void(const fs::path&)>;
    const std::tuple<const char*, Setup, FileLockResult> cases[] = {
        {"nothing", [](const fs::path&) {}, FileLockResult::acquired},
        {"an empty file", [](const fs::path& p) { testing::writeBytes(p, ""); }, FileLockResult::acquired},
        {"junk", [](const fs::path& p) { testing::writeBytes(p, std::string("\0\xff junk 4711\n", 13)); },
         FileLockResult::acquired},
        {"a read-only file",
         [](const fs::path& p) {
             testing::writeBytes(p, "1234\n");
             fs::permissions(p, fs::perms::owner_read);
         },
         FileLockResult::acquired},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, FileLockResult::unavailable},
        {"a symbolic link",
         [](const fs::path& p) {
             testing::writeBytes(p.string() + ".target", "");
             fs::create_symlink(p.string() + ".target", p);
         },
         FileLockResult::unavailable},
        {"no folder", [](const fs::path& p) { fs::remove(p.parent_path()); }, FileLockResult::unavailable},
    };
    for (const auto& [what, setup, expected] : cases) {
        TempDir dir;
        const fs::path path = dir.path / "sub" / "zandrel.lock";
        fs::create_directory(path.parent_path());
        setup(path);
        FileLock lock(path.string());
        EXPECT_EQ(lock.tryLock(), expected) << what << ": " << lock.error();
        EXPECT_EQ(lock.isLocked(), expected == FileLockResult::acquired) << what;
        EXPECT_EQ(lock.error().empty(), expected == FileLockResult::acquired) << what;
    }
    // A folder nobody may create files in (not even the superuser).
    FileLock proc("/proc/zandrel.lock");
    EXPECT_EQ(proc.tryLock(), FileLockResult::unavailable);
    if (::geteuid() != 0) {
        TempDir dir;
        fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
        FileLock readOnlyFolder((dir.path / "zandrel.lock").string());
        EXPECT_EQ(readOnlyFolder.tryLock(), FileLockResult::unavailable);
    }
}

TEST(FileLock, IsHeldOnceUntilReleasedOrItsProcessIsKilled) {
    TempDir dir;
    const std::string path = (dir.path / "zandrel.lock").string();
    FileLock first(path), second(path);
    ASSERT_EQ(first.tryLock(), FileLockResult::acquired);
    EXPECT_EQ(first.tryLock(), FileLockResult::acquired) << "taking it again keeps it";
    EXPECT_EQ(second.tryLock(), FileLockResult::heldByAnother);
    first.unlock();
    EXPECT_EQ(second.tryLock(), FileLockResult::acquired);
    second.unlock();

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileLock held(path);
        const char ok = held.tryLock() == FileLockResult::acquired ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    EXPECT_EQ(first.tryLock(), FileLockResult::heldByAnother);
    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    EXPECT_EQ(first.tryLock(), FileLockResult::acquired) << "a killed holder leaves no lock";
    close(ready[0]);
    close(ready[1]);
}

TEST(FileLock, AProgramStartedByTheHolderDoesNotKeepIt) {
    TempDir dir;
    const std::string path = (dir.path / "zandrel.lock").string();
    auto holder = std::make_unique<FileLock>(path);
    ASSERT_EQ(holder->tryLock(), FileLockResult::acquired);
    pid_t sleeper = 0;
    char sleep[] = "sleep", seconds[] = "30";
    char* argv[] = {sleep, seconds, nullptr};
    ASSERT_EQ(posix_spawnp(&sleeper, "sleep", nullptr, nullptr, argv, environ), 0);
    holder.reset();
    FileLock next(path);
    EXPECT_EQ(next.tryLock(), FileLockResult::acquired);
    kill(sleeper, SIGKILL);
    waitpid(sleeper, nullptr, 0);
}

} // namespace
} // namespace zandrel
