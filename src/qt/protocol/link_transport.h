#pragma once

#include "protocol/serial_link.h"
#include "protocol/tcp_link.h"
#include "protocol/transport.h"

namespace tlx::qt {

// The core's Transport over the program's two links.
class LinkTransport : public Transport {
public:
    LinkTransport(SerialLink& serial, TcpLink& tcp) : serial_(serial), tcp_(tcp) {}
    void writeSerial(std::string_view bytes) override { serial_.write(bytes); }
    SocketSendStatus sendSocket(int slot, std::string_view line) override {
        return tcp_.send(slot, line);
    }
    SocketReceive receiveSocket(int slot) override { return tcp_.receive(slot); }

private:
    SerialLink& serial_;
    TcpLink& tcp_;
};

} // namespace tlx::qt
