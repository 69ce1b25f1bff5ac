#include "sim/connection.h"

#include "sim/line_log.h"

#include <algorithm>

namespace tlx::sim {

Connection::Connection(device::DeviceBus& bus, const device::FaultPlan& plan,
                       device::LinkCounters& counters, Pacing pacing, LineLog* log, Io io,
                       QObject* parent)
    : QObject(parent), session_(bus, plan, counters), pacing_(pacing), log_(log),
      io_(std::move(io)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Connection::flushDue);
    connect(&endless_, &QTimer::timeout, this, [this] { io_.write(endlessPiece_); });
    clock_.start();
}

void Connection::receive(const QByteArray& bytes) {
    if (closeQueued_) {
        return;
    }
    out_.replies.clear();
    out_.close = false;
    out_.endless.clear();
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (log_ != nullptr) {
        session_.receive(view, out_, [this](std::string_view line) { log_->append(line); });
    } else {
        session_.receive(view, out_);
    }
    if (!out_.endless.empty() && !endless_.isActive()) {
        endlessPiece_ = QByteArray(out_.endless.data(), static_cast<qsizetype>(out_.endless.size()));
        endless_.start(5);
    }

    const bool paced = pacing_.delayMs > 0 || pacing_.split;
    if (!paced && pieces_.empty()) {
        // The common case: answer at once, in one write per batch of lines.
        if (!out_.replies.empty()) {
            QByteArray all;
            for (const auto& r : out_.replies) {
                all.append(r.data(), static_cast<qsizetype>(r.size()));
            }
            io_.write(all);
        }
        if (out_.close) {
            closeQueued_ = true;
            io_.close();
        }
        return;
    }
    const qint64 now = clock_.elapsed();
    for (const auto& r : out_.replies) {
        const QByteArray reply(r.data(), static_cast<qsizetype>(r.size()));
        const qint64 due = std::max(now + pacing_.delayMs, lastDue_);
        if (pacing_.split && reply.size() >= 2) {
            // The first piece never ends in LF: it stops at least one byte short.
            const qsizetype half = std::max<qsizetype>(1, reply.size() / 2);
            queue(due, reply.left(half), false);
            queue(due + kSplitPauseMs, reply.mid(half), false);
        } else {
            queue(due, reply, false);
        }
    }
    if (out_.close) {
        closeQueued_ = true;
        queue(std::max(now, lastDue_), {}, true);
    }
    flushDue();
}

void Connection::queue(qint64 due, QByteArray bytes, bool close) {
    lastDue_ = std::max(lastDue_, due);
    waitingBytes_ += bytes.size();
    pieces_.push_back({lastDue_, std::move(bytes), close});
}

void Connection::flushDue() {
    const qint64 now = clock_.elapsed();
    while (!pieces_.empty() && pieces_.front().due <= now) {
        Piece p = std::move(pieces_.front());
        pieces_.pop_front();
        waitingBytes_ -= p.bytes.size();
        if (p.close) {
            pieces_.clear();
            waitingBytes_ = 0;
            io_.close();
            return;
        }
        io_.write(p.bytes);
    }
    if (!pieces_.empty()) {
        timer_.start(static_cast<int>(pieces_.front().due - now));
    }
}

} // namespace tlx::sim
