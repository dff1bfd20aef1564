#pragma once

// An advisory lock on an open file (flock). The system drops it when the file
// is closed, so also when the process dies however it dies: a lock file left
// behind (empty, full of junk, or from a crashed run) never blocks anyone.

#include <string>

namespace zandrel {

enum class FileLockResult {
    acquired,      ///< this object holds the lock now
    heldByAnother, ///< another open of the file holds it (another process, or another FileLock here)
    unavailable,   ///< the file could not be opened or locked for another reason
};

class FileLock {
public:
    explicit FileLock(std::string path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /// Opens (creating it when missing) and locks the file without waiting.
    /// Only a regular file owned by this user is used: a folder, a symbolic
    /// link or someone else's file in its place gives `unavailable`. Calling it
    /// again while the lock is held gives `acquired`.
    FileLockResult tryLock();
    /// Releases the lock and closes the file; the file itself stays.
    void unlock();
    bool isLocked() const { return fd_ >= 0; }
    /// Why the last `tryLock` did not acquire the lock ("" after success).
    const std::string& error() const { return error_; }

private:
    std::string path_;
    std::string error_;
    int fd_ = -1;
};

} // namespace zandrel
