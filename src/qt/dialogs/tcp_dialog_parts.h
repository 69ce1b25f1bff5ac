#pragma once

#include "dialogs/dialog_forward.h"

#include <QPushButton>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QBoxLayout;
class QDialog;

namespace tlx::qt {

// What the two TCP/IP dialogs share: the list with its column of buttons,
// the port field and the "設定" / "Close" row. Controls are named after their
// identifiers (listN, buttonN, editN) so tests find them.

struct ListWithButtons {
    QListWidget* list = nullptr;
    std::vector<QPushButton*> buttons; // in the order given
};

ListWithButtons addListWithButtons(QDialog* dialog, QBoxLayout* layout, int listControl,
                                   std::initializer_list<std::pair<const char*, int>> buttons);

QLineEdit* makePortField(QDialog* dialog, int control, const std::string& text);

void addSetAndCloseButtons(QDialog* dialog, QBoxLayout* layout);

QPushButton* dialogButton(const QDialog* dialog, int control);

void showRows(QListWidget* list, const std::vector<std::string>& rows);

// The list's rows and the connect / disconnect buttons as the dialog's logic
// has them.
template <typename Logic>
void showConnections(const QDialog* dialog, QListWidget* list, const std::vector<std::string>& rows,
                     const Logic& logic) {
    showRows(list, rows);
    dialogButton(dialog, Logic::kConnectButton)->setEnabled(logic.connectEnabled());
    dialogButton(dialog, Logic::kDisconnectButton)->setEnabled(logic.disconnectEnabled());
}

} // namespace tlx::qt
