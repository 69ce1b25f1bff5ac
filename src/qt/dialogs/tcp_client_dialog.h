#pragma once

#include "dialogs/connection_dialogs.h"
#include "dialogs/dialog_forward.h"
#include "dialogs/tcp_dialog_parts.h"

#include <QDialog>
#include <array>

class QSpinBox;

namespace tlx::qt {

class LinkNotifier;

// "TCP/IPの設定(Client)": the host list, the port, connect and disconnect.
class TcpClientSettingsDialog : public TcpSettingsDialog<TcpClientDialog> {
    Q_OBJECT
  public:
    TcpClientSettingsDialog(AppState& state, const ConnectionIni& ini, LinkControl& links,
                            LinkNotifier* notifier, QWidget* parent = nullptr);

    // The address field: four octet boxes, as an IP address control.
    std::array<QSpinBox*, 4> addressField() const { return octets_; }
    QListWidget* hostList() const { return hosts_; }

  private:
    void refresh() override;
    void showAddress();

    std::array<QSpinBox*, 4> octets_{};
    QListWidget* hosts_ = nullptr;
};

} // namespace tlx::qt
