#include "support/fake_transport.h"

namespace tlx::test {

SocketSendStatus FakeTransport::sendSocket(int slot, std::string_view line) {
    socketSends.emplace_back(slot, std::string(line));
    return nextSendStatus;
}

SocketReceive FakeTransport::receiveSocket(int slot) {
    receiveSlots.push_back(slot);
    if (receives.empty()) {
        return {SocketReceive::Kind::TimedOut, {}};
    }
    SocketReceive r = std::move(receives.front());
    receives.pop_front();
    return r;
}

} // namespace tlx::test
