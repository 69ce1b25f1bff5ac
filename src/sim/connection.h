#pragma once

#include "device/link_session.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

namespace tlx::sim {

class LineLog;

struct Pacing {
    int delayMs = 0;
    bool split = false;
};

// One open connection of a link: received bytes go through the device's
// session; replies go out at once, or later and in pieces when the options
// ask for it, always in order. A close due after a reply follows that reply.
class Connection : public QObject {
    Q_OBJECT
  public:
    struct Io {
        std::function<void(const QByteArray&)> write;
        std::function<void()> close;
    };

    Connection(device::DeviceBus& bus, const device::FaultPlan& plan,
               device::LinkCounters& counters, Pacing pacing, LineLog* log, Io io,
               QObject* parent = nullptr);

    void receive(const QByteArray& bytes);
    bool closing() const { return closeQueued_; }
    // Reply bytes held back by the pacing, not yet handed to the link.
    qint64 waitingBytes() const { return waitingBytes_; }

    static constexpr int kSplitPauseMs = 20;

  private:
    struct Piece {
        qint64 due;
        QByteArray bytes;
        bool close;
    };
    void queue(qint64 due, QByteArray bytes, bool close);
    void flushDue();

    device::LinkSession session_;
    Pacing pacing_;
    LineLog* log_;
    Io io_;
    std::deque<Piece> pieces_;
    QTimer timer_;
    QTimer endless_; // repeats endlessPiece_ until the connection ends
    QByteArray endlessPiece_;
    QElapsedTimer clock_;
    qint64 lastDue_ = 0;
    bool closeQueued_ = false;
    qint64 waitingBytes_ = 0;
    device::LinkSession::Output out_;
};

} // namespace tlx::sim
