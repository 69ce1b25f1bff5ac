#pragma once

#include "dialogs/connection_dialogs.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tlx::test {

// Records what the connection dialogs ask of the links; answers from its
// fields. A slot without a client has no address, as with the real links.
class FakeLinks : public LinkControl {
  public:
    void startSerialLink() override { ++serialStarts; }
    void reopenSerialLink() override { ++serialReopens; }
    bool connectAsClient() override {
        ++connects;
        return connectResult;
    }
    bool startListening() override {
        ++listens;
        return listenResult;
    }
    void closeAll() override { ++closes; }
    std::vector<std::string> serverClients() const override { return clients; }
    std::string clientSlotAddress(std::int32_t slot) const override {
        return slot >= 1 && static_cast<std::size_t>(slot) <= clients.size()
                   ? clients[static_cast<std::size_t>(slot) - 1]
                   : std::string{};
    }

    int serialStarts = 0;
    int serialReopens = 0;
    int connects = 0;
    int listens = 0;
    int closes = 0;
    bool connectResult = true;
    bool listenResult = true;
    std::vector<std::string> clients;
};

} // namespace tlx::test
