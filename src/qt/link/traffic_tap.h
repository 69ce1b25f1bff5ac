#pragma once

#include <functional>
#include <string_view>

namespace tlx::qt {

enum class Direction { Out, In };

// Every byte that goes to or comes from a device passes here: the desktop
// program's traffic log and the command-line tool's --verbose hang on it.
using TrafficTap = std::function<void(Direction, std::string_view bytes)>;

} // namespace tlx::qt
