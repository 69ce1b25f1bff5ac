// Save and load of a full model F settings file against the floor of moving
// the same bytes with no formatting or parsing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>
#include <memory>
#include <string>

#include "base/settings_file_io.h"
#include "bench_models.h"
#include "settings/settings_file.h"

namespace {

using tlx::bench::minOf;

const std::string kPath = "/tmp/tlx-bench-settings.dat";

void BM_FormatF(benchmark::State& state) {
    const auto m = tlx::bench::fullModelF();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tlx::writeSettingsFile(*m, tlx::Product::F));
    }
}
BENCHMARK(BM_FormatF)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_ParseF(benchmark::State& state) {
    const auto m = tlx::bench::fullModelF();
    const std::string bytes = tlx::writeSettingsFile(*m, tlx::Product::F);
    auto target = std::make_unique<tlx::SettingsModel>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tlx::readSettingsFile(bytes, *target, tlx::Product::F));
    }
}
BENCHMARK(BM_ParseF)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_SaveF(benchmark::State& state) {
    const auto m = tlx::bench::fullModelF();
    for (auto _ : state) {
        const auto r = tlx::writeFileAtomically(kPath, tlx::writeSettingsFile(*m, tlx::Product::F),
                                                state.range(0) != 0);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_SaveF)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_SaveFloor(benchmark::State& state) {
    const auto m = tlx::bench::fullModelF();
    const std::string bytes = tlx::writeSettingsFile(*m, tlx::Product::F);
    for (auto _ : state) {
        const auto r = tlx::writeFileAtomically(kPath, bytes, state.range(0) != 0);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_SaveFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_LoadF(benchmark::State& state) {
    const auto m = tlx::bench::fullModelF();
    tlx::writeFileAtomically(kPath, tlx::writeSettingsFile(*m, tlx::Product::F), false);
    auto target = std::make_unique<tlx::SettingsModel>();
    for (auto _ : state) {
        const auto f = tlx::readWholeFile(kPath);
        benchmark::DoNotOptimize(tlx::readSettingsFile(*f.bytes, *target, tlx::Product::F));
    }
}
BENCHMARK(BM_LoadF)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_LoadFloor(benchmark::State& state) {
    const auto m = tlx::bench::fullModelF();
    tlx::writeFileAtomically(kPath, tlx::writeSettingsFile(*m, tlx::Product::F), false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tlx::readWholeFile(kPath));
    }
}
BENCHMARK(BM_LoadFloor)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

} // namespace

BENCHMARK_MAIN();
namespace {
void BM_ParseDefaultF(benchmark::State& state) {
    auto m = std::make_unique<tlx::SettingsModel>();
    tlx::resetModelToDefaults(*m, tlx::Product::F);
    const std::string bytes = tlx::writeSettingsFile(*m, tlx::Product::F);
    auto target = std::make_unique<tlx::SettingsModel>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tlx::readSettingsFile(bytes, *target, tlx::Product::F));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseDefaultF)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);
}
