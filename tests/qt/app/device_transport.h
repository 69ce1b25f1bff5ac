#pragma once

#include "device/device_bus.h"
#include "protocol/transport.h"

#include <QObject>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tlx {
struct AppState;
class Host;
} // namespace tlx

namespace tlx::test {

// An emulated device behind the core's Transport. A serial write is answered
// from the event loop a moment later, through the serial reply path, as a
// port would; a socket send is answered at the next receive.
class DeviceTransport : public QObject, public Transport {
    Q_OBJECT
  public:
    // seed 0: factory settings.
    DeviceTransport(AppState& state, Host& host, std::uint64_t seed = 0,
                    std::string firmware = "2.00");
    ~DeviceTransport() override;

    void writeSerial(std::string_view bytes) override;
    SocketSendStatus sendSocket(int slot, std::string_view line) override;
    SocketReceive receiveSocket(int slot) override;

    device::Device& device() { return bus_->device(0); }

    // Lines received, numbered from 1; replyAt answers line n with the text
    // (CR LF added) instead of carrying it out.
    std::vector<std::string> lines;
    std::map<std::size_t, std::string> replyAt;
    int serialDelayMs = 1;

  private:
    std::string answer(std::string_view line);

    AppState& state_;
    Host& host_;
    std::unique_ptr<device::DeviceBus> bus_;
    std::string pendingSocket_;
};

} // namespace tlx::test
