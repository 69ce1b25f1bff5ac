#include "protocol/tcp_link.h"

#include <QHostAddress>

#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "protocol/socket_set.h"

namespace tlx::qt {

namespace {

quint16 portOf(const std::string& text) {
    bool ok = false;
    const uint port = QString::fromStdString(text).trimmed().toUInt(&ok);
    return ok && port <= 65535 ? static_cast<quint16>(port) : 0;
}

std::string_view view(const QByteArray& data) {
    return {data.constData(), static_cast<std::size_t>(data.size())};
}

std::string nameOf(const QTcpSocket* socket) {
    if (socket == nullptr) {
        return {};
    }
    return socket->peerAddress().toString().toStdString() + ":" +
           std::to_string(socket->peerPort());
}

} // namespace

std::string TcpLink::linkName(int slot) const { return nameOf(socketFor(slot)); }

TcpLink::TcpLink(AppState& state, Host& host, QObject* parent)
    : QObject(parent), state_(state), host_(host), answerWait_(kSocketAnswerWait) {}

TcpLink::~TcpLink() {
    // Sockets are children of this object; stop their signals reaching a
    // half-destroyed link.
    for (auto* socket : findChildren<QTcpSocket*>()) {
        socket->disconnect(this);
    }
}

void TcpLink::failure(std::string_view text) {
    host_.showMessage(MessageKind::Error, text, state_.traits().productString);
}

bool TcpLink::clientSocketOpen() const {
    return client_ != nullptr && client_->state() != QAbstractSocket::UnconnectedState;
}

void TcpLink::watch(QTcpSocket* socket) {
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { onPeerClosed(socket); });
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this, socket](QAbstractSocket::SocketError e) { onSocketError(socket, e); });
}

bool TcpLink::connectClient() {
    const auto& c = state_.connection;
    if (c.selectNumber < 0 || c.selectNumber >= c.listCount()) {
        failure("接続できません");
        return false;
    }
    if (client_) {
        closeSocket(client_);
    }
    const auto& ip = c.hostList[static_cast<std::size_t>(c.selectNumber)];
    const QString host = QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]);
    const quint16 port = portOf(state_.model.devicePortNumber);
    if (port == 0) {
        failure("接続できません");
        return false;
    }
    auto* socket = new QTcpSocket(this);
    client_ = socket;
    watch(socket);
    connect(socket, &QTcpSocket::connected, this, [this] {
        state_.link.socketConnected = true;
        host_.notice("Socket 接続 OK");
        emit connectionChanged();
    });
    socket->connectToHost(host, port);
    return true;
}

bool TcpLink::startListening() {
    if (listening()) {
        return true;
    }
    const quint16 port = portOf(state_.model.devicePortNumber);
    auto* server = new QTcpServer(this);
    if (!server->listen(QHostAddress::AnyIPv4, port)) {
        delete server;
        failure("Bindできません");
        return false;
    }
    server_ = server;
    clients_.reset();
    connect(server, &QTcpServer::newConnection, this, &TcpLink::onNewConnection);
    return true;
}

void TcpLink::onNewConnection() {
    QTcpServer* server = server_.data();
    if (server == nullptr) {
        return;
    }
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        const auto slot = clients_.freeSlot();
        if (!slot) {
            // Every slot is taken: the newcomer is turned away at once.
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setParent(this);
        slotSockets_[static_cast<std::size_t>(*slot)] = socket;
        clients_.occupy(*slot, socket->peerAddress().toString().toStdString());
        watch(socket);
        emit clientsChanged();
    }
}

bool TcpLink::pickClient(int row) {
    const auto slot = clients_.slotOfRow(row);
    if (!slot) {
        state_.connection.selectNumber = -1;
        return false;
    }
    state_.connection.selectNumber = *slot;
    state_.link.socketConnected = true;
    return true;
}

QTcpSocket* TcpLink::socketFor(int slot) const {
    if (slot < 0) {
        return client_;
    }
    if (slot >= ClientTable::kSlots) {
        return nullptr;
    }
    return slotSockets_[static_cast<std::size_t>(slot)];
}

quint16 TcpLink::peerPort(int slot) const {
    const QTcpSocket* socket = slot > 0 ? socketFor(slot) : nullptr;
    return socket ? socket->peerPort() : 0;
}

int TcpLink::slotOf(const QTcpSocket* socket) const {
    for (int i = 1; i < ClientTable::kSlots; ++i) {
        if (slotSockets_[static_cast<std::size_t>(i)] == socket) {
            return i;
        }
    }
    return 0;
}

bool TcpLink::lendClient(int slot, const std::function<bool(const Lent&)>& take) {
    QTcpSocket* socket = slot > 0 ? socketFor(slot) : nullptr;
    if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
        return false;
    }
    // Output the link still holds goes out first, within an answer's wait.
    socket->flush();
    while (socket->bytesToWrite() > 0) {
        if (!socket->waitForBytesWritten(static_cast<int>(answerWait_.count()))) {
            return false;
        }
    }
    const QByteArray unread = socket->readAll();
    if (!take({socket->socketDescriptor(), view(unread)})) {
        return false;
    }
    socket->disconnect(this);
    slotSockets_[static_cast<std::size_t>(slot)] = nullptr;
    lent_[static_cast<std::size_t>(slot)] = true;
    delete socket; // closes only this copy of the descriptor
    return true;
}

void TcpLink::returnClient(int slot, qintptr descriptor, std::string_view unsent) {
    const auto i = static_cast<std::size_t>(slot);
    if (slot <= 0 || slot >= ClientTable::kSlots || !lent_[i]) {
        closeSocketDescriptor(descriptor); // the link forgot its clients meanwhile
        return;
    }
    lent_[i] = false;
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        closeSocketDescriptor(descriptor);
        lentClientClosed(slot);
        return;
    }
    slotSockets_[i] = socket;
    watch(socket);
    if (!unsent.empty()) {
        socket->write(unsent.data(), static_cast<qint64>(unsent.size()));
    }
}

void TcpLink::lentClientClosed(int slot) {
    const auto i = static_cast<std::size_t>(slot);
    if (slot <= 0 || slot >= ClientTable::kSlots || !lent_[i]) {
        return; // the link forgot its clients meanwhile
    }
    lent_[i] = false;
    clients_.release(slot);
    emit clientClosed(slot);
    emit clientsChanged();
}

SocketSendStatus TcpLink::send(int slot, std::string_view line) {
    QTcpSocket* socket = socketFor(slot);
    if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
        return SocketSendStatus::Failed;
    }
    if (tap_) {
        tap_(Direction::Out, nameOf(socket), line);
    }
    answerDue_ = QDeadlineTimer(answerWait_);
    if (socket->write(line.data(), static_cast<qint64>(line.size())) < 0) {
        return SocketSendStatus::Failed;
    }
    socket->flush();
    return SocketSendStatus::Sent;
}

SocketReceive TcpLink::receive(int slot) {
    // Short slices, so that an interrupt is seen within a tenth of a second.
    constexpr qint64 kSliceMs = 25;
    QTcpSocket* socket = socketFor(slot);
    if (!socket) {
        return {SocketReceive::Kind::Data, {}};
    }
    while (true) {
        if (interrupted_ && interrupted_()) {
            return {SocketReceive::Kind::Stopped, {}};
        }
        if (answerDue_.hasExpired()) {
            return {SocketReceive::Kind::TimedOut, {}};
        }
        if (socket->bytesAvailable() > 0) {
            break;
        }
        waiting_ = true;
        const bool ready = socket->waitForReadyRead(
            static_cast<int>(std::min(answerDue_.remainingTime(), kSliceMs)));
        waiting_ = false;
        if (!ready && socket->bytesAvailable() == 0 &&
            socket->state() != QAbstractSocket::ConnectedState) {
            return {SocketReceive::Kind::Data, {}}; // the peer closed
        }
    }
    const QByteArray data = socket->read(1200);
    if (tap_) {
        tap_(Direction::In, nameOf(socket), view(data));
    }
    return {SocketReceive::Kind::Data, data.toStdString()};
}

// Data nobody waits for (a late answer): dispatched like any reply, as the
// serial link does with a late line.
void TcpLink::onReadyRead(QTcpSocket* socket) {
    if (waiting_) {
        return;
    }
    const QByteArray data = socket->readAll();
    if (data.isEmpty()) {
        return;
    }
    if (tap_) {
        tap_(Direction::In, nameOf(socket), view(data));
    }
    if (const int slot = slotOf(socket); clientData_ && slot > 0) {
        clientData_(slot, view(data));
        return;
    }
    dispatchSocketReply(state_, host_, view(data));
}

void TcpLink::onSocketError(QTcpSocket* socket, QAbstractSocket::SocketError error) {
    if (error == QAbstractSocket::RemoteHostClosedError) {
        return; // handled as a close
    }
    if (socket == client_ && socket->state() != QAbstractSocket::ConnectedState) {
        host_.error("ソケットイベントにエラーが発生しました。");
        closeSocket(socket);
    }
}

// The device closed: the socket goes, but the link still counts as connected
// until the operator disconnects, so the next send reports the failure.
void TcpLink::onPeerClosed(QTcpSocket* socket) { closeSocket(socket); }

void TcpLink::closeSocket(QTcpSocket* socket) {
    if (!socket) {
        return;
    }
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    const int slot = slotOf(socket);
    if (slot > 0) {
        slotSockets_[static_cast<std::size_t>(slot)] = nullptr;
        clients_.release(slot);
        emit clientClosed(slot);
        emit clientsChanged();
    }
    if (socket == client_) {
        client_ = nullptr;
        emit connectionChanged();
    }
}

void TcpLink::closeAll() {
    const bool wasConnected = state_.link.socketConnected;
    const bool clientRole = state_.connection.clientServer == 0;
    if (client_) {
        closeSocket(client_);
    }
    if (server_) {
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
    for (int i = 1; i < ClientTable::kSlots; ++i) {
        if (auto* s = slotSockets_[static_cast<std::size_t>(i)].data()) {
            closeSocket(s);
        }
    }
    clients_.reset();
    lent_.fill(false);
    state_.link.socketConnected = false;
    if (clientRole) {
        if (wasConnected) {
            host_.notice("Socket 切断 OK");
        }
    } else {
        state_.connection.selectNumber = -1;
    }
    emit clientsChanged();
    emit connectionChanged();
}

} // namespace tlx::qt
