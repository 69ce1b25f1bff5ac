#include "dialogs/connection_dialogs.h"

#include "protocol/app_state.h"

#include <cstdio>

namespace tlx {

namespace {

constexpr std::array<std::string_view, 2> kInterfaceItems{"RS-232C/485", "TCP/IP"};
constexpr std::array<std::string_view, 6> kComItems{"COM 1", "COM 2", "COM 3",
                                                    "COM 4", "COM 5", "COM 6"};
constexpr std::array<std::string_view, 2> kRsItems{"RS-232C", "RS-485"};
constexpr std::array<std::string_view, 2> kClientServerItems{"Client", "Server"};
constexpr std::array<std::string_view, 33> kSlaveItems{
    "00", "01", "02", "03", "04", "05", "06", "07", "08", "09", "10",
    "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21",
    "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "Bloadcast"};

std::int32_t getInterface(const ConnectionSettings& s) {
    return static_cast<std::int32_t>(s.interfaceKind);
}
void setInterface(ConnectionSettings& s, std::int32_t v) {
    s.interfaceKind = v == 1 ? InterfaceKind::Tcp : InterfaceKind::Serial;
}
// The plain number fields are read and written as they are.
template <std::int32_t ConnectionSettings::*Field>
std::int32_t getField(const ConnectionSettings& s) {
    return s.*Field;
}
template <std::int32_t ConnectionSettings::*Field>
void setField(ConnectionSettings& s, std::int32_t v) {
    s.*Field = v;
}
constexpr auto kComPort = &ConnectionSettings::comPortIndex;
constexpr auto kRsControl = &ConnectionSettings::rsControl;
constexpr auto kClientServer = &ConnectionSettings::clientServer;
constexpr auto kSlave = &ConnectionSettings::slaveAddress;

const std::array<ChoiceBox, 1> kInterfaceBoxes{{{1043, kInterfaceItems, kKeyInterface, getInterface,
                                                 setInterface, true, SerialOnChange::Start}}};
const std::array<ChoiceBox, 2> kRsBoxes{{
    {1044, kComItems, kKeyComPort, getField<kComPort>, setField<kComPort>, false,
     SerialOnChange::Reopen},
    {1045, kRsItems, kKeyRsControl, getField<kRsControl>, setField<kRsControl>, false,
     SerialOnChange::Keep},
}};
const std::array<ChoiceBox, 1> kClientServerBoxes{
    {{1096, kClientServerItems, kKeyClientServer, getField<kClientServer>, setField<kClientServer>,
      true, SerialOnChange::Keep}}};
const std::array<ChoiceBox, 1> kSlaveBoxes{
    {{1010, kSlaveItems, {}, getField<kSlave>, setField<kSlave>, false, SerialOnChange::Keep}}};

} // namespace

const ChoiceDialogDescriptor kInterfaceDialog{"インターフェイスの設定", kInterfaceBoxes, false};
const ChoiceDialogDescriptor kRsDialog{"RS-232C/485の設定", kRsBoxes, false};
const ChoiceDialogDescriptor kClientServerDialog{"クライアント/サーバー", kClientServerBoxes,
                                                 false};
const ChoiceDialogDescriptor kSlaveAddressDialog{"機器のスレーブアドレス", kSlaveBoxes, true};

ChoiceDialog::ChoiceDialog(const ChoiceDialogDescriptor& descriptor, AppState& state,
                           const ConnectionIni& ini, LinkControl& links)
    : d_(descriptor), state_(state), ini_(ini), links_(links) {}

std::string ChoiceDialog::title() const {
    std::string t(d_.title);
    const std::int32_t slot = state_.connection.selectNumber;
    if (d_.titleNamesConnection && slot != -1) {
        t += ' ';
        t += links_.clientSlotAddress(slot);
    }
    return t;
}

ChoiceView ChoiceDialog::box(std::size_t i) const {
    const ChoiceBox& b = d_.boxes[i];
    const std::int32_t v = b.get(state_.connection);
    const bool known = v >= 0 && static_cast<std::size_t>(v) < b.items.size();
    return ChoiceView{b.control, b.items, known ? v : -1,
                      !(b.lockedWhileConnected && state_.link.socketConnected)};
}

void ChoiceDialog::choose(std::size_t i, std::int32_t index) {
    if (i >= d_.boxes.size()) {
        return;
    }
    const ChoiceBox& b = d_.boxes[i];
    if (!box(i).enabled || index < 0 || static_cast<std::size_t>(index) >= b.items.size()) {
        return;
    }
    const bool changed = b.get(state_.connection) != index;
    b.set(state_.connection, index);
    if (!b.iniKey.empty()) {
        ini_.writeNumber(b.iniKey, index);
    }
    switch (b.serial) {
    case SerialOnChange::Keep:
        break;
    case SerialOnChange::Start:
        links_.startSerialLink();
        break;
    case SerialOnChange::Reopen:
        if (changed) {
            links_.reopenSerialLink();
        }
        break;
    }
}

void changeComDevice(AppState& state, const ConnectionIni& ini, LinkControl& links,
                     std::string_view path) {
    std::string device;
    for (char c : path) {
        if (c != '\r' && c != '\n') {
            device += c;
        }
    }
    const bool changed = device != state.connection.comDevice;
    state.connection.comDevice = std::move(device);
    ini.writeText(kKeyComDevice, state.connection.comDevice);
    if (changed) {
        links.reopenSerialLink();
    }
}

std::string hostRowText(const HostAddress& a) {
    std::array<char, 32> buf{};
    std::snprintf(buf.data(), buf.size(), "%03u .%03u .%03u .%03u", unsigned{a[0]}, unsigned{a[1]},
                  unsigned{a[2]}, unsigned{a[3]});
    return std::string(buf.data());
}

std::optional<HostAddress> parseHostAddress(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                             text.back() == '\r')) {
        text.remove_suffix(1);
    }
    HostAddress a{};
    std::size_t octet = 0;
    int value = 0;
    int digits = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9' && digits < 3) {
            value = value * 10 + (c - '0');
            ++digits;
        } else if (c == '.' && digits > 0 && octet < 3) {
            a[octet++] = static_cast<std::uint8_t>(value);
            value = 0;
            digits = 0;
        } else {
            return std::nullopt;
        }
        if (value > 255) {
            return std::nullopt;
        }
    }
    if (octet != 3 || digits == 0) {
        return std::nullopt;
    }
    a[3] = static_cast<std::uint8_t>(value);
    return a;
}

std::string portFieldText(std::string_view typed) {
    std::size_t chars = 0;
    std::size_t end = 0;
    for (; end < typed.size(); ++end) {
        const bool starts = (static_cast<unsigned char>(typed[end]) & 0xC0) != 0x80;
        if (starts && ++chars > kPortNumberChars) {
            break;
        }
    }
    return std::string(typed.substr(0, end));
}

// ---------------------------------------------------------------------------

TcpClientDialog::TcpClientDialog(AppState& state, const ConnectionIni& ini, LinkControl& links)
    : state_(state), ini_(ini), links_(links) {
    const auto& s = state_.connection;
    const std::int32_t sel = s.selectNumber;
    if (sel >= 0 && static_cast<std::size_t>(sel) < s.hostList.size()) {
        address_ = s.hostList[static_cast<std::size_t>(sel)];
    }
}

std::vector<std::string> TcpClientDialog::rows() const {
    std::vector<std::string> out;
    for (const auto& h : state_.connection.hostList) {
        out.push_back(hostRowText(h));
    }
    return out;
}

const std::string& TcpClientDialog::portText() const {
    return state_.model.devicePortNumber;
}

bool TcpClientDialog::connectEnabled() const {
    return !state_.link.socketConnected;
}

bool TcpClientDialog::disconnectEnabled() const {
    return state_.link.socketConnected;
}

bool TcpClientDialog::add() {
    auto& s = state_.connection;
    if (s.hostList.size() >= kMaxHosts) {
        return false;
    }
    s.hostList.push_back(address_.value_or(HostAddress{}));
    ini_.writeHostAdded(s);
    return true;
}

bool TcpClientDialog::remove(std::optional<std::size_t> selectedRow) {
    auto& s = state_.connection;
    if (!selectedRow || *selectedRow >= s.hostList.size()) {
        return false;
    }
    s.hostList.erase(s.hostList.begin() + static_cast<std::ptrdiff_t>(*selectedRow));
    ini_.writeHostsFrom(s, *selectedRow);
    return true;
}

void TcpClientDialog::pick(std::size_t row) {
    auto& s = state_.connection;
    if (row >= s.hostList.size()) {
        return;
    }
    s.selectNumber = static_cast<std::int32_t>(row);
    ini_.writeNumber(kKeySelectNumber, s.selectNumber);
    address_ = s.hostList[row];
}

void TcpClientDialog::changePort(std::string_view text) {
    state_.model.devicePortNumber = portFieldText(text);
}

void TcpClientDialog::connect() {
    if (!links_.connectAsClient()) {
        state_.link.socketConnected = false;
    }
}

void TcpClientDialog::disconnect() {
    if (state_.link.socketConnected) {
        links_.closeAll();
    }
}

void TcpClientDialog::close() {
    ini_.writeText(kKeyPortNumber, state_.model.devicePortNumber);
}

// ---------------------------------------------------------------------------

TcpServerDialog::TcpServerDialog(AppState& state, const ConnectionIni& ini, LinkControl& links)
    : state_(state), ini_(ini), links_(links) {
    rows_ = links_.serverClients();
    if (!rows_.empty()) {
        connectEnabled_ = false;
        portEnabled_ = false;
        disconnectEnabled_ = true;
        const std::int32_t sel = state_.connection.selectNumber;
        if (sel != -1) {
            transmissionPlace_ = links_.clientSlotAddress(sel);
        }
    }
}

const std::string& TcpServerDialog::portText() const {
    return state_.model.devicePortNumber;
}

void TcpServerDialog::connect() {
    if (links_.startListening()) {
        connectEnabled_ = false;
        disconnectEnabled_ = true;
    }
}

void TcpServerDialog::disconnect() {
    links_.closeAll();
    connectEnabled_ = true;
    disconnectEnabled_ = false;
    transmissionPlace_.clear();
    rows_.clear();
    state_.connection.selectNumber = -1;
    state_.link.socketConnected = false;
}

void TcpServerDialog::pick(std::size_t row) {
    const auto clients = links_.serverClients();
    if (clients.empty()) {
        state_.connection.selectNumber = -1;
        return;
    }
    // The row's own slot: after a client left, row + 1 would name another
    // client or an empty slot.
    const std::int32_t slot = links_.clientSlotOfRow(row);
    if (row >= clients.size() || slot < 1) {
        return;
    }
    state_.connection.selectNumber = slot;
    transmissionPlace_ = links_.clientSlotAddress(state_.connection.selectNumber);
    state_.link.socketConnected = true;
}

void TcpServerDialog::changePort(std::string_view text) {
    state_.model.devicePortNumber = portFieldText(text);
}

void TcpServerDialog::clientsChanged() {
    rows_ = links_.serverClients();
}

void TcpServerDialog::close() {
    ini_.writeText(kKeyPortNumber, state_.model.devicePortNumber);
}

} // namespace tlx
