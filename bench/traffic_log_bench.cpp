// The traffic log's cost per line on the path every send and receive takes:
// framing and keeping a line in the ring, and the text a trace file gets.
// The copy of the same bytes is the floor each figure compares against.
#include <benchmark/benchmark.h>

#include <string>

#include "link/traffic_log.h"

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

} // namespace

BENCHMARK_MAIN();
