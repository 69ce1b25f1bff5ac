#pragma once

class QAction;

namespace tlx {
struct ConnectionSettings;
}

namespace tlx::qt {

// The menu items whose state follows the interface settings.
struct InterfaceActions {
    QAction* rsSettings = nullptr;   // "RS-232C/485の設定"
    QAction* clientServer = nullptr; // "クライアント/サーバー"
    QAction* tcpSettings = nullptr;  // "TCP/IPの設定"
    QAction* slaveAddress = nullptr; // "機器のスレーブアドレス"
};

// Greys and enables the interface items; called whenever a menu is about to
// open, so the items always follow the current settings.
class MenuEnabler {
  public:
    MenuEnabler(InterfaceActions actions, const ConnectionSettings& settings)
        : actions_(actions), settings_(settings) {}

    void refresh() const;
    const InterfaceActions& actions() const { return actions_; }

  private:
    InterfaceActions actions_;
    const ConnectionSettings& settings_;
};

} // namespace tlx::qt
