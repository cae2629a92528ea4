#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace somnexa::app {

SingleInstance::SingleInstance(const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    path_ = QDir(dir).filePath(QString::fromLatin1(kInstanceName) + QStringLiteral(".lock"));
}

bool SingleInstance::acquire() {
    if (lock_ && lock_->isLocked()) return true;
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0);  // a lock left by a crashed program is taken over
    return lock_->tryLock(0);
}

void SingleInstance::release() {
    if (lock_) lock_->unlock();
    lock_.reset();
}

}  // namespace somnexa::app
