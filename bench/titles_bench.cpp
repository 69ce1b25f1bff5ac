// Titles in bulk: export and import of 5,120 full model F lines, and the
// overview window opening on them and filtering per keystroke (offscreen).
// The aims: export and import under 50 ms each, the overview open under
// 200 ms, a keystroke's filtering under 30 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <memory>
#include <string>
#include <vector>

#include "base/sjis_codec.h"
#include "bench_models.h"
#include "dialogs/titles_windows.h"
#include "protocol/app_state.h"
#include "settings/titles_file.h"

namespace {

using tlx::bench::minOf;

// Every line full: 27 kanji and kana of varying rows, and one glyph.
std::unique_ptr<tlx::AppState> fullState() {
    auto s = tlx::makeAppState(tlx::Product::F);
    for (std::size_t p = 0; p < tlx::kPages; ++p) {
        for (std::size_t l = 0; l < tlx::kLines; ++l) {
            std::string t;
            for (std::size_t i = 0; i < 27; ++i) {
                const std::size_t k = p * 31 + l * 7 + i;
                t += static_cast<char>(0x88 + k % 8);    // lead bytes of level 1 kanji
                t += static_cast<char>(0x9F + k % 0x5D); // trail bytes 0x9F..0xFB
            }
            t += std::string("\x11\x00", 2); // glyph 63
            s->model.titleText[p][l].assign(t);
        }
    }
    return s;
}

void BM_TitlesExport(benchmark::State& state) {
    const auto s = fullState();
    const auto codec = tlx::makeSjisCodec();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            tlx::exportTitles(s->model, tlx::Product::F, tlx::TitlesFormat::Tsv, *codec));
    }
}
BENCHMARK(BM_TitlesExport)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_TitlesImport(benchmark::State& state) {
    const auto s = fullState();
    const auto codec = tlx::makeSjisCodec();
    const std::string text =
        tlx::exportTitles(s->model, tlx::Product::F, tlx::TitlesFormat::Tsv, *codec).bytes;
    auto target = tlx::makeAppState(tlx::Product::F);
    for (auto _ : state) {
        const auto import = tlx::parseTitles(text, tlx::Product::F, *codec);
        if (!import.ok() || import.rows.size() != tlx::kPages * tlx::kLines) {
            state.SkipWithError("the exported titles were refused");
            break;
        }
        tlx::applyTitles(import, target->model, tlx::Product::F, true);
    }
}
BENCHMARK(BM_TitlesImport)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

void BM_OverviewOpen(benchmark::State& state) {
    const auto s = fullState();
    for (auto _ : state) {
        tlx::qt::TitleOverviewDialog dialog(*s, {});
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.table()->model()->rowCount());
    }
}
BENCHMARK(BM_OverviewOpen)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

// One keystroke: the filter grows by a character (and is cleared between
// rounds, which is not timed), the view repaints.
void BM_OverviewKeystroke(benchmark::State& state) {
    const auto s = fullState();
    tlx::qt::TitleOverviewDialog dialog(*s, {});
    dialog.show();
    QApplication::processEvents();
    const QString typed = dialog.table()->model()->index(1234, 2).data().toString().left(3);
    qsizetype n = 0;
    for (auto _ : state) {
        n = n % typed.size() + 1;
        if (n == 1) {
            state.PauseTiming();
            dialog.filterField()->clear();
            QApplication::processEvents();
            state.ResumeTiming();
        }
        dialog.filterField()->setText(typed.left(n));
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.table()->model()->rowCount());
    }
}
BENCHMARK(BM_OverviewKeystroke)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minOf);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                      : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
