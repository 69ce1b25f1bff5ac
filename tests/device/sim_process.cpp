#include "sim_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tlx::sim::test {

SimProcess::SimProcess(QStringList arguments) : arguments_(std::move(arguments)) {
    process_.setProgram(QStringLiteral(TLX_SIM_PATH));
}

SimProcess::~SimProcess() {
    if (running()) {
        process_.kill();
        process_.waitForFinished(kWaitMs);
    }
}

QStringList SimProcess::ctlLink() const {
    const qsizetype pty = arguments_.indexOf("--pty");
    if (pty >= 0 && pty + 1 < arguments_.size()) {
        return {"--serial", arguments_[pty + 1]};
    }
    return {"--tcp", "127.0.0.1:" + QString::number(port())};
}

bool SimProcess::launch() {
    process_.setArguments(arguments_ + QStringList{"--ready-file", dir_.filePath("ready")});
    process_.start();
    if (!process_.waitForStarted(kWaitMs)) {
        why_ = "did not start: " + process_.errorString();
        return false;
    }
    return true;
}

bool SimProcess::waitReady() {
    const QString readyPath = dir_.filePath("ready");
    // The ready file appears in one step once the link is up.
    QDeadlineTimer deadline(kWaitMs);
    while (!QFile::exists(readyPath)) {
        if (process_.state() == QProcess::NotRunning || deadline.hasExpired()) {
            why_ = "not ready: " + QString::fromLocal8Bit(errorOutput());
            return false;
        }
        process_.waitForFinished(20);
    }
    QFile f(readyPath);
    if (!f.open(QIODevice::ReadOnly)) {
        why_ = "ready file unreadable";
        return false;
    }
    ready_ = QString::fromUtf8(f.readAll()).trimmed();
    return true;
}

int SimProcess::stop(int signalNumber) {
    if (!running()) {
        return process_.exitCode();
    }
    ::kill(static_cast<pid_t>(process_.processId()), signalNumber);
    if (!process_.waitForFinished(kWaitMs)) {
        return -1;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QByteArray SimProcess::errorOutput() {
    return process_.readAllStandardError();
}

int runSimToEnd(const QStringList& arguments, QByteArray* out, QByteArray* err) {
    QProcess p;
    p.start(QStringLiteral(TLX_SIM_PATH), arguments);
    if (!p.waitForFinished(kWaitMs)) {
        p.kill();
        p.waitForFinished(kWaitMs);
        return -1;
    }
    *out = p.readAllStandardOutput();
    *err = p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool LineClient::connectTo(quint16 port) {
    socket_.connectToHost(QHostAddress::LocalHost, port);
    return socket_.waitForConnected(kWaitMs);
}

bool LineClient::send(const QByteArray& bytes) {
    socket_.write(bytes);
    while (socket_.bytesToWrite() > 0) {
        if (!socket_.waitForBytesWritten(kWaitMs)) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> LineClient::readLine(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const qsizetype lf = buffer_.indexOf('\n');
        if (lf >= 0) {
            std::string line = buffer_.left(lf + 1).toStdString();
            buffer_.remove(0, lf + 1);
            return line;
        }
        if (deadline.hasExpired() ||
            !socket_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            buffer_ += socket_.readAll();
            if (buffer_.indexOf('\n') < 0) {
                return std::nullopt;
            }
            continue;
        }
        buffer_ += socket_.readAll();
    }
}

std::optional<std::string> LineClient::request(const std::string& command, int timeoutMs) {
    if (!send(QByteArray::fromStdString(command + "\r\n"))) {
        return std::nullopt;
    }
    return readLine(timeoutMs);
}

bool LineClient::anythingWithin(int timeoutMs) {
    if (!buffer_.isEmpty() || socket_.bytesAvailable() > 0) {
        return true;
    }
    return socket_.waitForReadyRead(timeoutMs);
}

bool LineClient::waitClosed(int timeoutMs) {
    if (socket_.state() == QAbstractSocket::UnconnectedState) {
        return true;
    }
    return socket_.waitForDisconnected(timeoutMs);
}

QByteArray LineClient::readChunk(int timeoutMs) {
    if (!buffer_.isEmpty()) {
        return std::exchange(buffer_, {});
    }
    if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(timeoutMs)) {
        return {};
    }
    return socket_.readAll();
}

PtyClient::~PtyClient() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PtyClient::open(const QString& path) {
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        return false;
    }
    termios tio{};
    ::tcgetattr(fd_, &tio);
    ::cfmakeraw(&tio);
    return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
}

std::optional<std::string> PtyClient::request(const std::string& command) {
    if (!send(command + "\r\n")) {
        return std::nullopt;
    }
    return readLine();
}

bool PtyClient::send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string> PtyClient::readLine(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const std::size_t lf = buffer_.find('\n');
        if (lf != std::string::npos) {
            std::string line = buffer_.substr(0, lf + 1);
            buffer_.erase(0, lf + 1);
            return line;
        }
        pollfd p{fd_, POLLIN, 0};
        const int left = static_cast<int>(deadline.remainingTime());
        if (deadline.hasExpired() || ::poll(&p, 1, left) <= 0) {
            return std::nullopt;
        }
        char buf[4096];
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n <= 0) {
            return std::nullopt;
        }
        buffer_.append(buf, static_cast<std::size_t>(n));
    }
}

bool PtyClient::anythingWithin(int timeoutMs) {
    if (!buffer_.empty()) {
        return true;
    }
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

} // namespace tlx::sim::test
