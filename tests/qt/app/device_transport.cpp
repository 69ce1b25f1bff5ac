#include "device_transport.h"

#include "device/seeded_state.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"

#include <QTimer>

namespace tlx::test {

DeviceTransport::DeviceTransport(AppState& state, Host& host, std::uint64_t seed,
                                 std::string firmware)
    : state_(state), host_(host) {
    auto deviceState = device::makeDeviceState(state.product, firmware);
    if (seed != 0) {
        device::seedDeviceState(*deviceState, seed);
    }
    bus_ = std::make_unique<device::DeviceBus>(
        std::make_unique<device::Device>(std::move(deviceState)));
}

DeviceTransport::~DeviceTransport() = default;

std::string DeviceTransport::answer(std::string_view line) {
    lines.emplace_back(line);
    std::string out;
    const auto it = replyAt.find(lines.size());
    if (it != replyAt.end()) {
        const std::string replacement = it->second;
        bus_->handleLine(line, false, &replacement, out);
    } else {
        bus_->handleLine(line, false, nullptr, out);
    }
    return out;
}

void DeviceTransport::writeSerial(std::string_view bytes) {
    const std::string reply = answer(bytes);
    if (reply.empty()) {
        return;
    }
    // The transport is the timer's context: no answer after it is gone.
    QTimer::singleShot(serialDelayMs, this,
                       [this, reply] { receiveSerialBytes(state_, host_, reply); });
}

SocketSendStatus DeviceTransport::sendSocket(int, std::string_view line) {
    pendingSocket_ = answer(line);
    return SocketSendStatus::Sent;
}

SocketReceive DeviceTransport::receiveSocket(int) {
    if (pendingSocket_.empty()) {
        return {SocketReceive::Kind::TimedOut, {}};
    }
    return {SocketReceive::Kind::Data, std::exchange(pendingSocket_, {})};
}

} // namespace tlx::test
