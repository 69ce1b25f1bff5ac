#include "sim/socket_pump.h"

#include "sim/connection.h"

#include <QTcpSocket>

namespace tlx::sim {

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

} // namespace tlx::sim
