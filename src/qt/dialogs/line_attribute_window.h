#pragma once

#include "dialogs/attribute_window.h"
#include "dialogs/line_attribute_dialog.h"

namespace tlx::qt {

// A per-line attribute dialog of model F; which one is told by its
// descriptor. It forwards the operator's choices to the logic, refreshes its
// boxes and preview from it and paces the all-pages run with its timer.
class LineAttributeWindow : public AttributeWindow {
    Q_OBJECT
  public:
    LineAttributeWindow(const LineAttributeDescriptor& d, AppState& state, Host& host,
                        Transport& transport, const QString& title, QWidget* parent = nullptr);

    const LineAttributeDialog& logic() const { return logic_; }
    QComboBox* lineBox() const { return line_; }
    QComboBox* allLinesBox(int which) const { return allLines_[static_cast<std::size_t>(which)]; }
    QPushButton* lineButton() const { return sendLine_; }

  protected:
    AttributeDialog& core() override { return logic_; }
    const AttributeDialog& core() const override { return logic_; }
    void refresh() override;

  private:
    LineAttributeDialog logic_;
    QComboBox* line_ = nullptr;
    std::array<QComboBox*, 2> allLines_{};
    QPushButton* sendLine_ = nullptr;
};

} // namespace tlx::qt
