#include "sim/tcp_dial_link.h"

#include "sim/socket_pump.h"

namespace tlx::sim {

TcpDialLink::TcpDialLink(LinkContext context, QString host, quint16 port, QObject* parent)
    : QObject(parent), context_(std::move(context)), host_(std::move(host)), port_(port) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &TcpDialLink::dial);
}

void TcpDialLink::start() {
    dial();
}

void TcpDialLink::dial() {
    if (socket_ != nullptr) {
        return;
    }
    socket_ = new QTcpSocket(this);
    QTcpSocket* socket = socket_;
    connect(socket, &QTcpSocket::connected, this, &TcpDialLink::connected);
    connect(socket, &QTcpSocket::disconnected, this, &TcpDialLink::lost);
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        // A refused or failed dial never reaches "connected"; a broken
        // connection also reports "disconnected", which handles it.
        if (socket == socket_ && socket->state() != QAbstractSocket::ConnectedState &&
            connection_.isNull()) {
            socket_ = nullptr;
            socket->deleteLater();
            retry_.start();
        }
    });
    socket->connectToHost(host_, port_);
}

void TcpDialLink::connected() {
    QTcpSocket* socket = socket_;
    connection_ = openSocketConnection(socket, context_, counters_);
    if (!everConnected_) {
        everConnected_ = true;
        emit firstConnected();
    }
}

void TcpDialLink::lost() {
    QTcpSocket* socket = socket_;
    if (socket == nullptr) {
        return;
    }
    socket_ = nullptr;
    connection_ = nullptr;
    socket->deleteLater();
    if (context_.peerGone) {
        context_.peerGone();
    }
    retry_.start();
}

} // namespace tlx::sim
