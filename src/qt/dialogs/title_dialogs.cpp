#include "dialogs/date_time_window.h"
#include "dialogs/dialog_context.h"
#include "dialogs/display_page_dialog.h"
#include "dialogs/title_caption.h"
#include "dialogs/title_dialog.h"
#include "dialogs/title_entry.h"
#include "protocol/link_control.h"
#include "protocol/link_hub.h"

namespace tlx::qt {

namespace {

// When a TCP/IP connection is selected these dialogs name themselves with
// their own word and the connection's address.
QString caption(const DialogContext& context, std::string_view tcpWord) {
    const std::string address = connectionAddressText(context.state, context.links);
    return QString::fromStdString(captionWithAddress(context.route.title, tcpWord, address));
}

} // namespace

std::unique_ptr<QDialog> makeTitleDialog(const DialogContext& context) {
    switch (context.route.feature) {
    case Feature::TitleInput:
        return std::make_unique<TitleDialog>(context.state, context.host, context.transport(),
                                             caption(context, kTitleEntryTcpWord), context.owner);
    case Feature::DateTime: {
        auto dialog = std::make_unique<DateTimeDialog>(
            context.state, context.host, context.transport(), localClockTime(),
            caption(context, kDateTimeTcpWord), context.owner,
            &context.links.tcp());
        dialog->followClock(localClockTime);
        return dialog;
    }
    case Feature::DisplayPage: {
        // Without an owner the choices last as long as this dialog.
        std::unique_ptr<DisplayPageMemoryHolder> own;
        QObject* keeper = context.owner;
        if (keeper == nullptr) {
            own = std::make_unique<DisplayPageMemoryHolder>();
            keeper = own.get();
        }
        auto dialog = std::make_unique<DisplayPageDialog>(
            context.state, context.host, context.transport(), DisplayPageMemoryHolder::of(keeper),
            caption(context, kDisplayPageTitle), context.owner);
        if (own) {
            own.release()->setParent(dialog.get());
        }
        return dialog;
    }
    default:
        return nullptr;
    }
}

} // namespace tlx::qt
