#include "protocol/app_state.h"

#include <memory>

namespace tlx {

AppState::AppState(Product p) : product(p) { resetToDefaults(*this); }

std::unique_ptr<AppState> makeAppState(Product p) { return std::make_unique<AppState>(p); }

void resetToDefaults(AppState& s) {
    resetModelToDefaults(s.model, s.product);
    s.dialogs.reset();
    s.glyphs.clearAll();
    resetLinkState(s.link);
}

} // namespace tlx
