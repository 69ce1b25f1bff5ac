#include "dialogs/attribute_widgets.h"
#include "dialogs/dialog_context.h"
#include "dialogs/line_attribute_window.h"
#include "dialogs/page_attribute_window.h"
#include "protocol/app_state.h"
#include "protocol/link_control.h"
#include "protocol/link_hub.h"

namespace tlx::qt {

namespace {

// With a TCP/IP connection selected, the title is the dialog's own word
// followed by the connection's address; otherwise the template's title.
QString attributeTitle(const DialogContext& context, std::string_view titleWord) {
    const std::string address = connectionAddressText(context.state, context.links);
    if (address.empty()) {
        return attributeText(context.route.title);
    }
    return attributeText(titleWord) + QString::fromStdString(address);
}

} // namespace

std::unique_ptr<QDialog> makeAttributeDialog(const DialogContext& context) {
    const Product product = context.state.product;
    const Feature feature = context.route.feature;
    if (const LineAttributeDescriptor* d = lineAttributeDescriptor(product, feature)) {
        return std::make_unique<LineAttributeWindow>(
            *d, context.state, context.host, context.transport(),
            attributeTitle(context, d->titleWord), context.owner);
    }
    if (const PageAttributeDescriptor* d = pageAttributeDescriptor(product, feature)) {
        return std::make_unique<PageAttributeWindow>(
            *d, context.state, context.host, context.transport(),
            attributeTitle(context, d->titleWord), context.owner);
    }
    return nullptr;
}

} // namespace tlx::qt
