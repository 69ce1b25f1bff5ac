#pragma once

class QTcpSocket;

namespace tlx::sim {

class Connection;

// Feeds a TCP socket's bytes to its connection. A peer that sends without
// reading the answers is held back: while this much output is waiting, the
// emulator stops reading, so TCP flow control slows the peer instead of a
// buffer growing without bound.
inline constexpr long long kMaxWaitingOutput = 1 << 20;

void attachSocket(QTcpSocket* socket, Connection* connection);

} // namespace tlx::sim
