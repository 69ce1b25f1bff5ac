#pragma once

#include "sim/link_context.h"

#include <QObject>
#include <QTcpServer>

namespace tlx::sim {

// The device as TCP server: the PC connects as client. Every connection
// talks to the same devices; the line count runs across connections.
class TcpListenLink : public QObject {
    Q_OBJECT
  public:
    TcpListenLink(LinkContext context, QObject* parent = nullptr);
    bool listen(quint16 port, QString* error);
    quint16 port() const { return server_.serverPort(); }

  private:
    void accept();

    LinkContext context_;
    device::LinkCounters counters_;
    QTcpServer server_;
};

} // namespace tlx::sim
