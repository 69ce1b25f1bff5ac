#pragma once

#include "protocol/link_control.h"
#include "settings/connection_ini.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

struct AppState;

// ---------------------------------------------------------------------------
// The four dialogs made of choice boxes: Interface, RS-232C/485, Client/Server
// and slave address. One class, one descriptor row per dialog.

enum class SerialOnChange { Keep, Start, Reopen };

struct ChoiceBox {
    int control; // the box's control identifier
    std::span<const std::string_view> items;
    std::string_view iniKey; // empty: the choice is not stored
    std::int32_t (*get)(const ConnectionSettings&);
    void (*set)(ConnectionSettings&, std::int32_t);
    bool lockedWhileConnected; // disabled while socketConnected
    SerialOnChange serial;     // what a change does to the serial link
};

struct ChoiceDialogDescriptor {
    std::string_view title;
    std::span<const ChoiceBox> boxes;
    bool titleNamesConnection; // title + " " + the address of client slot selectNumber
};

extern const ChoiceDialogDescriptor kInterfaceDialog;
extern const ChoiceDialogDescriptor kRsDialog;
extern const ChoiceDialogDescriptor kClientServerDialog;
extern const ChoiceDialogDescriptor kSlaveAddressDialog;

struct ChoiceView {
    int control;
    std::span<const std::string_view> items;
    std::int32_t current; // -1 when the stored value names no item
    bool enabled;
};

class ChoiceDialog {
  public:
    ChoiceDialog(const ChoiceDialogDescriptor& descriptor, AppState& state,
                 const ConnectionIni& ini, LinkControl& links);

    std::string title() const;
    std::size_t boxCount() const { return d_.boxes.size(); }
    ChoiceView box(std::size_t i) const;

    // The operator picked an item. Ignored when the box is disabled or the
    // index names no item.
    void choose(std::size_t i, std::int32_t index);

  private:
    const ChoiceDialogDescriptor& d_;
    AppState& state_;
    const ConnectionIni& ini_;
    LinkControl& links_;
};

// The serial device path of the RS-232C/485 dialog: stored at once under
// com_device, and the port is opened anew when the path changed.
void changeComDevice(AppState& state, const ConnectionIni& ini, LinkControl& links,
                     std::string_view path);

// ---------------------------------------------------------------------------

using HostAddress = std::array<std::uint8_t, 4>;

// "192 .168 .001 .010": three digits per octet, a blank and a point between.
std::string hostRowText(const HostAddress& a);

// A pasted address: four decimal octets 0..255 between points, blanks
// around it allowed; anything else is not an address.
std::optional<HostAddress> parseHostAddress(std::string_view text);

// The port field's text: at most five characters, never a split character.
std::string portFieldText(std::string_view typed);

class TcpClientDialog {
  public:
    static constexpr std::string_view kTitle = "TCP/IPの設定(Client)";
    static constexpr int kAddressField = 1047;
    static constexpr int kHostList = 1048;
    static constexpr int kPortField = 1049;
    static constexpr int kAddButton = 1099;
    static constexpr int kDeleteButton = 1100;
    static constexpr int kConnectButton = 1101;
    static constexpr int kDisconnectButton = 1102;

    TcpClientDialog(AppState& state, const ConnectionIni& ini, LinkControl& links);

    // The address field: blank until an entry is shown or typed.
    const std::optional<HostAddress>& address() const { return address_; }
    void setAddress(const HostAddress& a) { address_ = a; }

    std::vector<std::string> rows() const;
    const std::string& portText() const;
    bool connectEnabled() const;
    bool disconnectEnabled() const;

    // "追加": the address field (0.0.0.0 when blank) becomes the last entry.
    // False when the list is full (100 entries).
    bool add();
    // "削除": removes the selected row. False with no selection.
    bool remove(std::optional<std::size_t> selectedRow);
    // Double click on a row.
    void pick(std::size_t row);
    void changePort(std::string_view text);
    void connect();
    void disconnect();
    // "設定" or Close.
    void close();

  private:
    AppState& state_;
    const ConnectionIni& ini_;
    LinkControl& links_;
    std::optional<HostAddress> address_;
};

class TcpServerDialog {
  public:
    static constexpr std::string_view kTitle = "TCP/IPの設定(Server)";
    static constexpr int kClientList = 1048;
    static constexpr int kPortField = 1049;
    static constexpr int kDisconnectButton = 1052;
    static constexpr int kConnectButton = 1053;
    static constexpr int kTransmissionPlace = 1092;

    TcpServerDialog(AppState& state, const ConnectionIni& ini, LinkControl& links);

    bool connectEnabled() const { return connectEnabled_; }
    bool disconnectEnabled() const { return disconnectEnabled_; }
    bool portEnabled() const { return portEnabled_; }
    const std::vector<std::string>& clientRows() const { return rows_; }
    const std::string& transmissionPlace() const { return transmissionPlace_; }
    const std::string& portText() const;

    void connect();
    void disconnect();
    // Double click on a client row.
    void pick(std::size_t row);
    void changePort(std::string_view text);
    // A client was accepted or closed: rebuild the list.
    void clientsChanged();
    void close();

  private:
    AppState& state_;
    const ConnectionIni& ini_;
    LinkControl& links_;
    bool connectEnabled_ = true;
    bool disconnectEnabled_ = false;
    bool portEnabled_ = true;
    std::vector<std::string> rows_;
    std::string transmissionPlace_;
};

} // namespace tlx
