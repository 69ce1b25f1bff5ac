#pragma once

#include "dialogs/connection_dialogs.h"
#include "dialogs/dialog_forward.h"
#include "dialogs/tcp_dialog_parts.h"

#include <QDialog>

namespace tlx::qt {

class LinkNotifier;

// "TCP/IPの設定(Server)": listen, the connected devices, the one commands go to.
class TcpServerSettingsDialog : public TcpSettingsDialog<TcpServerDialog> {
    Q_OBJECT
  public:
    TcpServerSettingsDialog(AppState& state, const ConnectionIni& ini, LinkControl& links,
                            LinkNotifier* notifier, QWidget* parent = nullptr);

    QListWidget* clientList() const { return clients_; }
    QLineEdit* transmissionPlace() const { return place_; }

  private:
    void refresh() override;

    QListWidget* clients_ = nullptr;
    QLineEdit* place_ = nullptr;
};

} // namespace tlx::qt
