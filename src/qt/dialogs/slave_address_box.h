#pragma once

#include <QComboBox>

namespace tlx {
class SlaveAddressChoice;
}

namespace tlx::qt {

// What a disabled box shows: the dialogs differ.
enum class WhenDisabled { NoSelection, ShowAddress };

// The slave address box [1010] of the dialogs that send.
class SlaveAddressBox : public QComboBox {
    Q_OBJECT
  public:
    SlaveAddressBox(SlaveAddressChoice& choice, QWidget* parent = nullptr,
                    WhenDisabled whenDisabled = WhenDisabled::NoSelection);

    // Shows the current address and whether it can be changed.
    void refresh();

  private:
    SlaveAddressChoice& choice_;
    WhenDisabled whenDisabled_;
};

} // namespace tlx::qt
