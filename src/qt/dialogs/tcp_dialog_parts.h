#pragma once

#include "dialogs/dialog_forward.h"
#include "settings/qt_text.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QBoxLayout;

namespace tlx {
class LinkControl;
} // namespace tlx

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

// What either TCP/IP dialog is over its logic: the port field and the connect
// and disconnect buttons go straight to the logic, the dialog then shows what
// changed, and the logic is closed once however the dialog ends.
template <typename Logic> class TcpSettingsDialog : public QDialog {
  public:
    QLineEdit* portField() const { return port_; }
    QPushButton* button(int control) const { return dialogButton(this, control); }

    void done(int result) override {
        if (!closed_) {
            closed_ = true;
            logic_.close();
        }
        QDialog::done(result);
    }

  protected:
    TcpSettingsDialog(AppState& state, const ConnectionIni& ini, LinkControl& links,
                      QWidget* parent)
        : QDialog(parent), logic_(state, ini, links) {
        setWindowTitle(qtext(Logic::kTitle));
    }

    virtual void refresh() = 0;

    QLineEdit* makePort() {
        port_ = makePortField(this, Logic::kPortField, logic_.portText());
        connect(port_, &QLineEdit::textEdited, this,
                [this](const QString& t) { logic_.changePort(t.toStdString()); });
        return port_;
    }

    void wireLinkButtons(QPushButton* connectButton, QPushButton* disconnectButton) {
        connect(connectButton, &QPushButton::clicked, this, [this] {
            logic_.connect();
            refresh();
        });
        connect(disconnectButton, &QPushButton::clicked, this, [this] {
            logic_.disconnect();
            refresh();
        });
    }

    Logic logic_;
    QLineEdit* port_ = nullptr;

  private:
    bool closed_ = false;
};

} // namespace tlx::qt
