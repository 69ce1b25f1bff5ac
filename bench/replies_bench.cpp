// Reply parsing and dispatch throughput. Each figure is also reported as a
// ratio against a floor measured in the same run (copying the same bytes), so
// results compare across machines.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/apply_reply.h"
#include "protocol/protocol.h"

namespace {

class NullHost : public tlx::Host {
public:
    void showMessage(tlx::MessageKind, std::string_view, std::string_view) override { ++shown; }
    bool askYesNo(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> chooseFile(const tlx::FileChoice&) override { return {}; }
    int shown = 0;
};

std::string hex4(unsigned v) {
    static const char* d = "0123456789ABCDEF";
    return {d[v >> 12 & 0xF], d[v >> 8 & 0xF], d[v >> 4 & 0xF], d[v & 0xF]};
}

std::string caReply() {
    std::string line = "CA123";
    for (unsigned i = 0; i < 280; ++i) {
        line += i % 7 == 0 ? hex4(0xA365 + i % 26) : hex4(0x3021 + (i % 90));
    }
    return line + "\r\n";
}

std::string allPages(const char* prefix, const char* pair) {
    std::string line = prefix;
    for (int p = 0; p < 512; ++p) {
        line += pair;
    }
    return line + "\r\n";
}

void copyFloor(benchmark::State& st, const std::string& line) {
    std::vector<char> sink(line.size());
    for (auto _ : st) {
        std::memcpy(sink.data(), line.data(), line.size());
        benchmark::DoNotOptimize(sink.data());
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations());
}

void applyLine(benchmark::State& st, tlx::Product product, const std::string& line) {
    auto state = tlx::makeAppState(product);
    for (auto _ : st) {
        tlx::applyReply(*state, line);
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations());
}

void BM_CopyFloor_CA(benchmark::State& st) { copyFloor(st, caReply()); }
void BM_ApplyReply_CA(benchmark::State& st) { applyLine(st, tlx::Product::F, caReply()); }
void BM_ApplyReply_CA_ModelS(benchmark::State& st) { applyLine(st, tlx::Product::S, caReply()); }
void BM_ApplyReply_CL(benchmark::State& st) { applyLine(st, tlx::Product::F, allPages("CL", "34")); }
void BM_ApplyReply_PAST(benchmark::State& st) {
    applyLine(st, tlx::Product::F, allPages("PAST", "07"));
}

// A serial stream of short replies, several per read, as the link delivers them.
void BM_DispatchShortReplies(benchmark::State& st) {
    auto state = tlx::makeAppState(tlx::Product::F);
    NullHost host;
    const std::vector<std::string> replies{
        "GO\r\n",       "ADOF\r\n",      "AROF\r\n",     "AMI\r\n",
        "CBS001NNFFNNFFNN\r\n", "CFS002ELMSELMSEL\r\n", "POSP123\r\n", "TSDR2\r\n",
        "EIA192.168.001.010\r\n", "VN2.00\r\n", "E3\r\n", "UNKNOWN\r\n"};
    std::string chunk;
    for (const auto& r : replies) {
        chunk += r;
    }
    state->model.busyStep = 1; // a run is going: no notices to queue
    for (auto _ : st) {
        tlx::receiveSerialBytes(*state, host, chunk);
    }
    st.SetItemsProcessed(st.iterations() * static_cast<std::int64_t>(replies.size()));
}

} // namespace

BENCHMARK(BM_CopyFloor_CA);
BENCHMARK(BM_ApplyReply_CA);
BENCHMARK(BM_ApplyReply_CA_ModelS);
BENCHMARK(BM_ApplyReply_CL);
BENCHMARK(BM_ApplyReply_PAST);
BENCHMARK(BM_DispatchShortReplies);

BENCHMARK_MAIN();
