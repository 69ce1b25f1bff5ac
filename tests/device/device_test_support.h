#pragma once

#include "device/device.h"
#include "model_diff.h"
#include "support/reply_lines.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tlx::device::test {

// A device with factory settings and a way to see what one command changed.
class DeviceHarness {
  public:
    explicit DeviceHarness(Product product, std::string_view firmware = kDefaultFirmware)
        : device(makeDeviceState(product, firmware)) {}

    // Runs one command and returns the names of the cells it changed.
    std::vector<std::string> changes(std::string_view command, std::string& reply) {
        const auto before = std::make_unique<DeviceState>(device.state());
        device.execute(command, reply);
        return stateDiff(*before, device.state());
    }
    // Runs a command that must be refused, returning what it changed anyway.
    std::vector<std::string> refused(std::string_view command) {
        std::string reply;
        auto diff = changes(command, reply);
        lastReply = reply;
        return diff;
    }
    std::string run(std::string_view command) { return device.execute(command); }

    SettingsModel& model() { return device.state().model; }

    Device device;
    std::string lastReply;
};

using Names = std::vector<std::string>;
using tlx::test::bytes;
using tlx::test::page3;
using tlx::test::repeat;

// Each command, sent to a device of the model with factory settings, is
// refused with E3 and changes nothing.
template <typename Commands> void expectRefused(Product product, const Commands& commands) {
    for (const auto& each : commands) {
        const std::string command(each);
        DeviceHarness h(product);
        EXPECT_EQ(h.refused(command), Names{}) << command.substr(0, 40);
        EXPECT_EQ(h.lastReply, "E3") << command.substr(0, 40);
    }
}

} // namespace tlx::device::test
