#pragma once

#include "dialogs/dialog_forward.h"
#include "dialogs/glyph_insert.h"

#include <QDialog>

namespace tlx::qt {

// "外字挿入": page, size, line (model F), glyph number and position, sent
// with "設定".
class GlyphInsertDialog : public QDialog {
    Q_OBJECT
  public:
    GlyphInsertDialog(AppState& state, Host& host, Transport& transport, const QString& title,
                      QWidget* parent = nullptr);

    GlyphInsertLogic& logic() { return logic_; }
    QComboBox* pageBox() const { return page_; }
    QComboBox* sizeBox() const { return size_; }
    QComboBox* lineBox() const { return line_; } // null in model S
    QComboBox* glyphBox() const { return glyph_; }
    QComboBox* positionBox() const { return position_; }
    QPushButton* sendButton() const { return send_; }
    QPushButton* closeButton() const { return close_; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }

  private:
    void fillSizeLists();

    GlyphInsertLogic logic_;
    QComboBox* page_ = nullptr;
    QComboBox* size_ = nullptr;
    QComboBox* line_ = nullptr;
    QComboBox* glyph_ = nullptr;
    QComboBox* position_ = nullptr;
    QPushButton* send_ = nullptr;
    QPushButton* close_ = nullptr;
    SlaveAddressBox* slave_ = nullptr;
};

} // namespace tlx::qt
