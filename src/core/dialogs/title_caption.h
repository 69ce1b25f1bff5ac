#pragma once

#include <string>
#include <string_view>

namespace tlx {

// A dialog's caption: its own title, or, when a TCP/IP connection is
// selected, its caption word followed by the connection's address (the title,
// date/time and display page dialogs name themselves differently there).
std::string captionWithAddress(std::string_view title, std::string_view tcpWord,
                               std::string_view address);

} // namespace tlx
