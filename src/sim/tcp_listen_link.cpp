#include "sim/tcp_listen_link.h"

#include "sim/socket_pump.h"

#include <QTcpSocket>

namespace tlx::sim {

TcpListenLink::TcpListenLink(LinkContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    connect(&server_, &QTcpServer::newConnection, this, &TcpListenLink::accept);
}

bool TcpListenLink::listen(quint16 port, QString* error) {
    if (!server_.listen(QHostAddress::Any, port)) {
        *error =
            "cannot listen on TCP port " + QString::number(port) + ": " + server_.errorString();
        return false;
    }
    return true;
}

void TcpListenLink::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        openSocketConnection(socket, context_, counters_);
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            socket->deleteLater();
            if (context_.peerGone) {
                context_.peerGone();
            }
        });
    }
}

} // namespace tlx::sim
