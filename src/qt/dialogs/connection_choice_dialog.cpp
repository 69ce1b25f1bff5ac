#include "dialogs/connection_choice_dialog.h"

#include "protocol/app_state.h"
#include "protocol/serial_link.h"
#include "settings/connection_ini.h"
#include "settings/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

ConnectionChoiceDialog::ConnectionChoiceDialog(const ChoiceDialogDescriptor& descriptor,
                                               AppState& state, const ConnectionIni& ini,
                                               LinkControl& links, QWidget* parent)
    : QDialog(parent), state_(state), ini_(ini), links_(links),
      logic_(descriptor, state, ini, links) {
    // Client mode has no client slot to name: no blank left dangling.
    setWindowTitle(QString::fromStdString(logic_.title()).trimmed());
    auto* layout = new QVBoxLayout(this);

    for (std::size_t i = 0; i < logic_.boxCount(); ++i) {
        const ChoiceView view = logic_.box(i);
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("box%1").arg(view.control));
        for (std::string_view item : view.items) {
            combo->addItem(qtext(item));
        }
        // activated: the operator's choice only, never our own refresh.
        connect(combo, &QComboBox::activated, this, [this, i](int index) {
            logic_.choose(i, index);
            refresh();
        });
        layout->addWidget(combo);
        boxes_.push_back(combo);
    }

    if (&descriptor == &kRsDialog) {
        auto* form = new QFormLayout;
        deviceList_ = new QListWidget(this);
        deviceList_->setObjectName(QStringLiteral("deviceList"));
        for (const SerialPortChoice& port : serialPortChoices()) {
            auto* item = new QListWidgetItem(QString::fromStdString(port.label), deviceList_);
            item->setData(Qt::UserRole, QFile::decodeName(QByteArray::fromStdString(port.path)));
        }
        deviceList_->setMaximumHeight(90);
        devicePath_ = new QLineEdit(this);
        devicePath_->setObjectName(QStringLiteral("devicePath"));
        devicePath_->setText(
            QFile::decodeName(QByteArray::fromStdString(state_.connection.comDevice)));
        devicePath_->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
        form->addRow(QStringLiteral("シリアルデバイス"), deviceList_);
        form->addRow(QStringLiteral("デバイスのパス"), devicePath_);
        layout->addLayout(form);
        auto* note = new QLabel(
            QStringLiteral(
                "パスを指定すると COM の選択に代わります。\nポートの変更はすぐに有効になります。"),
            this);
        layout->addWidget(note);
        connect(deviceList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            const QString path = item->data(Qt::UserRole).toString();
            devicePath_->setText(path);
            applyDevicePath(path);
        });
        connect(devicePath_, &QLineEdit::editingFinished, this,
                [this] { applyDevicePath(devicePath_->text()); });
    }

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("設定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("button1"));
    auto* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    refresh();
}

QComboBox* ConnectionChoiceDialog::box(int control) const {
    return findChild<QComboBox*>(QStringLiteral("box%1").arg(control));
}

void ConnectionChoiceDialog::refresh() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const ChoiceView view = logic_.box(i);
        boxes_[i]->setCurrentIndex(view.current);
        boxes_[i]->setEnabled(view.enabled);
    }
}

void ConnectionChoiceDialog::applyDevicePath(const QString& path) {
    const std::string bytes = QFile::encodeName(path.trimmed()).toStdString();
    if (bytes == state_.connection.comDevice) {
        return;
    }
    changeComDevice(state_, ini_, links_, bytes);
}

} // namespace tlx::qt
