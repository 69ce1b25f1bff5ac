#pragma once

#include "dialogs/dialog_forward.h"
#include "dialogs/display_page.h"

#include <QDialog>
#include <QObject>

namespace tlx::qt {

// Keeps the display page dialog's choices from one opening to the next: a
// child of the window that opens the dialog, so they live as long as it.
class DisplayPageMemoryHolder : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    DisplayPageMemory memory;

    // The holder of owner, made on first use.
    static DisplayPageMemory& of(QObject* owner);
};

// "表示ページ": title display on or off, and the page shown (or automatic
// switching).
class DisplayPageDialog : public QDialog {
    Q_OBJECT
  public:
    DisplayPageDialog(AppState& state, Host& host, Transport& transport, DisplayPageMemory& memory,
                      const QString& caption, QWidget* parent = nullptr);

    QComboBox* displayBox() const { return display_; }
    QComboBox* pageBox() const { return page_; }
    QPushButton* displayButton() const { return displayButton_; }
    QPushButton* pageButton() const { return pageButton_; }
    QPushButton* closeButton() const { return close_; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }

  private:
    DisplayPageEntry logic_;
    QComboBox* display_ = nullptr;
    QComboBox* page_ = nullptr;
    QPushButton* displayButton_ = nullptr;
    QPushButton* pageButton_ = nullptr;
    QPushButton* close_ = nullptr;
    SlaveAddressBox* slave_ = nullptr;
};

} // namespace tlx::qt
