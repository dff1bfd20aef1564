#include "platform/file_lock.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::TempConfigDir;
using testing::writeBytes;

TEST(FileLock, WhateverIsLeftInItsPlaceNeverBlocksButOnlyAFileOfOursIsUsed) {
    using Setup = std::function<void(const fs::path&)>;
    const auto ok = FileLockResult::acquired, no = FileLockResult::unavailable;
    const std::tuple<const char*, Setup, FileLockResult> cases[] = {
        {"nothing", [](const fs::path&) {}, ok},
        {"an empty file", [](const fs::path& p) { writeBytes(p, ""); }, ok},
        {"junk", [](const fs::path& p) { writeBytes(p, std::string("\0\xff junk 4711\n", 13)); }, ok},
        {"a read-only file",
         [](const fs::path& p) { writeBytes(p, "1"), fs::permissions(p, fs::perms::owner_read); }, ok},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, no},
        {"a symbolic link",
         [](const fs::path& p) { writeBytes(p.string() + "x", ""), fs::create_symlink(p.string() + "x", p); },
         no},
        {"no folder", [](const fs::path& p) { fs::remove(p.parent_path()); }, no},
    };
    for (const auto& [what, setup, expected] : cases) {
        TempConfigDir dir;
        const fs::path path = dir.path() + "/sub/zandrel.lock";
        fs::create_directory(path.parent_path());
        setup(path);
        FileLock lock(path.string());
        EXPECT_EQ(lock.tryLock(), expected) << what << ": " << lock.error();
        EXPECT_EQ(std::pair(lock.isLocked(), lock.error().empty()), std::pair(expected == ok, expected == ok))
            << what;
    }
    // A folder nobody may create files in (not even the superuser).
    EXPECT_EQ(FileLock("/proc/zandrel.lock").tryLock(), no);
    if (::geteuid() != 0) {
        TempConfigDir dir;
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(FileLock(dir.path() + "/zandrel.lock").tryLock(), no);
    }
}

TEST(FileLock, IsHeldOnceUntilReleasedOrItsProcessEnds) {
    TempConfigDir dir;
    const std::string path = dir.path() + "/zandrel.lock";
    FileLock first(path), second(path);
    ASSERT_EQ(first.tryLock(), FileLockResult::acquired);
    EXPECT_EQ(first.tryLock(), FileLockResult::acquired) << "taking it again keeps it";
    EXPECT_EQ(second.tryLock(), FileLockResult::heldByAnother);
    first.unlock();
    EXPECT_EQ(second.tryLock(), FileLockResult::acquired);

    // A program started by the holder does not keep it.
    pid_t sleeper = 0;
    char sleep[] = "sleep", seconds[] = "30";
    char* argv[] = {sleep, seconds, nullptr};
    ASSERT_EQ(posix_spawnp(&sleeper, "sleep", nullptr, nullptr, argv, environ), 0);
    second.unlock();
    // The program's close-on-exec files close a moment after the start; a kept lock would stay 30 s.
    for (int waited = 0; first.tryLock() != FileLockResult::acquired && waited < 5000; ++waited)
        usleep(1000);
    EXPECT_TRUE(first.isLocked());
    kill(sleeper, SIGKILL);
    waitpid(sleeper, nullptr, 0);
    first.unlock();

    // A killed holder leaves no lock.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileLock mine(path);
        const char held = mine.tryLock() == FileLockResult::acquired ? '1' : '0';
        (void)!write(ready[1], &held, 1);
        if (held == '1') // a child without the lock must not outlive a failed test
            pause();
        _exit(0);
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    close(ready[0]);
    close(ready[1]);
    ASSERT_EQ(held, '1');
    EXPECT_EQ(first.tryLock(), FileLockResult::heldByAnother);
    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    EXPECT_EQ(first.tryLock(), FileLockResult::acquired);
}

} // namespace
} // namespace zandrel
