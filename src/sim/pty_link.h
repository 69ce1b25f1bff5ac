#pragma once

#include "sim/link_context.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QString>
#include <memory>

namespace tlx::sim {

// A pseudo-terminal standing in for a serial cable: the device works the
// master end, and a symbolic link at the given path names the slave end, which
// the tool opens like a COM port. The emulator keeps the slave open itself, so
// the line survives the tool closing and reopening it.
class PtyLink : public QObject {
    Q_OBJECT
  public:
    explicit PtyLink(LinkContext context, QObject* parent = nullptr);
    ~PtyLink() override;

    bool open(const QString& linkPath, QString* error);
    QString slaveName() const { return slaveName_; }

    // Output not yet taken by the pseudo-terminal is held up to this many
    // bytes; beyond it the oldest replies are lost, as on a serial line
    // nobody reads.
    static constexpr qsizetype kMaxPending = 1 << 20;

  private:
    void readMaster();
    void write(const QByteArray& bytes);
    void drain();

    LinkContext context_;
    device::LinkCounters counters_;
    int master_ = -1;
    int slave_ = -1;
    QString slaveName_;
    QString linkPath_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
    QPointer<Connection> connection_;
    QByteArray pending_;
};

} // namespace tlx::sim
