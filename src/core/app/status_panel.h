#pragma once

#include <string>

namespace tlx {

struct AppState;

// What the main window knows beyond the state: the serial port's device, the
// devices connected to the server, and when the last reply came.
struct StatusPanelInput {
    std::string serialDevice;
    int serverClients = 0;
    std::string lastReplyTime; // "hh:mm:ss", empty before the first reply
};

// The two lines of the main window's status panel: the link (interface,
// whether it is up, the RS-485 address) and the current settings file with
// the last reply.
struct StatusPanelLines {
    std::string link;
    std::string file;
    bool operator==(const StatusPanelLines&) const = default;
};

StatusPanelLines statusPanelLines(const AppState& s, const StatusPanelInput& in);

} // namespace tlx
