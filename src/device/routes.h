#pragma once

#include "base/product.h"
#include "device/attribute_families.h"
#include "device/choice_settings.h"
#include "device/device_state.h"

#include <span>
#include <string>
#include <string_view>

namespace tlx::device {

inline constexpr std::string_view kReplyGo = "GO";
inline constexpr std::string_view kReplyCommandError = "E3";

struct Route;

// Handles the text after the route's prefix. Returns false when the text does
// not have one of the route's shapes (another route may take it); once it
// returns true, reply holds the answer ("GO", a data line or "E3").
using RouteHandler = bool (*)(DeviceState& state, const Route& route, std::string_view rest,
                              std::string& reply);

struct Route {
    std::string_view prefix;
    RouteHandler handler = nullptr;
    const AttributeFamily* family = nullptr;
    const ChoiceSetting* choice = nullptr;
    int variant = 0; // meaning chosen by the handler
};

inline bool acceptCommand(std::string& reply) {
    reply.assign(kReplyGo);
    return true;
}
inline bool refuseCommand(std::string& reply) {
    reply.assign(kReplyCommandError);
    return true;
}

// Every command the device of this model takes, longer prefixes first.
std::span<const Route> routesFor(Product product);

} // namespace tlx::device
