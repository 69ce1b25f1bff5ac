#include "device/device.h"

#include "device/routes.h"

namespace tlx::device {

Device::Device(std::unique_ptr<DeviceState> state) : state_(std::move(state)) {}

void Device::execute(std::string_view command, std::string& reply) {
    for (const Route& route : routesFor(state_->product)) {
        if (command.starts_with(route.prefix) &&
            route.handler(*state_, route, command.substr(route.prefix.size()), reply)) {
            return;
        }
    }
    reply.assign(kReplyCommandError);
}

std::string Device::execute(std::string_view command) {
    std::string reply;
    execute(command, reply);
    return reply;
}

} // namespace tlx::device
