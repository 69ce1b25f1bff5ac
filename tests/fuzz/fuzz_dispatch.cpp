// Feeds arbitrary bytes to both dispatchers of both models, as serial reads
// (RS-232C and RS-485) and as socket receives, with ticks in between.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "support/fake_host.h"

namespace {

void run(tlx::Product product, std::string_view data, bool rs485) {
    static auto state = tlx::makeAppState(product);
    static auto stateS = tlx::makeAppState(tlx::Product::S);
    tlx::AppState& s = product == tlx::Product::F ? *state : *stateS;
    tlx::test::FakeHost host;
    s.connection.rsControl = rs485 ? 1 : 0;
    // Split the input into chunks at 0xFF bytes so that lines span reads.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= data.size(); ++i) {
        if (i == data.size() || static_cast<unsigned char>(data[i]) == 0xFF) {
            const auto chunk = data.substr(start, i - start);
            tlx::receiveSerialBytes(s, host, chunk);
            tlx::dispatchSocketReply(s, host, chunk);
            tlx::tickWork(s, host);
            start = i + 1;
        }
    }
    s.model.busyStep = 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool rs485 = size > 0 && (data[0] & 1) != 0;
    run(tlx::Product::F, bytes, rs485);
    run(tlx::Product::S, bytes, rs485);
    return 0;
}
