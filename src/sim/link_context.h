#pragma once

#include "device/device_bus.h"
#include "device/link_session.h"
#include "sim/connection.h"

#include <functional>

namespace tlx::sim {

class LineLog;

// What every link needs besides its transport: the devices behind it, the
// faults to show, the reply pacing, the line log and what to do when a peer
// goes away (save the devices' state).
struct LinkContext {
    device::DeviceBus* bus = nullptr;
    const device::FaultPlan* plan = nullptr;
    Pacing pacing;
    LineLog* log = nullptr;
    std::function<void()> peerGone;
};

} // namespace tlx::sim
