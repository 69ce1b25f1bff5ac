#pragma once

#include "base/feature.h"
#include "base/product.h"
#include "settings/connection_settings.h"

#include <optional>
#include <span>
#include <string_view>

namespace tlx {

// One row of a menu: a command, a separator or a submenu.
struct MenuEntry {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    std::string_view label;
    int command = 0;                     // Command only
    std::span<const MenuEntry> children; // Submenu only
};

struct MenuTop {
    std::string_view label;
    std::span<const MenuEntry> entries;
};

// The menu bar of the model, left to right.
std::span<const MenuTop> mainMenu(Product p);

// "通信ログ" in the tools menu.
inline constexpr int kCmdTrafficLog = 40021;

struct ToolButton {
    int command; // 501 + position
    std::string_view tooltip;
};

inline constexpr int kToolbarButtons = 18;
inline constexpr int kFirstToolCommand = 501;

// The toolbar's buttons in order: button i shows image i of the strip.
std::span<const ToolButton> toolbarButtons(Product p);

// Every routed command of the model, in menu order of the routing table.
std::span<const CommandRoute> commandRoutes(Product p);

// The row of a menu or toolbar command; nothing for any other identifier.
std::optional<CommandRoute> routeOf(Product p, int command);

// The TCP/IP settings command opens the server dialog in server mode, else
// the client dialog.
struct DialogIdentity {
    int dialogTemplate;
    std::string_view title;
};
DialogIdentity tcpSettingsDialog(std::int32_t clientServer);

// "プロトコルの設定" is refused while the interface is TCP/IP.
std::string_view deviceNetworkRefusal(Product p);

// Which interface menu items can be chosen with these settings.
struct InterfaceMenuState {
    bool rsSettings = false;
    bool clientServer = false;
    bool tcpSettings = false;
    bool slaveAddress = false;
};
InterfaceMenuState interfaceMenuState(const ConnectionSettings& c);

} // namespace tlx
