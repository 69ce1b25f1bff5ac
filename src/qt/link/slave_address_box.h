#pragma once

#include <QComboBox>

namespace tlx {
class SlaveAddressChoice;
}

namespace tlx::qt {

// The slave address box [1010] of the dialogs that send.
class SlaveAddressBox : public QComboBox {
    Q_OBJECT
  public:
    SlaveAddressBox(SlaveAddressChoice& choice, QWidget* parent = nullptr);

    // Shows the current address and whether it can be changed.
    void refresh();

  private:
    SlaveAddressChoice& choice_;
};

} // namespace tlx::qt
