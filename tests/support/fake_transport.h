#pragma once

#include <deque>
#include <string>
#include <vector>

#include "protocol/transport.h"

namespace tlx::test {

// A scripted link: records what is written and answers socket receives from a
// queue (an empty queue times out).
class FakeTransport : public Transport {
public:
    void writeSerial(std::string_view bytes) override { serialWrites.emplace_back(bytes); }
    SocketSendStatus sendSocket(int slot, std::string_view line) override;
    SocketReceive receiveSocket(int slot) override;

    std::vector<std::string> serialWrites;
    std::vector<std::pair<int, std::string>> socketSends;
    std::vector<int> receiveSlots;
    SocketSendStatus nextSendStatus = SocketSendStatus::Sent;
    std::deque<SocketReceive> receives;

    void queueData(std::string bytes) {
        receives.push_back({SocketReceive::Kind::Data, std::move(bytes)});
    }
};

} // namespace tlx::test
