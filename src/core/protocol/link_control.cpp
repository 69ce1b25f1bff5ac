#include "protocol/link_control.h"

#include "protocol/app_state.h"

namespace tlx {

std::string connectionAddressText(const AppState& state, const LinkControl& links) {
    const auto& c = state.connection;
    if (c.interfaceKind != InterfaceKind::Tcp || !state.link.socketConnected) {
        return {};
    }
    if (c.clientServer == 1) {
        return c.selectNumber >= 1 ? links.clientSlotAddress(c.selectNumber) : std::string{};
    }
    if (c.selectNumber < 0 || c.selectNumber >= c.listCount()) {
        return {};
    }
    const auto& ip = c.hostList[static_cast<std::size_t>(c.selectNumber)];
    return std::to_string(ip[0]) + "." + std::to_string(ip[1]) + "." + std::to_string(ip[2]) + "." +
           std::to_string(ip[3]);
}

} // namespace tlx
