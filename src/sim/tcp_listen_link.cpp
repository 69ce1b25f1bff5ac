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
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Connection::Io io;
        io.write = [socket](const QByteArray& bytes) {
            socket->write(bytes);
            socket->flush();
        };
        io.close = [socket] { socket->disconnectFromHost(); };
        auto* connection = new Connection(*context_.bus, *context_.plan, counters_, context_.pacing,
                                          context_.log, std::move(io), socket);
        attachSocket(socket, connection);
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            socket->deleteLater();
            if (context_.peerGone) {
                context_.peerGone();
            }
        });
    }
}

} // namespace tlx::sim
