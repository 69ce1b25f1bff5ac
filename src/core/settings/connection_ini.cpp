#include "settings/connection_ini.h"

#include "base/codecs.h"
#include "base/settings_file_io.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tlx {

namespace {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

std::int32_t choiceOrDefault(std::int32_t v, std::int32_t count) {
    return v >= 0 && v < count ? v : 0;
}

void appendHostKeys(KeyValues& out, const ConnectionSettings& s, std::size_t entry) {
    for (int octet = 0; octet < 4; ++octet) {
        out.emplace_back(hostKey(entry, octet),
                         std::to_string(s.hostList[entry][static_cast<std::size_t>(octet)]));
    }
}

} // namespace

std::string hostKey(std::size_t entry, int octet) {
    std::string key = "ip";
    append2(key, static_cast<int>(entry % 100));
    key += '_';
    key += static_cast<char>('0' + octet);
    return key;
}

std::optional<std::string> connectionIniPath(Product product,
                                             const std::optional<std::string>& folder) {
    if (!folder || folder->empty()) {
        return std::nullopt;
    }
    const bool separated = folder->back() == '/' || folder->back() == '\\';
    return *folder + (separated ? "" : "/") + std::string(traits(product).iniFileName);
}

std::optional<std::string> connectionIniPath(Product product) {
    return connectionIniPath(product, userConfigFolder());
}

ConnectionIni::ConnectionIni(std::string path, std::string section)
    : file_(std::move(path)), section_(std::move(section)) {}

ConnectionIni ConnectionIni::forProduct(Product product) {
    return ConnectionIni(connectionIniPath(product).value_or(std::string{}),
                         std::string(traits(product).iniSection));
}

void ConnectionIni::load(ConnectionSettings& s, std::string& portNumber) const {
    const IniDocument doc = path().empty() ? IniDocument{} : file_.load();
    auto number = [&](std::string_view key) { return profileNumber(doc, section_, key); };

    s.comPortIndex = choiceOrDefault(number(kKeyComPort), 6);
    s.rsControl = choiceOrDefault(number(kKeyRsControl), 2);
    s.interfaceKind = number(kKeyInterface) == 1 ? InterfaceKind::Tcp : InterfaceKind::Serial;
    portNumber =
        profileString(doc, section_, kKeyPortNumber, kDefaultPortNumber, kPortNumberChars + 1);
    s.clientServer = choiceOrDefault(number(kKeyClientServer), 2);
    s.selectNumber = number(kKeySelectNumber);
    const std::int32_t count = number(kKeyListCount);
    const std::size_t entries =
        count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), kMaxHosts);
    s.hostList.assign(entries, {});
    for (std::size_t e = 0; e < entries; ++e) {
        for (int octet = 0; octet < 4; ++octet) {
            const std::int32_t v = number(hostKey(e, octet));
            s.hostList[e][static_cast<std::size_t>(octet)] =
                static_cast<std::uint8_t>(v >= 0 && v <= 255 ? v : 0);
        }
    }
    s.comDevice = profileString(doc, section_, kKeyComDevice, "", 4096);
}

bool ConnectionIni::writeNumber(std::string_view key, std::int32_t value) const {
    return writeText(key, std::to_string(value));
}

bool ConnectionIni::writeText(std::string_view key, std::string_view value) const {
    return file_.write(section_, {{std::string(key), std::string(value)}});
}

bool ConnectionIni::writeHostAdded(const ConnectionSettings& s) const {
    if (s.hostList.empty()) {
        return false;
    }
    KeyValues kv{{std::string(kKeyListCount), std::to_string(s.listCount())}};
    appendHostKeys(kv, s, s.hostList.size() - 1);
    return file_.write(section_, kv);
}

bool ConnectionIni::writeHostsFrom(const ConnectionSettings& s, std::size_t first) const {
    KeyValues kv{{std::string(kKeyListCount), std::to_string(s.listCount())}};
    for (std::size_t e = first; e < s.hostList.size(); ++e) {
        appendHostKeys(kv, s, e);
    }
    return file_.write(section_, kv);
}

} // namespace tlx
