#pragma once

#include "device/device_state.h"

#include <memory>
#include <string>
#include <string_view>

namespace tlx::device {

// One emulated title superimposer: takes a command line and answers it the
// way the device does. Valid writes change the state and are answered "GO",
// reads are answered with their data line, anything else with "E3".
class Device {
  public:
    explicit Device(std::unique_ptr<DeviceState> state);

    // command: one line without its CR LF. reply: the answer without CR LF.
    void execute(std::string_view command, std::string& reply);
    std::string execute(std::string_view command);

    DeviceState& state() { return *state_; }
    const DeviceState& state() const { return *state_; }
    Product product() const { return state_->product; }

  private:
    std::unique_ptr<DeviceState> state_;
};

} // namespace tlx::device
