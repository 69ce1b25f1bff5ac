#pragma once

#include "base/product.h"

#include <QDialog>

namespace tlx::qt {

// The version information box of the "情報" menu.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(Product product, QWidget* parent = nullptr);
};

} // namespace tlx::qt
