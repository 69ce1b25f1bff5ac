#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <optional>
#include <string>

namespace tlx::sim::test {

// Generous limits: the tests must pass on a loaded machine.
inline constexpr int kWaitMs = 20000;

// One tlx500-sim process, started with a ready file in its own folder.
class SimProcess {
  public:
    explicit SimProcess(QStringList arguments);
    ~SimProcess();

    // Starts the emulator and waits for its ready file; false (with the
    // emulator's error output in why()) when it does not get ready.
    bool start() { return launch() && waitReady(); }
    bool launch();
    bool waitReady();
    QString readyText() const { return ready_; }
    quint16 port() const { return static_cast<quint16>(ready_.toUInt()); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    // The options by which tlx500ctl reaches it: the pseudo-terminal it was
    // given, else its TCP/IP port.
    QStringList ctlLink() const;
    QString why() const { return why_; }

    // Sends the signal and waits for the exit; the exit code, or -1.
    int stop(int signalNumber);
    bool running() const { return process_.state() != QProcess::NotRunning; }
    QByteArray errorOutput();
    qint64 pid() const { return process_.processId(); }

  private:
    QTemporaryDir dir_;
    QStringList arguments_;
    QProcess process_;
    QString ready_;
    QString why_;
};

// Runs the emulator to completion with these arguments (for option errors and
// help); returns the exit code and fills the outputs.
int runSimToEnd(const QStringList& arguments, QByteArray* out, QByteArray* err);

// A line client over TCP.
class LineClient {
  public:
    bool connectTo(quint16 port);
    bool send(const QByteArray& bytes);
    // One reply line with its CR LF; nothing when none comes in time.
    std::optional<std::string> readLine(int timeoutMs = kWaitMs);
    std::optional<std::string> request(const std::string& command, int timeoutMs = kWaitMs);
    // Waits up to timeoutMs for any byte; true when something came.
    bool anythingWithin(int timeoutMs);
    bool waitClosed(int timeoutMs = kWaitMs);
    // The next chunk as the socket delivered it.
    QByteArray readChunk(int timeoutMs = kWaitMs);
    QTcpSocket& socket() { return socket_; }

  private:
    QTcpSocket socket_;
    QByteArray buffer_;
};

// The tool's end of a pseudo-terminal, opened raw through the emulator's link.
class PtyClient {
  public:
    ~PtyClient();
    bool open(const QString& path);
    bool send(const std::string& bytes);
    std::optional<std::string> readLine(int timeoutMs = kWaitMs);
    // The command with CR LF, and the reply line to it.
    std::optional<std::string> request(const std::string& command);
    bool anythingWithin(int timeoutMs);

  private:
    int fd_ = -1;
    std::string buffer_;
};

} // namespace tlx::sim::test
