#pragma once

class QTcpSocket;

namespace tlx::device {
struct LinkCounters;
} // namespace tlx::device

namespace tlx::sim {

class Connection;
struct LinkContext;

// A peer that sends without reading the answers is held back: while this
// much output is waiting, the emulator stops reading, so TCP flow control
// slows the peer instead of a buffer growing without bound.
inline constexpr long long kMaxWaitingOutput = 1 << 20;

// A connected socket made one of the link's connections: its bytes are fed to
// the connection, answers are written at once, and the connection lives as
// long as the socket.
Connection* openSocketConnection(QTcpSocket* socket, const LinkContext& context,
                                 device::LinkCounters& counters);

} // namespace tlx::sim
