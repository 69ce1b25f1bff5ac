// Comparison of two full model F settings files: the files read and compared
// item by item (what diff does), the comparison alone, and the changed steps
// of the send-all run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "runs/settings_compare.h"
#include "settings/settings_file.h"

namespace {

double minOf(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

std::string asIs(std::string_view s) { return std::string(s); }

// Every title full; `shift` changes every title and every number it can.
std::unique_ptr<tlx::SettingsModel> fullModel(int shift) {
    auto m = std::make_unique<tlx::SettingsModel>();
    tlx::resetModelToDefaults(*m, tlx::Product::F);
    for (std::size_t p = 0; p < tlx::kPages; ++p) {
        for (std::size_t l = 0; l < tlx::kLines; ++l) {
            std::string t;
            for (int i = 0; i < 28; ++i) {
                t += "\x82";
                t += static_cast<char>(0xa0 + (i + shift) % 80);
            }
            m->titleText[p][l].assign(t);
            const auto v = static_cast<int>(p + l) + shift;
            m->charColour[p][l] = v % 9;
            m->eraseTime[p][l] = v % 241;
            m->lineSpacing[p][l] = v % 64;
        }
    }
    return m;
}

struct Files {
    std::string a;
    std::string b;
};

Files files(int edits) {
    const auto a = fullModel(0);
    auto b = edits < 0 ? fullModel(1) : fullModel(0);
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
    const auto a = fullModel(0);
    const auto b = fullModel(state.range(0) < 0 ? 1 : 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tlx::compareSettings(*a, *b, tlx::Product::F, asIs));
    }
}
BENCHMARK(BM_CompareModelsF)->Arg(0)->Arg(-1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_ChangedStepsF(benchmark::State& state) {
    const auto a = fullModel(0);
    auto b = fullModel(0);
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
