#pragma once

#include "dialogs/connection_dialogs.h"
#include "dialogs/dialog_forward.h"

#include <QDialog>
#include <vector>

namespace tlx::qt {

// The dialogs made of choice boxes: Interface, RS-232C/485, Client/Server
// and slave address, one widget class over the ChoiceDialog logic. The
// RS-232C/485 dialog also lists the serial devices found on this machine and
// takes any device path, which replaces the COM 1..6 choice; a new port is
// opened at once.
class ConnectionChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    ConnectionChoiceDialog(const ChoiceDialogDescriptor& descriptor, AppState& state,
                           const ConnectionIni& ini, LinkControl& links, QWidget* parent = nullptr);

    // The box with this control identifier, or null.
    QComboBox* box(int control) const;
    QListWidget* deviceList() const { return deviceList_; }
    QLineEdit* devicePath() const { return devicePath_; }

  private:
    void refresh();
    void applyDevicePath(const QString& path);

    AppState& state_;
    const ConnectionIni& ini_;
    LinkControl& links_;
    ChoiceDialog logic_;
    std::vector<QComboBox*> boxes_;
    QListWidget* deviceList_ = nullptr;
    QLineEdit* devicePath_ = nullptr;
};

} // namespace tlx::qt
