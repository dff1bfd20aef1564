#include "platform/file_lock.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zandrel {

FileLock::FileLock(std::string path) : path_(std::move(path)) {}

FileLock::~FileLock() {
    unlock();
}

FileLockResult FileLock::tryLock() {
    if (fd_ >= 0)
        return FileLockResult::acquired;
    auto fail = [this](const char* what, int error) {
        error_ = std::string(what) + ": " + std::strerror(error);
        return FileLockResult::unavailable;
    };
    // Close-on-exec: a program the game starts must not inherit the lock and
    // keep it after the game has ended.
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NOCTTY;
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | kFlags, 0600);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(path_.c_str(), O_RDONLY | kFlags); // a lock needs no write access
    if (fd < 0)
        return fail("cannot open", errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return fail("not a file of this user", S_ISDIR(info.st_mode) ? EISDIR : EPERM);
    }
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            error_ = "held by another process";
            return FileLockResult::heldByAnother;
        }
        return fail("cannot lock", error);
    }
    fd_ = fd;
    error_.clear();
    return FileLockResult::acquired;
}

void FileLock::unlock() {
    if (fd_ < 0)
        return;
    ::close(fd_); // closing the last descriptor drops the lock
    fd_ = -1;
}

} // namespace zandrel
