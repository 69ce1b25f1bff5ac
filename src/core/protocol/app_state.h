#pragma once

#include <memory>

#include "base/product.h"
#include "glyphs/glyph_store.h"
#include "protocol/link_state.h"
#include "settings/connection_settings.h"
#include "settings/dialog_memory.h"
#include "settings/settings_model.h"

namespace tlx {

// The program's one set of state, passed by reference. Large: create it on
// the heap (makeAppState).
struct AppState {
    explicit AppState(Product p);

    Product product;
    SettingsModel model;
    LinkState link;
    ConnectionSettings connection;
    GlyphStore glyphs;
    DialogMemory dialogs;

    const ProductTraits& traits() const { return tlx::traits(product); }
};

std::unique_ptr<AppState> makeAppState(Product p);

// The model's defaults together with the dialogs' working values, the glyph
// bitmaps and the link state; the connection settings and the current file
// path stay.
void resetToDefaults(AppState& s);

} // namespace tlx
