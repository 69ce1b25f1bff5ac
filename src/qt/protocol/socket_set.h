#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "protocol/transport.h"

namespace tlx::qt {

// Connected TCP sockets driven straight through the system's calls, with one
// readiness wait for all of them: a fleet of dial-in devices at a small pace
// scale passes tens of thousands of lines a second, and a QTcpSocket per
// device (a poll entry each, its buffers, a size query before every read,
// signals) cost more than the traffic itself. Each socket is known by an id
// from 0 up. The system-specific part lives in its own file
// (socket_set_epoll.cpp); another system adds its own.
class SocketSet {
public:
    struct Events {
        std::function<void(int id, std::string_view bytes)> data;
        // The peer closed or the connection broke; the set has closed its
        // descriptor. Comes after any data that arrived before.
        std::function<void(int id)> closed;
    };

    explicit SocketSet(Events events);
    ~SocketSet(); // closes every descriptor still held
    SocketSet(const SocketSet&) = delete;
    SocketSet& operator=(const SocketSet&) = delete;

    // Keeps a duplicate of a connected socket's descriptor (the caller may
    // close its own without ending the connection) and writes `unsent`
    // first. False when the descriptor cannot be taken.
    bool adopt(int id, qintptr descriptor, std::string_view unsent = {});
    // Writes at once; what the system cannot take now is kept and written as
    // soon as it can, in order. Failed once the connection is gone.
    SocketSendStatus send(int id, std::string_view bytes);

    // Whether data and closes are reported as soon as they come (the
    // default), or only when poll() asks: a caller that needs the answers
    // only at its own next step saves a wake-up per answer.
    void setNotifying(bool on);
    // Reports what has come since the last look, without waiting.
    void poll();

    struct Released {
        qintptr descriptor = -1; // -1: the connection had already closed
        std::string unsent;      // output the system has not taken yet
    };
    // Gives the socket up: its descriptor now belongs to the caller.
    Released release(int id);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Closes a descriptor nobody else will take.
void closeSocketDescriptor(qintptr descriptor);

} // namespace tlx::qt
