#pragma once

// Only one game may run per user: the first one holds an advisory lock on a
// file in the user's runtime folder. The system drops the lock when the game
// ends, however it ends, so only a running game can hold it. When no lock can
// be taken for any other reason (no usable folder, a folder in the file's
// place) the game starts all the same.

#include "platform/file_lock.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace zandrel {

/// The lock file's name in the user's runtime folder.
inline const QString kInstanceLockName = QStringLiteral("zandrel.lock");

/// The per-user lock files, tried in this order: the runtime folder's (when
/// there is one), then the temporary folder's with the user id in the name.
QStringList defaultInstanceLockPaths();

class SingleInstanceLock {
public:
    /// `paths` are tried in order until one can be locked or is held by another game.
    explicit SingleInstanceLock(QStringList paths);
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    /// False only when another running game holds the lock. True when this
    /// process holds it now (also when it already did), and when no lock
    /// could be taken at all: then one line on standard error says why.
    bool tryLock();
    bool isLocked() const { return lock_ != nullptr; }

private:
    QStringList paths_;
    std::unique_ptr<FileLock> lock_; ///< set once a lock is held
};

} // namespace zandrel
