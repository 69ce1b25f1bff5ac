#include "dialogs/dialog_context.h"
#include "dialogs/glyph_info_dialog.h"
#include "dialogs/glyph_insert_dialog.h"
#include "dialogs/glyph_list_dialog.h"
#include "protocol/app_state.h"
#include "protocol/link_control.h"
#include "protocol/link_hub.h"

namespace tlx::qt {

std::unique_ptr<QDialog> makeGlyphDialog(const DialogContext& context) {
    auto list = [&](GlyphSize size) -> std::unique_ptr<QDialog> {
        // The lists and their editors make their own titles from the
        // connection's address: model S joins it without a blank.
        return std::make_unique<GlyphListDialog>(
            size, context.state, context.host, context.transport(),
            connectionAddressText(context.state, context.links), context.owner);
    };
    switch (context.route.feature) {
    case Feature::GlyphListLarge:
        return list(GlyphSize::Large);
    case Feature::GlyphListMedium:
        return list(GlyphSize::Medium);
    case Feature::GlyphListSmall:
        return list(GlyphSize::Small);
    case Feature::GlyphInsert:
        return std::make_unique<GlyphInsertDialog>(context.state, context.host, context.transport(),
                                                   context.title, context.owner);
    case Feature::GlyphInfo:
        return std::make_unique<GlyphInfoDialog>(context.state.product, context.title,
                                                 context.owner);
    default:
        return nullptr;
    }
}

} // namespace tlx::qt
