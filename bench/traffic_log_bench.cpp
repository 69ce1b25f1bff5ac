// The traffic log's cost per line on the path every send and receive takes:
// framing and keeping a line in the ring, and the text a trace file gets.
// The copy of the same bytes is the floor each figure compares against.
// ringMemory pushes lines through the full ring and reports what it holds:
// the same after 1,000,000 lines as after 100,000. Its peak_RSS is the
// process's peak so far: run one case alone (--benchmark_filter) to read it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "protocol/traffic_log.h"

namespace {

const tlx::TrafficStamp kNow{{2026, 12, 8, 10, 0, 0}, 0};

std::string pageReply() {
    std::string line = "CA001";
    for (int i = 0; i < 280; ++i) {
        line += i % 5 == 0 ? "2341" : "2121";
    }
    return line + "\r\n";
}

void copyFloor(benchmark::State& state) {
    const std::string line = pageReply();
    for (auto _ : state) {
        std::string copy = line;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(copyFloor);

void recordLine(benchmark::State& state) {
    const std::string line = state.range(0) == 0 ? std::string("RCA001\r\n") : pageReply();
    tlx::TrafficLog log;
    for (auto _ : state) {
        log.record(tlx::TrafficDirection::Received, "127.0.0.1:9004", line, kNow);
    }
    benchmark::DoNotOptimize(log.recorded());
}
BENCHMARK(recordLine)->Arg(0)->Arg(1);

void formatLine(benchmark::State& state) {
    tlx::TrafficLog log;
    log.record(tlx::TrafficDirection::Received, "127.0.0.1:9004", pageReply(), kNow);
    const auto identity = [](std::string_view s) { return std::string(s); };
    for (auto _ : state) {
        std::string text = tlx::formatTrafficLine(log.lines().at(0), "127.0.0.1:9004", identity);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(formatLine);

// Bytes the ring holds: its slots and the heap behind each line's bytes.
double ringBytes(const tlx::TrafficLog& log) {
    const tlx::TrafficRing& ring = log.lines();
    std::size_t bytes = ring.size() * sizeof(tlx::TrafficLine);
    for (std::size_t i = 0; i < ring.size(); ++i) {
        bytes += ring.at(i).bytes.capacity() + 1;
    }
    return static_cast<double>(bytes);
}

// range(0) lines through a fresh log, of the kind range(1) names: 0 a
// send-all's mix (a title command, its "GO"), 1 the longest line a link
// passes on, the bound.
void ringMemory(benchmark::State& state) {
    const auto lines = static_cast<std::size_t>(state.range(0));
    const std::string longest = std::string(1199, 'A') + "\n";
    const std::string command = "CA001L1" + std::string(112, '2') + "\r\n";
    for (auto _ : state) {
        tlx::TrafficLog log;
        for (std::size_t i = 0; i < lines; ++i) {
            if (state.range(1) == 1) {
                log.record(tlx::TrafficDirection::Received, "127.0.0.1:9004", longest, kNow);
            } else if (i % 2 == 0) {
                log.record(tlx::TrafficDirection::Sent, "127.0.0.1:9004", command, kNow);
            } else {
                log.record(tlx::TrafficDirection::Received, "127.0.0.1:9004", "GO\r\n", kNow);
            }
        }
        state.counters["ring_MB"] = ringBytes(log) / 1e6;
        state.counters["kept"] = static_cast<double>(log.lines().size());
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_RSS_MB"] = static_cast<double>(usage.ru_maxrss) / 1e3;
}
BENCHMARK(ringMemory)
    ->Args({100000, 0})
    ->Args({1000000, 0})
    ->Args({100000, 1})
    ->Args({1000000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
