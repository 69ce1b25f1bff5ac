#pragma once

#include "protocol/forward.h"

#include <cstddef>

namespace tlx {

// Sends the title of one line (model F) of the model through sendCommand.
// A line the device cannot show is not sent: the JIS message is shown once and
// false returned.
bool sendTitleLine(AppState& s, Host& host, Transport& transport, std::size_t page,
                   std::size_t line);

// Sends the title of one page (ten lines for model F, the page string for
// model S). Nothing of the page is sent when any part of it fails the check:
// the JIS message is shown once and false returned.
bool sendTitlePage(AppState& s, Host& host, Transport& transport, std::size_t page);

} // namespace tlx
