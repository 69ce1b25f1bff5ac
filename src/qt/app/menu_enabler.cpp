#include "app/menu_enabler.h"

#include "app/menu_logic.h"

#include <QAction>

namespace tlx::qt {

namespace {

void enable(QAction* action, bool on) {
    if (action != nullptr) {
        action->setEnabled(on);
    }
}

} // namespace

void MenuEnabler::refresh() const {
    const InterfaceMenuState s = interfaceMenuState(settings_);
    enable(actions_.rsSettings, s.rsSettings);
    enable(actions_.clientServer, s.clientServer);
    enable(actions_.tcpSettings, s.tcpSettings);
    enable(actions_.slaveAddress, s.slaveAddress);
}

} // namespace tlx::qt
