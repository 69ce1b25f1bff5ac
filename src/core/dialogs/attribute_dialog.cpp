#include "dialogs/attribute_dialog.h"

#include "protocol/app_state.h"
#include "protocol/protocol.h"

namespace tlx {

AttributeDialog::AttributeDialog(AppState& state, Host& host, Transport& transport,
                                 std::chrono::milliseconds transferInterval)
    : state_(state), host_(host), transport_(transport), slave_(state, true),
      run_(
          state, host, transport, [this](std::size_t page) { return pageCommand(page); },
          transferInterval) {}

AttributeDialog::~AttributeDialog() {
    // Gone without the run's end (the program quits): busyStep is not left
    // holding every other transfer off.
    run_.abandon();
}

int AttributeDialog::page() const {
    const std::int32_t v = state_.dialogs.currentPage;
    return v >= 0 && static_cast<std::size_t>(v) < kPages ? v : 0;
}

void AttributeDialog::choosePage(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < kPages) {
        state_.dialogs.currentPage = index;
    }
}

void AttributeDialog::sendPage() {
    sendCommand(state_, host_, transport_, pageCommand(static_cast<std::size_t>(page())));
}

bool AttributeDialog::pressSendAll() {
    return startConfirmed(run_, host_);
}

bool AttributeDialog::tick() {
    run_.tick();
    return run_.running();
}

} // namespace tlx
