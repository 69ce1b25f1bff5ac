#include "dialogs/tcp_dialog_parts.h"

#include "dialogs/dialog_widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace tlx::qt {

ListWithButtons addListWithButtons(QDialog* dialog, QBoxLayout* layout, int listControl,
                                   std::initializer_list<std::pair<const char*, int>> buttons) {
    ListWithButtons parts;
    auto* row = new QHBoxLayout;
    parts.list = new QListWidget(dialog);
    parts.list->setObjectName(QStringLiteral("list%1").arg(listControl));
    row->addWidget(parts.list);
    auto* column = new QVBoxLayout;
    for (const auto& [label, control] : buttons) {
        QPushButton* b = makeButton(QString::fromUtf8(label), control, dialog);
        column->addWidget(b);
        parts.buttons.push_back(b);
    }
    column->addStretch();
    row->addLayout(column);
    layout->addLayout(row);
    return parts;
}

QLineEdit* makePortField(QDialog* dialog, int control, const std::string& text) {
    auto* port = new QLineEdit(dialog);
    port->setObjectName(QStringLiteral("edit%1").arg(control));
    port->setMaxLength(5);
    port->setText(QString::fromStdString(text));
    return port;
}

void addSetAndCloseButtons(QDialog* dialog, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(dialog);
    auto* ok = buttons->addButton(QStringLiteral("設定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("button1"));
    auto* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("button2"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

QPushButton* dialogButton(const QDialog* dialog, int control) {
    return dialog->findChild<QPushButton*>(QStringLiteral("button%1").arg(control));
}

void showRows(QListWidget* list, const std::vector<std::string>& rows) {
    list->clear();
    for (const std::string& r : rows) {
        list->addItem(QString::fromStdString(r));
    }
}

} // namespace tlx::qt
