#pragma once

// Only one game may run per user: the first one holds a lock file in the
// user's runtime folder. A lock left by a crashed game is recognised as stale
// (its process is gone) and taken over.

#include <QLockFile>
#include <QString>

#include <memory>

namespace zandrel {

/// The lock file's name in the user's runtime folder.
inline const QString kInstanceLockName = QStringLiteral("zandrel.lock");

/// The per-user lock file: the runtime folder when there is one, else the
/// temporary folder with the user id in the name.
QString defaultInstanceLockPath();

class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& path);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    /// True when this process now holds the lock (also when it already did);
    /// false when another running game holds it.
    bool tryLock();
    bool isLocked() const;

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace zandrel
