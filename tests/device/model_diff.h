#pragma once

#include "device/device_state.h"

#include <string>
#include <vector>

namespace tlx::device::test {

// Names every cell that differs between two device states, e.g.
// "blink[511][9]" or "alarmMode", so a test can check that a command changed
// exactly the fields it names.
std::vector<std::string> stateDiff(const DeviceState& before, const DeviceState& after);

} // namespace tlx::device::test
