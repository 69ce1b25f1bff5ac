#include "link/tcp_server_dialog.h"

#include "app/link_hub.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
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
    auto* listRow = new QHBoxLayout;
    clients_ = new QListWidget(this);
    clients_->setObjectName(QStringLiteral("list%1").arg(TcpServerDialog::kClientList));
    listRow->addWidget(clients_);
    auto* listButtons = new QVBoxLayout;
    auto addButton = [&](const char* label, int control) {
        auto* b = new QPushButton(QString::fromUtf8(label), this);
        b->setObjectName(QStringLiteral("button%1").arg(control));
        b->setAutoDefault(false);
        listButtons->addWidget(b);
        return b;
    };
    auto* connectButton = addButton("接続", TcpServerDialog::kConnectButton);
    auto* disconnectButton = addButton("切断", TcpServerDialog::kDisconnectButton);
    listButtons->addStretch();
    listRow->addLayout(listButtons);
    layout->addLayout(listRow);

    auto* form = new QFormLayout;
    place_ = new QLineEdit(this);
    place_->setObjectName(QStringLiteral("edit%1").arg(TcpServerDialog::kTransmissionPlace));
    place_->setReadOnly(true);
    form->addRow(QStringLiteral("Transmission place"), place_);
    port_ = new QLineEdit(this);
    port_->setObjectName(QStringLiteral("edit%1").arg(TcpServerDialog::kPortField));
    port_->setMaxLength(5);
    port_->setText(QString::fromStdString(logic_.portText()));
    form->addRow(QStringLiteral("Port No."), port_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("設定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("button1"));
    auto* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

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
    return findChild<QPushButton*>(QStringLiteral("button%1").arg(control));
}

void TcpServerSettingsDialog::refresh() {
    clients_->clear();
    for (const std::string& r : logic_.clientRows()) {
        clients_->addItem(QString::fromStdString(r));
    }
    place_->setText(QString::fromStdString(logic_.transmissionPlace()));
    port_->setEnabled(logic_.portEnabled());
    button(TcpServerDialog::kConnectButton)->setEnabled(logic_.connectEnabled());
    button(TcpServerDialog::kDisconnectButton)->setEnabled(logic_.disconnectEnabled());
}

void TcpServerSettingsDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        logic_.close();
    }
    QDialog::done(result);
}

} // namespace tlx::qt
