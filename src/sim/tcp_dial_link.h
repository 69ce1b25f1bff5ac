#pragma once

#include "sim/link_context.h"

#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace tlx::sim {

// The device as TCP client: it dials the PC's server, retries until it gets
// through, and dials again after every disconnect.
class TcpDialLink : public QObject {
    Q_OBJECT
  public:
    static constexpr int kRetryMs = 500;

    TcpDialLink(LinkContext context, QString host, quint16 port, QObject* parent = nullptr);
    void start();
    bool everConnected() const { return everConnected_; }

  signals:
    void firstConnected();

  private:
    void dial();
    void connected();
    void lost();

    LinkContext context_;
    QString host_;
    quint16 port_;
    device::LinkCounters counters_;
    QTcpSocket* socket_ = nullptr;
    QPointer<Connection> connection_;
    QTimer retry_;
    bool everConnected_ = false;
};

} // namespace tlx::sim
