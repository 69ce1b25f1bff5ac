#include "app/app_dialogs.h"

#include "app/about_dialog.h"
#include "app/shell_logic.h"
#include "dialogs/compare_window.h"
#include "dialogs/connection_choice_dialog.h"
#include "dialogs/dialog_context.h"
#include "dialogs/run_dialog.h"
#include "dialogs/tcp_client_dialog.h"
#include "dialogs/tcp_server_dialog.h"
#include "dialogs/titles_windows.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"

namespace tlx::qt {

AppDialogs::AppDialogs(AppState& state, Host& host, LinkHub& links, const ConnectionIni& ini,
                       QWidget* owner)
    : state_(state), host_(host), links_(links), ini_(ini), owner_(owner) {}

std::unique_ptr<QDialog> AppDialogs::create(const CommandRoute& route) {
    const QString title = QString::fromStdString(dialogTitle(route.title, state_, links_));
    switch (route.feature) {
    case Feature::About:
        return std::make_unique<AboutDialog>(state_.product, owner_);
    case Feature::Interface:
        return std::make_unique<ConnectionChoiceDialog>(kInterfaceDialog, state_, ini_, links_,
                                                        owner_);
    case Feature::RsSettings:
        return std::make_unique<ConnectionChoiceDialog>(kRsDialog, state_, ini_, links_, owner_);
    case Feature::ClientServer:
        return std::make_unique<ConnectionChoiceDialog>(kClientServerDialog, state_, ini_, links_,
                                                        owner_);
    case Feature::SlaveAddress:
        return std::make_unique<ConnectionChoiceDialog>(kSlaveAddressDialog, state_, ini_, links_,
                                                        owner_);
    case Feature::TcpSettings:
        if (state_.connection.clientServer == 1) {
            return std::make_unique<TcpServerSettingsDialog>(state_, ini_, links_, &links_, owner_);
        }
        return std::make_unique<TcpClientSettingsDialog>(state_, ini_, links_, &links_, owner_);
    case Feature::ReadAll:
        return makeReadAllDialog(state_, host_, links_.transport(), title, owner_, &links_.tcp());
    case Feature::SendAll:
        return makeSendAllDialog(state_, host_, links_.transport(), title, owner_, &links_.tcp());
    case Feature::TitleOverview:
        // A double click opens the title dialog on the row's page and line.
        return std::make_unique<TitleOverviewDialog>(
            state_,
            [this] {
                for (const CommandRoute& r : commandRoutes(state_.product)) {
                    if (r.feature == Feature::TitleInput) {
                        open(r);
                        return;
                    }
                }
            },
            owner_);
    default:
        break;
    }
    const DialogContext context{state_, host_, links_, owner_, route, title};
    for (auto make : {makeAttributeDialog, makeTitleDialog, makeDeviceSettingsDialog,
                      makeGlyphDialog}) {
        if (auto dialog = make(context)) {
            return dialog;
        }
    }
    return nullptr;
}

void AppDialogs::open(const CommandRoute& route) {
    // The "ツール" menu's commands are flows of several windows.
    const DialogContext context{state_, host_, links_, owner_, route,
                                QString::fromStdString(dialogTitle(route.title, state_, links_))};
    if (runCompareTool(context)) {
        return;
    }
    if (auto dialog = create(route)) {
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->exec();
    }
}

} // namespace tlx::qt
