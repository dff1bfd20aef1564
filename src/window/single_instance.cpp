#include "window/single_instance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>

#include <unistd.h>

namespace zandrel {

QStringList defaultInstanceLockPaths() {
    QStringList paths;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime).exists())
        paths << QDir(runtime).filePath(kInstanceLockName);
    paths << QDir(QDir::tempPath()).filePath(QStringLiteral("zandrel-%1.lock").arg(::geteuid()));
    return paths;
}

SingleInstanceLock::SingleInstanceLock(QStringList paths) : paths_(std::move(paths)) {}

bool SingleInstanceLock::tryLock() {
    if (isLocked())
        return true;
    QStringList reasons;
    for (const QString& path : paths_) {
        auto lock = std::make_unique<FileLock>(QFile::encodeName(path).toStdString());
        switch (lock->tryLock()) {
        case FileLockResult::acquired:
            lock_ = std::move(lock);
            return true;
        case FileLockResult::heldByAnother:
            return false;
        case FileLockResult::unavailable:
            reasons << path + QStringLiteral(" (") + QString::fromStdString(lock->error()) + QLatin1Char(')');
            break;
        }
    }
    std::fprintf(stderr, "zandrel: no single-instance lock could be taken, starting anyway: %s\n",
                 qPrintable(reasons.join(QStringLiteral(", "))));
    return true;
}

} // namespace zandrel
