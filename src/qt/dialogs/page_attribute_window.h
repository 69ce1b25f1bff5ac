#pragma once

#include "dialogs/attribute_window.h"
#include "dialogs/page_attribute_dialog.h"

namespace tlx::qt {

// A per-page attribute dialog (model F automatic switching and levels, the
// model S family); which one is told by its descriptor. Only the model S
// erase time dialog has a progress bar and a paced run.
class PageAttributeWindow : public AttributeWindow {
    Q_OBJECT
  public:
    PageAttributeWindow(const PageAttributeDescriptor& d, AppState& state, Host& host,
                        Transport& transport, const QString& title, QWidget* parent = nullptr);

    const PageAttributeDialog& logic() const { return logic_; }

  protected:
    AttributeDialog& core() override { return logic_; }
    const AttributeDialog& core() const override { return logic_; }

  private:
    PageAttributeDialog logic_;
};

} // namespace tlx::qt
