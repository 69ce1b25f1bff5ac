#include "dialogs/slave_address_box.h"

#include "dialogs/slave_address_logic.h"

namespace tlx::qt {

SlaveAddressBox::SlaveAddressBox(SlaveAddressChoice& choice, QWidget* parent,
                                 WhenDisabled whenDisabled)
    : QComboBox(parent), choice_(choice), whenDisabled_(whenDisabled) {
    setObjectName(QStringLiteral("box1010"));
    for (std::string_view item : choice_.items()) {
        addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    }
    connect(this, &QComboBox::activated, this, [this](int index) {
        choice_.choose(index);
        refresh();
    });
    refresh();
}

void SlaveAddressBox::refresh() {
    const bool enabled = choice_.enabled();
    setEnabled(enabled);
    setCurrentIndex(enabled || whenDisabled_ == WhenDisabled::ShowAddress ? choice_.current() : -1);
}

} // namespace tlx::qt
