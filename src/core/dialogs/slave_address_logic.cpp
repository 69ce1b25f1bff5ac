#include "dialogs/slave_address_logic.h"

#include "dialogs/connection_dialogs.h"
#include "protocol/app_state.h"

namespace tlx {

SlaveAddressChoice::SlaveAddressChoice(AppState& state, bool offersBroadcast)
    : state_(state), offersBroadcast_(offersBroadcast) {}

std::span<const std::string_view> SlaveAddressChoice::items() const {
    // The slave address dialog's own list: "00".."31" then "Bloadcast".
    const auto all = kSlaveAddressDialog.boxes[0].items;
    return offersBroadcast_ ? all : all.first(static_cast<std::size_t>(kSlaveBroadcast));
}

std::int32_t SlaveAddressChoice::current() const {
    const std::int32_t v = state_.connection.slaveAddress;
    return v >= 0 && static_cast<std::size_t>(v) < items().size() ? v : -1;
}

bool SlaveAddressChoice::enabled() const {
    return state_.connection.rs485();
}

void SlaveAddressChoice::choose(std::int32_t index) {
    if (!enabled() || index < 0 || static_cast<std::size_t>(index) >= items().size()) {
        return;
    }
    state_.connection.slaveAddress = index;
}

} // namespace tlx
