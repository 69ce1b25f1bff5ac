// tlx500-sim over loopback TCP: short commands answered per second, one
// client sending one command at a time (the tool's own pattern). A stall per
// reply, such as delayed acknowledgements, shows as a rate near 25/s.
#include "sim_process.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

void shortCommandsOneAtATime(benchmark::State& state) {
    tlx::sim::test::SimProcess sim({"--tcp-listen", "0"});
    tlx::sim::test::LineClient client;
    if (!sim.start() || !client.connectTo(sim.port())) {
        state.SkipWithError("tlx500-sim did not start");
        return;
    }
    for (auto _ : state) {
        const auto reply = client.request("RAM");
        if (!reply || *reply != "AMI\r\n") {
            state.SkipWithError("unexpected answer");
            return;
        }
    }
    state.counters["commands/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(shortCommandsOneAtATime)->UseRealTime()->MinTime(1.0);

} // namespace

// Qt's processes and sockets want an application object; the benchmark uses
// their blocking waits, without an event loop.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
