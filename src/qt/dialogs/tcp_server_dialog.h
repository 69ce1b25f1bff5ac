#pragma once

#include "dialogs/connection_dialogs.h"
#include "dialogs/dialog_forward.h"

#include <QDialog>

namespace tlx::qt {

class LinkNotifier;

// "TCP/IPの設定(Server)": listen, the connected devices, the one commands go to.
class TcpServerSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    TcpServerSettingsDialog(AppState& state, const ConnectionIni& ini, LinkControl& links,
                            LinkNotifier* notifier, QWidget* parent = nullptr);

    QListWidget* clientList() const { return clients_; }
    QLineEdit* portField() const { return port_; }
    QLineEdit* transmissionPlace() const { return place_; }
    QPushButton* button(int control) const;

    void done(int result) override;

  private:
    void refresh();

    TcpServerDialog logic_;
    QListWidget* clients_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* place_ = nullptr;
    bool closed_ = false;
};

} // namespace tlx::qt
