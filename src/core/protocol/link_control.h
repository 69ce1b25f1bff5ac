#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tlx {

struct AppState;

// What the connection dialogs and windows ask of the links (serial and TCP/IP).
class LinkControl {
  public:
    virtual ~LinkControl() = default;
    // Opens the serial port when the interface is serial and it is not open yet.
    virtual void startSerialLink() = 0;
    // Closes the serial port and opens the one the settings now name, so a
    // change of port takes effect at once.
    virtual void reopenSerialLink() {}
    // True when the connection is established or under way.
    virtual bool connectAsClient() = 0;
    // True when listening (also when already listening).
    virtual bool startListening() = 0;
    // Closes the client or listening socket and every accepted client.
    virtual void closeAll() = 0;
    // The address texts of the server's clients, slots 1..n in use.
    virtual std::vector<std::string> serverClients() const = 0;
    // The peer address text of a client slot.
    virtual std::string clientSlotAddress(std::int32_t slot) const = 0;
    // The slot behind a row of the client list, -1 for none. Clients that
    // left leave no gap in the list, so row and slot can differ; this default
    // suits links whose slots 1..n are all in use.
    virtual std::int32_t clientSlotOfRow(std::size_t row) const {
        return row < serverClients().size() ? static_cast<std::int32_t>(row) + 1 : -1;
    }
};

// The address of the TCP/IP connection commands go to, or empty when no
// connection is selected: the picked client's address (server) or the
// chosen host (client).
std::string connectionAddressText(const AppState& state, const LinkControl& links);

} // namespace tlx
