#include "runs/title_send.h"

#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "settings/title_encoder.h"

namespace tlx {

bool sendTitleLine(AppState& s, Host& host, Transport& transport, std::size_t page,
                   std::size_t line) {
    const auto cmd = page < kPages && line < kLines
                         ? titleLineCommand(page, line, s.model.titleText[page][line].view())
                         : std::nullopt;
    if (!cmd) {
        host.warning(titleRefusal(s.model, s.product, page, line));
        return false;
    }
    sendCommand(s, host, transport, *cmd);
    return true;
}

bool sendTitlePage(AppState& s, Host& host, Transport& transport, std::size_t page) {
    const auto cmd = titlePageCommand(s.model, s.product, page);
    if (!cmd) {
        host.warning(titleRefusal(s.model, s.product, page));
        return false;
    }
    sendCommand(s, host, transport, *cmd);
    return true;
}

} // namespace tlx
