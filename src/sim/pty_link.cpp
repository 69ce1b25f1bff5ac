#include "sim/pty_link.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace tlx::sim {

PtyLink::PtyLink(LinkContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {}

PtyLink::~PtyLink() {
    readNotifier_.reset();
    writeNotifier_.reset();
    if (!linkPath_.isEmpty()) {
        // Remove the link only while it still names our terminal.
        const QByteArray path = QFile::encodeName(linkPath_);
        char target[256] = {};
        const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
        if (n > 0 && QString::fromLocal8Bit(target, n) == slaveName_) {
            ::unlink(path.constData());
        }
    }
    if (master_ >= 0) {
        ::close(master_);
    }
    if (slave_ >= 0) {
        ::close(slave_);
    }
}

bool PtyLink::open(const QString& linkPath, QString* error) {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        *error = QString("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    slaveName_ = QString::fromLocal8Bit(name);

    // Raw bytes both ways: no echo, no line editing, no CR/LF translation.
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B115200);
        ::cfsetospeed(&tio, B115200);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);

    const QByteArray path = QFile::encodeName(linkPath);
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            *error = linkPath + " exists and is not a symbolic link; not replacing it";
            return false;
        }
        ::unlink(path.constData());
    }
    if (::symlink(name, path.constData()) != 0) {
        *error = linkPath + ": " + std::strerror(errno);
        return false;
    }
    linkPath_ = linkPath;

    Connection::Io io;
    io.write = [this](const QByteArray& bytes) { write(bytes); };
    io.close = [] {}; // a serial line has nothing to close
    connection_ = new Connection(*context_.bus, *context_.plan, counters_, context_.pacing,
                                 context_.log, std::move(io), this);

    readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(readNotifier_.get(), &QSocketNotifier::activated, this, &PtyLink::readMaster);
    writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_.get(), &QSocketNotifier::activated, this, &PtyLink::drain);
    return true;
}

void PtyLink::readMaster() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            connection_->receive(QByteArray(buf, static_cast<qsizetype>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return; // EAGAIN: all read
    }
}

void PtyLink::write(const QByteArray& bytes) {
    pending_.append(bytes);
    if (pending_.size() > kMaxPending) {
        pending_.remove(0, pending_.size() - kMaxPending);
    }
    drain();
}

void PtyLink::drain() {
    while (!pending_.isEmpty()) {
        const ssize_t n =
            ::write(master_, pending_.constData(), static_cast<std::size_t>(pending_.size()));
        if (n > 0) {
            pending_.remove(0, static_cast<qsizetype>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        break; // the terminal is full: wait until it takes more
    }
    writeNotifier_->setEnabled(!pending_.isEmpty());
}

} // namespace tlx::sim
