#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tlx {

enum class InterfaceKind : std::int32_t { Serial = 0, Tcp = 1 };

inline constexpr std::int32_t kSlaveBroadcast = 32;

// How the PC reaches the device. The TCP port text is shared with the
// device's own port setting and lives in SettingsModel::devicePortNumber.
struct ConnectionSettings {
    InterfaceKind interfaceKind = InterfaceKind::Serial;
    std::int32_t rsControl = 0;    // 0 RS-232C, 1 RS-485
    std::int32_t comPortIndex = 0; // 0..5 = COM1..COM6
    std::string comDevice;         // a device path that overrides the COM choice
    std::int32_t clientServer = 0; // 0 client, 1 server
    std::int32_t selectNumber = 0; // client: hostList index; server: slot 1..96 or -1
    std::vector<std::array<std::uint8_t, 4>> hostList;
    std::int32_t slaveAddress = 0; // 0..31, 32 broadcast; not stored in the INI file

    std::int32_t listCount() const { return static_cast<std::int32_t>(hostList.size()); }
    bool rs485() const { return interfaceKind == InterfaceKind::Serial && rsControl == 1; }
};

} // namespace tlx
