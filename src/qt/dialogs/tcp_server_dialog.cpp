#include "dialogs/tcp_server_dialog.h"

#include "dialogs/tcp_dialog_parts.h"
#include "protocol/link_hub.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

TcpServerSettingsDialog::TcpServerSettingsDialog(AppState& state, const ConnectionIni& ini,
                                                 LinkControl& links, LinkNotifier* notifier,
                                                 QWidget* parent)
    : TcpSettingsDialog(state, ini, links, parent) {
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(QStringLiteral("Client List"), this));
    const ListWithButtons list =
        addListWithButtons(this, layout, TcpServerDialog::kClientList,
                           {{"接続", TcpServerDialog::kConnectButton},
                            {"切断", TcpServerDialog::kDisconnectButton}});
    clients_ = list.list;
    wireLinkButtons(list.buttons[0], list.buttons[1]);

    auto* form = new QFormLayout;
    place_ = new QLineEdit(this);
    place_->setObjectName(QStringLiteral("edit%1").arg(TcpServerDialog::kTransmissionPlace));
    place_->setReadOnly(true);
    form->addRow(QStringLiteral("Transmission place"), place_);
    form->addRow(QStringLiteral("Port No."), makePort());
    layout->addLayout(form);

    addSetAndCloseButtons(this, layout);

    connect(clients_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        logic_.pick(static_cast<std::size_t>(clients_->row(item)));
        refresh();
    });
    if (notifier != nullptr) {
        connect(notifier, &LinkNotifier::clientsChanged, this, [this] {
            logic_.clientsChanged();
            refresh();
        });
    }
    refresh();
}

void TcpServerSettingsDialog::refresh() {
    showConnections(this, clients_, logic_.clientRows(), logic_);
    place_->setText(QString::fromStdString(logic_.transmissionPlace()));
    port_->setEnabled(logic_.portEnabled());
}

} // namespace tlx::qt
