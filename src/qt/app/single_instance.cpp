#include "app/single_instance.h"

#include "app/shell_logic.h"
#include "base/host.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace tlx::qt {

SingleInstance::SingleInstance(std::string_view mutexName, const QString& folder)
    : path_(QDir(folder).filePath(
          QString::fromUtf8(mutexName.data(), static_cast<qsizetype>(mutexName.size())) +
          QStringLiteral(".lock"))) {}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

QString SingleInstance::runtimeFolder() {
    // Read directly: this runs on every start and must stay cheap.
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

bool SingleInstance::acquire() {
    if (fd_ >= 0) {
        return true;
    }
    const QByteArray path = QFile::encodeName(path_);
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0 && errno == ENOENT) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    }
    if (fd < 0) {
        // Nowhere to keep a lock (an unwritable runtime folder): starting
        // unguarded beats refusing every start as a second copy.
        qWarning("single-instance lock %s not made: %s", path.constData(), std::strerror(errno));
        return true;
    }
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    // The owner's process number, for whoever looks at the file.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::write(fd, pid.data(), pid.size());
    }
    fd_ = fd;
    return true;
}

bool takeSingleInstance(SingleInstance& instance, Host& host, Product product) {
    if (instance.acquire()) {
        return true;
    }
    host.showMessage(MessageKind::Notice, kMsgSecondInstance, traits(product).productString);
    return false;
}

} // namespace tlx::qt
