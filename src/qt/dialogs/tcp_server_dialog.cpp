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
    : QDialog(parent), logic_(state, ini, links) {
    setWindowTitle(QString::fromUtf8(TcpServerDialog::kTitle.data(),
                                     static_cast<qsizetype>(TcpServerDialog::kTitle.size())));
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(QStringLiteral("Client List"), this));
    const ListWithButtons list =
        addListWithButtons(this, layout, TcpServerDialog::kClientList,
                           {{"接続", TcpServerDialog::kConnectButton},
                            {"切断", TcpServerDialog::kDisconnectButton}});
    clients_ = list.list;
    QPushButton* connectButton = list.buttons[0];
    QPushButton* disconnectButton = list.buttons[1];

    auto* form = new QFormLayout;
    place_ = new QLineEdit(this);
    place_->setObjectName(QStringLiteral("edit%1").arg(TcpServerDialog::kTransmissionPlace));
    place_->setReadOnly(true);
    form->addRow(QStringLiteral("Transmission place"), place_);
    port_ = makePortField(this, TcpServerDialog::kPortField, logic_.portText());
    form->addRow(QStringLiteral("Port No."), port_);
    layout->addLayout(form);

    addSetAndCloseButtons(this, layout);

    connect(connectButton, &QPushButton::clicked, this, [this] {
        logic_.connect();
        refresh();
    });
    connect(disconnectButton, &QPushButton::clicked, this, [this] {
        logic_.disconnect();
        refresh();
    });
    connect(clients_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        logic_.pick(static_cast<std::size_t>(clients_->row(item)));
        refresh();
    });
    connect(port_, &QLineEdit::textEdited, this,
            [this](const QString& t) { logic_.changePort(t.toStdString()); });
    if (notifier != nullptr) {
        connect(notifier, &LinkNotifier::clientsChanged, this, [this] {
            logic_.clientsChanged();
            refresh();
        });
    }
    refresh();
}

QPushButton* TcpServerSettingsDialog::button(int control) const {
    return dialogButton(this, control);
}

void TcpServerSettingsDialog::refresh() {
    showConnections(this, clients_, logic_.clientRows(), logic_);
    place_->setText(QString::fromStdString(logic_.transmissionPlace()));
    port_->setEnabled(logic_.portEnabled());
}

void TcpServerSettingsDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        logic_.close();
    }
    QDialog::done(result);
}

} // namespace tlx::qt
