#pragma once

#include <functional>
#include <string_view>

namespace tlx::qt {

enum class Direction { Out, In };

// Every byte that goes to or comes from a device passes here: the traffic log
// and the command-line tool's --verbose hang on it. link names the far end
// ("/dev/ttyUSB0", "/dev/ttyUSB0@05" on an RS-485 bus, "192.168.1.10:9004").
using TrafficTap = std::function<void(Direction, std::string_view link, std::string_view bytes)>;

} // namespace tlx::qt
