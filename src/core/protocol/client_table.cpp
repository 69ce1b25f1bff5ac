#include "protocol/client_table.h"

namespace tlx {

void ClientTable::reset() {
    slots_.fill(Slot{});
    slots_[0].inUse = true;
}

std::optional<int> ClientTable::freeSlot() const {
    for (int i = 1; i < kSlots; ++i) {
        if (!slots_[static_cast<std::size_t>(i)].inUse) {
            return i;
        }
    }
    return std::nullopt;
}

void ClientTable::occupy(int slot, std::string address) {
    if (slot < 1 || slot >= kSlots) {
        return;
    }
    auto& s = slots_[static_cast<std::size_t>(slot)];
    s.inUse = true;
    s.address = std::move(address);
}

void ClientTable::release(int slot) {
    if (slot < 1 || slot >= kSlots) {
        return;
    }
    slots_[static_cast<std::size_t>(slot)] = Slot{};
}

bool ClientTable::inUse(int slot) const {
    return slot >= 0 && slot < kSlots && slots_[static_cast<std::size_t>(slot)].inUse;
}

const std::string& ClientTable::address(int slot) const {
    static const std::string none = " ";
    return slot >= 0 && slot < kSlots ? slots_[static_cast<std::size_t>(slot)].address : none;
}

int ClientTable::clientsInUse() const {
    int n = 0;
    for (int i = 1; i < kSlots; ++i) {
        n += slots_[static_cast<std::size_t>(i)].inUse ? 1 : 0;
    }
    return n;
}

std::vector<std::string> ClientTable::rows() const {
    std::vector<std::string> out;
    for (int i = 1; i < kSlots; ++i) {
        if (slots_[static_cast<std::size_t>(i)].inUse) {
            out.push_back(slots_[static_cast<std::size_t>(i)].address);
        }
    }
    return out;
}

std::optional<int> ClientTable::slotOfRow(int row) const {
    if (row < 0) {
        return std::nullopt;
    }
    int k = 0;
    for (int i = 1; i < kSlots; ++i) {
        if (slots_[static_cast<std::size_t>(i)].inUse && k++ == row) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace tlx
