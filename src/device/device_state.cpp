#include "device/device_state.h"

namespace tlx::device {

bool isValidFirmware(std::string_view text) {
    if (text.size() != 4) {
        return false;
    }
    for (char c : text) {
        if (c < 0x20 || c > 0x7E) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<DeviceState> makeDeviceState(Product product, std::string_view firmware) {
    auto state = std::make_unique<DeviceState>();
    state->product = product;
    resetModelToDefaults(state->model, product);
    state->model.firmwareVersion = std::string(firmware);
    return state;
}

} // namespace tlx::device
