// Feeds arbitrary bytes to the emulator's devices of both models, point to
// point and on an RS-485 bus, split into reads at 0xFF bytes so that lines
// span reads. Every reply must be one line ending in CR LF.
#include "device/device_bus.h"
#include "device/link_session.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

using namespace tlx::device;

struct Rig {
    explicit Rig(tlx::Product p)
        : single(std::make_unique<Device>(makeDeviceState(p))), bus(members(p)) {}

    static std::vector<DeviceBus::Member> members(tlx::Product p) {
        std::vector<DeviceBus::Member> m;
        m.push_back({3, std::make_unique<Device>(makeDeviceState(p))});
        m.push_back({31, std::make_unique<Device>(makeDeviceState(p))});
        return m;
    }

    DeviceBus single;
    DeviceBus bus;
};

void check(const LinkSession::Output& out) {
    for (const auto& reply : out.replies) {
        if (reply.size() < 3 || !reply.ends_with("\r\n") || reply.find('\n') != reply.size() - 1) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Rig rigF(tlx::Product::F);
    static Rig rigS(tlx::Product::S);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    FaultPlan plan;
    for (Rig* rig : {&rigF, &rigS}) {
        for (DeviceBus* bus : {&rig->single, &rig->bus}) {
            LinkCounters counters;
            LinkSession session(*bus, plan, counters);
            std::size_t start = 0;
            for (std::size_t i = 0; i <= input.size(); ++i) {
                if (i == input.size() || static_cast<unsigned char>(input[i]) == 0xFF) {
                    LinkSession::Output out;
                    session.receive(input.substr(start, i - start), out);
                    check(out);
                    start = i + 1;
                }
            }
            LinkSession::Output out;
            session.receive("\r\n", out);
            check(out);
        }
    }
    return 0;
}
