// Comparison of two full model F settings files: the files read and compared
// item by item (what diff does), the comparison alone, and the changed steps
// of the send-all run.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_models.h"
#include "runs/settings_compare.h"
#include "settings/settings_file.h"

namespace {

using tlx::bench::fullModelF;
using tlx::bench::minOf;

std::string asIs(std::string_view s) { return std::string(s); }

struct Files {
    std::string a;
    std::string b;
};

Files files(int edits) {
    const auto a = fullModelF(0);
    auto b = edits < 0 ? fullModelF(1) : fullModelF(0);
    for (int i = 0; i < edits; ++i) {
        b->titleText[static_cast<std::size_t>(i * 100)][2].assign("\x82\x60");
    }
    return {tlx::writeSettingsFile(*a, tlx::Product::F), tlx::writeSettingsFile(*b, tlx::Product::F)};
}

// range(0): the number of edited titles; -1 changes nearly everything.
void BM_DiffFilesF(benchmark::State& state) {
    const Files f = files(static_cast<int>(state.range(0)));
    auto a = std::make_unique<tlx::SettingsModel>();
    auto b = std::make_unique<tlx::SettingsModel>();
    std::size_t differences = 0;
    for (auto _ : state) {
        tlx::resetModelToDefaults(*a, tlx::Product::F);
        tlx::resetModelToDefaults(*b, tlx::Product::F);
        tlx::readSettingsFile(f.a, *a, tlx::Product::F);
        tlx::readSettingsFile(f.b, *b, tlx::Product::F);
        differences = tlx::compareSettings(*a, *b, tlx::Product::F, asIs).size();
        benchmark::DoNotOptimize(differences);
    }
    state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(BM_DiffFilesF)->Arg(3)->Arg(-1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_CompareModelsF(benchmark::State& state) {
    const auto a = fullModelF(0);
    const auto b = fullModelF(state.range(0) < 0 ? 1 : 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tlx::compareSettings(*a, *b, tlx::Product::F, asIs));
    }
}
BENCHMARK(BM_CompareModelsF)->Arg(0)->Arg(-1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_ChangedStepsF(benchmark::State& state) {
    const auto a = fullModelF(0);
    auto b = fullModelF(0);
    for (int i = 0; i < 3; ++i) {
        b->titleText[static_cast<std::size_t>(i * 100)][2].assign("\x82\x60");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(tlx::changedSendSteps(*a, *b, tlx::Product::F));
    }
}
BENCHMARK(BM_ChangedStepsF)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

} // namespace

BENCHMARK_MAIN();
