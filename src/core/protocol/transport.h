#pragma once

#include <string>
#include <string_view>

namespace tlx {

enum class SocketSendStatus { Sent, WouldBlock, Failed };

struct SocketReceive {
    enum class Kind { Data, TimedOut, Stopped } kind = Kind::TimedOut;
    std::string bytes; // may be empty: the peer closed or sent nothing
};

// What the protocol centre asks of the links. The serial write does not wait;
// the socket receive waits a bounded time for the selected socket's data.
class Transport {
public:
    virtual ~Transport() = default;
    virtual void writeSerial(std::string_view bytes) = 0;
    // slot: the server's client slot, or -1 for the client socket.
    virtual SocketSendStatus sendSocket(int slot, std::string_view line) = 0;
    virtual SocketReceive receiveSocket(int slot) = 0;
    // True when the answer is not awaited inside the send: it arrives later
    // through receiveSocketAnswer, while awaitingAnswer is set.
    virtual bool answersLater() const { return false; }
};

} // namespace tlx
