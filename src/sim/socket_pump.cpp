#include "sim/socket_pump.h"

#include "sim/connection.h"
#include "sim/link_context.h"

#include <QTcpSocket>

namespace tlx::sim {

namespace {

void attachSocket(QTcpSocket* socket, Connection* connection) {
    constexpr qint64 kReadBuffer = qint64{64} * 1024;
    constexpr qint64 kChunk = qint64{16} * 1024;
    socket->setReadBufferSize(kReadBuffer);
    auto pump = [socket, connection] {
        while (socket->bytesAvailable() > 0 && !connection->closing() &&
               socket->bytesToWrite() + connection->waitingBytes() < kMaxWaitingOutput) {
            connection->receive(socket->read(kChunk));
        }
    };
    QObject::connect(socket, &QTcpSocket::readyRead, connection, pump);
    QObject::connect(socket, &QTcpSocket::bytesWritten, connection, pump);
}

} // namespace

Connection* openSocketConnection(QTcpSocket* socket, const LinkContext& context,
                                 device::LinkCounters& counters) {
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    Connection::Io io;
    io.write = [socket](const QByteArray& bytes) {
        socket->write(bytes);
        socket->flush();
    };
    io.close = [socket] { socket->disconnectFromHost(); };
    auto* connection = new Connection(*context.bus, *context.plan, counters, context.pacing,
                                      context.log, std::move(io), socket);
    attachSocket(socket, connection);
    return connection;
}

} // namespace tlx::sim
