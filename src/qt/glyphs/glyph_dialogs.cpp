#include "dialogs/dialog_context.h"

namespace tlx::qt {

std::unique_ptr<QDialog> makeGlyphDialog(const DialogContext& context) {
    static_cast<void>(context);
    return nullptr;
}

} // namespace tlx::qt
