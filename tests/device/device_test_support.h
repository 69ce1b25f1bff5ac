#pragma once

#include "device/device.h"
#include "model_diff.h"
#include "support/reply_lines.h"

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
using tlx::test::page3;
using tlx::test::repeat;

} // namespace tlx::device::test
