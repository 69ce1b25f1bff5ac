#pragma once

// A tlx500-sim process and one TCP client connected to it, for the tests
// that talk to the emulator over loopback.

#include <gtest/gtest.h>

#include "sim_process.h"

namespace tlx::sim::test {

struct Running {
    explicit Running(QStringList args) : sim(std::move(args)) {}
    bool up() {
        if (!sim.start()) {
            ADD_FAILURE() << sim.why().toStdString();
            return false;
        }
        if (!client.connectTo(sim.port())) {
            ADD_FAILURE() << "cannot connect to port " << sim.port();
            return false;
        }
        return true;
    }
    SimProcess sim;
    LineClient client;
};

} // namespace tlx::sim::test
