#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tlx {

// The server's table of connected devices: slot 0 is reserved, slots 1..96
// hold accepted clients.
class ClientTable {
public:
    static constexpr int kSlots = 97;

    ClientTable() { reset(); }

    void reset();
    // The first free slot 1..96 for a new client, or nothing when full.
    std::optional<int> freeSlot() const;
    void occupy(int slot, std::string address);
    void release(int slot);

    bool inUse(int slot) const;
    const std::string& address(int slot) const;
    int clientsInUse() const;

    // The rows of the client list: the addresses of the slots in use, in slot
    // order, and the slot behind each row. A client that left does not leave a
    // gap, so row k always picks the k-th connected client.
    std::vector<std::string> rows() const;
    std::optional<int> slotOfRow(int row) const;

private:
    struct Slot {
        bool inUse = false;
        std::string address = " ";
    };
    std::array<Slot, kSlots> slots_{};
};

} // namespace tlx
