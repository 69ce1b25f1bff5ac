#include "app/single_instance.h"

#include "app/host.h"
#include "app/shell_logic.h"

#include <QDir>
#include <QStandardPaths>

namespace tlx::qt {

SingleInstance::SingleInstance(std::string_view mutexName, const QString& folder)
    : path_(QDir(folder).filePath(
          QString::fromUtf8(mutexName.data(), static_cast<qsizetype>(mutexName.size())) +
          QStringLiteral(".lock"))) {}

QString SingleInstance::runtimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder;
}

bool SingleInstance::acquire() {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    lock_ = std::make_unique<QLockFile>(path_);
    // A running copy keeps its lock however long it runs; only a lock whose
    // owner is gone counts as stale.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

bool takeSingleInstance(SingleInstance& instance, Host& host, Product product) {
    if (instance.acquire()) {
        return true;
    }
    host.showMessage(MessageKind::Notice, kMsgSecondInstance, traits(product).productString);
    return false;
}

} // namespace tlx::qt
