#pragma once

#include <QPushButton>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QBoxLayout;
class QDialog;
class QLineEdit;
class QListWidget;

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

} // namespace tlx::qt
