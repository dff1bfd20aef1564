#include "window/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace zandrel {

QString defaultInstanceLockPath() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).filePath(kInstanceLockName);
    return QDir(QDir::tempPath()).filePath(QStringLiteral("zandrel-%1.lock").arg(::getuid()));
}

SingleInstanceLock::SingleInstanceLock(const QString& path) : lock_(std::make_unique<QLockFile>(path)) {
    // Never treat a lock as stale by its age: a game may run for days. A lock
    // whose process has gone is still found stale by its process id.
    lock_->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::tryLock() {
    if (lock_->isLocked())
        return true;
    // tryLock itself takes over a lock whose process is gone.
    return lock_->tryLock(0);
}

bool SingleInstanceLock::isLocked() const {
    return lock_->isLocked();
}

} // namespace zandrel
