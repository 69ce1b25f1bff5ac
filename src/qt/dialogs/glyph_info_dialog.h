#pragma once

#include "base/product.h"

#include <QDialog>

namespace tlx::qt {

// "外字について": five fixed lines, closed with the window's close command.
class GlyphInfoDialog : public QDialog {
    Q_OBJECT
  public:
    GlyphInfoDialog(Product product, const QString& title, QWidget* parent = nullptr);
};

} // namespace tlx::qt
