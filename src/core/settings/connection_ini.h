#pragma once

#include "base/product.h"
#include "settings/connection_settings.h"
#include "settings/ini_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tlx {

inline constexpr std::string_view kKeyComPort = "com_port";
inline constexpr std::string_view kKeyRsControl = "rs_control";
inline constexpr std::string_view kKeyInterface = "Interface";
inline constexpr std::string_view kKeyPortNumber = "p_port_number";
inline constexpr std::string_view kKeyClientServer = "ClientServer";
inline constexpr std::string_view kKeySelectNumber = "select_number";
inline constexpr std::string_view kKeyListCount = "list_count";
// Our own key: a serial device path (for example /dev/ttyUSB0) that, when
// set, is opened instead of the COM 1..6 choice.
inline constexpr std::string_view kKeyComDevice = "com_device";

inline constexpr std::string_view kDefaultPortNumber = "09004";
inline constexpr std::size_t kPortNumberChars = 5;

// Host list keys carry a two-digit entry index, so entries 0..99 exist.
inline constexpr std::size_t kMaxHosts = 100;

// "ip" + two-digit entry index + "_" + octet digit, e.g. "ip00_0".
std::string hostKey(std::size_t entry, int octet);

// The INI file's path: the model's file name in the folder. Nothing without
// a folder.
std::optional<std::string> connectionIniPath(Product product,
                                             const std::optional<std::string>& folder);
// In the user's configuration folder (userConfigFolder).
std::optional<std::string> connectionIniPath(Product product);

// The connection settings' keys in one section of the INI file.
class ConnectionIni {
  public:
    // An empty path reads as defaults and writes nothing.
    ConnectionIni(std::string path, std::string section);
    static ConnectionIni forProduct(Product product);

    const std::string& path() const { return file_.path(); }

    // Start-up: com_port, rs_control, Interface, p_port_number, ClientServer,
    // select_number, list_count, the ip keys entry by entry, then com_device.
    // Missing keys give the defaults; values no control can show fall back to
    // the default too. portNumber is the text shared with the device's port
    // setting. slaveAddress is not stored and is left alone.
    void load(ConnectionSettings& settings, std::string& portNumber) const;

    // Key-by-key writes. Failures are returned, never shown: the settings
    // still hold for this run.
    bool writeNumber(std::string_view key, std::int32_t value) const;
    bool writeText(std::string_view key, std::string_view value) const;
    // list_count and the four ip keys of the last entry.
    bool writeHostAdded(const ConnectionSettings& settings) const;
    // list_count and the ip keys of every entry from `first` on (the entries
    // that moved down after a delete). Keys beyond the list stay in the file.
    bool writeHostsFrom(const ConnectionSettings& settings, std::size_t first) const;

  private:
    IniFile file_;
    std::string section_;
};

} // namespace tlx
