#include "device/device_bus.h"

#include "device/routes.h"
#include "device/wire_fields.h"

#include <algorithm>

namespace tlx::device {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBroadcast = "FF";

} // namespace

DeviceBus::DeviceBus(std::unique_ptr<Device> device) {
    members_.push_back({-1, std::move(device)});
}

DeviceBus::DeviceBus(std::vector<Member> members) : members_(std::move(members)), rs485_(true) {}

void DeviceBus::answer(Device& device, std::string_view body, bool wellFormed,
                       const std::string* replacement, std::string& out) {
    if (replacement != nullptr) {
        out.append(*replacement);
    } else if (!wellFormed) {
        out.append(kReplyCommandError);
    } else {
        device.execute(body, reply_);
        out.append(reply_);
    }
    out.append(kLineEnd);
}

void DeviceBus::handleLine(std::string_view line, bool truncated, const std::string* replacement,
                           std::string& out) {
    // A command line ends in CR LF; a bare LF, or a line cut for its length,
    // is not a command the device can read.
    bool wellFormed = !truncated && line.ends_with(kLineEnd);
    std::string_view body = line;
    if (body.ends_with('\n')) {
        body.remove_suffix(1);
    }
    if (body.ends_with('\r')) {
        body.remove_suffix(1);
    }

    if (!rs485_) {
        answer(*members_.front().device, body, wellFormed, replacement, out);
        return;
    }
    if (body.size() < 2) {
        return; // no address: nobody is spoken to
    }
    const std::string_view address = body.substr(0, 2);
    body.remove_prefix(2);
    if (address == kBroadcast) {
        if (wellFormed && replacement == nullptr) {
            for (auto& m : members_) {
                m.device->execute(body, reply_);
            }
        }
        return;
    }
    const auto number = readNumber(address, 0, 2, 0, kMaxAddress);
    if (!number) {
        return;
    }
    for (auto& m : members_) {
        if (m.address == *number) {
            putDigits(out, m.address, 2);
            answer(*m.device, body, wellFormed, replacement, out);
            return;
        }
    }
}

std::optional<std::vector<int>> parseAddressList(std::string_view text) {
    std::vector<int> addresses;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        if (item.empty() || item.size() > 2) {
            return std::nullopt;
        }
        const auto v = readNumber(item, 0, item.size(), 0, DeviceBus::kMaxAddress);
        if (!v || std::find(addresses.begin(), addresses.end(), *v) != addresses.end()) {
            return std::nullopt;
        }
        addresses.push_back(*v);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    return addresses;
}

} // namespace tlx::device
