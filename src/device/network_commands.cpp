#include "device/command_handlers.h"
#include "device/wire_fields.h"

namespace tlx::device {

namespace {

constexpr std::size_t kAddressChars = 15; // "ddd.ddd.ddd.ddd"

Ipv4& addressOf(SettingsModel& m, int variant) {
    switch (variant) {
    case 1:
        return m.deviceGatewayAddress;
    case 2:
        return m.deviceActiveAddress;
    default:
        return m.deviceIpAddress;
    }
}

constexpr std::string_view addressPrefix(int variant) {
    return variant == 1 ? "EGA" : (variant == 2 ? "EAA" : "EIA");
}

} // namespace

bool addressWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    if (rest.size() != kAddressChars) {
        return false;
    }
    Ipv4 address{};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto octet = readNumber(rest, 4 * i, 3, 0, 255);
        if (!octet || (i < 3 && rest[4 * i + 3] != '.')) {
            return refuseCommand(reply);
        }
        address[i] = static_cast<std::uint8_t>(*octet);
    }
    addressOf(s.model, r.variant) = address;
    return acceptCommand(reply);
}

bool addressRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    if (!rest.empty()) {
        return false;
    }
    reply.assign(addressPrefix(r.variant));
    const Ipv4& address = addressOf(s.model, r.variant);
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0) {
            reply.push_back('.');
        }
        putDigits(reply, address[i], 3);
    }
    return true;
}

bool portWrite(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    return writeDigitSetting(rest, 5, 1, 65535, s.model.devicePortNumber, reply);
}

bool portRead(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    return readTextSetting(rest, "EPN", s.model.devicePortNumber, 5, '0', reply);
}

bool macRead(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    return readTextSetting(rest, "EMA", s.model.deviceMacAddress, 17, '0', reply);
}

} // namespace tlx::device
