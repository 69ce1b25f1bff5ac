#include "dialogs/tcp_client_dialog.h"

#include "dialogs/tcp_dialog_parts.h"
#include "protocol/link_hub.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace tlx::qt {

namespace {

// The four boxes behave as one address field: "." moves on to the next
// octet, and a pasted address fills all four.
class OctetKeys : public QObject {
  public:
    OctetKeys(std::array<QSpinBox*, 4> boxes, QObject* parent) : QObject(parent), boxes_(boxes) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const auto at = std::find(boxes_.begin(), boxes_.end(), watched);
        if (at == boxes_.end()) {
            return false;
        }
        if (key->matches(QKeySequence::Paste)) {
            const auto address =
                parseHostAddress(QGuiApplication::clipboard()->text().toStdString());
            if (!address) {
                return false;
            }
            for (std::size_t i = 0; i < boxes_.size(); ++i) {
                boxes_[i]->setValue((*address)[i]);
            }
            boxes_.back()->setFocus();
            return true;
        }
        if (key->text() == QStringLiteral(".")) {
            if (at + 1 != boxes_.end() && !(*at)->cleanText().isEmpty()) {
                (*(at + 1))->setFocus();
                (*(at + 1))->selectAll();
            }
            return true;
        }
        return false;
    }

  private:
    std::array<QSpinBox*, 4> boxes_;
};

} // namespace

TcpClientSettingsDialog::TcpClientSettingsDialog(AppState& state, const ConnectionIni& ini,
                                                 LinkControl& links, LinkNotifier* notifier,
                                                 QWidget* parent)
    : TcpSettingsDialog(state, ini, links, parent) {
    auto* layout = new QVBoxLayout(this);

    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(new QLabel(QStringLiteral("IP Address"), this));
    for (std::size_t i = 0; i < octets_.size(); ++i) {
        auto* box = new QSpinBox(this);
        box->setRange(0, 255);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setObjectName(QStringLiteral("octet%1").arg(i));
        connect(box, &QSpinBox::valueChanged, this, [this] {
            HostAddress a{};
            for (std::size_t k = 0; k < octets_.size(); ++k) {
                a[k] = static_cast<std::uint8_t>(octets_[k]->value());
            }
            logic_.setAddress(a);
        });
        octets_[i] = box;
        addressRow->addWidget(box);
        if (i + 1 < octets_.size()) {
            addressRow->addWidget(new QLabel(QStringLiteral("."), this));
        }
    }
    layout->addLayout(addressRow);
    auto* keys = new OctetKeys(octets_, this);
    for (QSpinBox* box : octets_) {
        box->installEventFilter(keys);
    }

    const ListWithButtons list = addListWithButtons(
        this, layout, TcpClientDialog::kHostList,
        {{"追加", TcpClientDialog::kAddButton},
         {"削除", TcpClientDialog::kDeleteButton},
         {"接続", TcpClientDialog::kConnectButton},
         {"切断", TcpClientDialog::kDisconnectButton}});
    hosts_ = list.list;
    QPushButton* add = list.buttons[0];
    QPushButton* remove = list.buttons[1];
    wireLinkButtons(list.buttons[2], list.buttons[3]);

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(new QLabel(QStringLiteral("Port No."), this));
    portRow->addWidget(makePort());
    layout->addLayout(portRow);
    addSetAndCloseButtons(this, layout);

    connect(add, &QPushButton::clicked, this, [this] {
        logic_.add();
        refresh();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const auto selected = hosts_->selectedItems();
        std::optional<std::size_t> row;
        if (!selected.isEmpty()) {
            row = static_cast<std::size_t>(hosts_->row(selected.front()));
        }
        logic_.remove(row);
        refresh();
    });
    connect(hosts_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        logic_.pick(static_cast<std::size_t>(hosts_->row(item)));
        showAddress();
    });
    if (notifier != nullptr) {
        connect(notifier, &LinkNotifier::connectionChanged, this,
                &TcpClientSettingsDialog::refresh);
    }

    showAddress();
    refresh();
}

void TcpClientSettingsDialog::showAddress() {
    const auto& a = logic_.address();
    if (!a) {
        return;
    }
    const HostAddress shown = *a;
    for (std::size_t i = 0; i < octets_.size(); ++i) {
        const QSignalBlocker quiet(octets_[i]);
        octets_[i]->setValue(shown[i]);
    }
}

void TcpClientSettingsDialog::refresh() {
    showConnections(this, hosts_, logic_.rows(), logic_);
}

} // namespace tlx::qt
