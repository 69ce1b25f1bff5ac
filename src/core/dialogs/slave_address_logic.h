#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tlx {

struct AppState;

// The slave address box of every dialog that sends: "00".."31", and in most
// dialogs "Bloadcast" as index 32. It edits the one slaveAddress and can be
// changed only on an RS-485 bus over the serial interface.
class SlaveAddressChoice {
  public:
    SlaveAddressChoice(AppState& state, bool offersBroadcast);

    std::span<const std::string_view> items() const;
    // The item showing slaveAddress; -1 when the box has no such item (the
    // broadcast address in a box without "Bloadcast").
    std::int32_t current() const;
    bool enabled() const;
    // Ignored while disabled or for an index naming no item.
    void choose(std::int32_t index);

  private:
    AppState& state_;
    bool offersBroadcast_;
};

} // namespace tlx
