#include "dialogs/titles_commands.h"

#include "base/host.h"
#include "base/settings_file_io.h"
#include "protocol/app_state.h"
#include "settings/titles_file.h"

namespace tlx {

namespace {

// The program's own text for a file it cannot open or write.
constexpr std::string_view kCantFileOpen = "Can't file open";
constexpr std::size_t kNamedTitles = 10;

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string pageLineText(Product p, std::size_t page, std::size_t line) {
    std::string s = "ページ " + std::to_string(page + 1);
    if (p == Product::F) {
        s += " ライン " + std::to_string(line + 1);
    }
    return s;
}

} // namespace

void exportTitlesToFile(AppState& state, Host& host, SjisCodec* codec) {
    if (codec == nullptr) {
        host.warning(kNoSjisConversion);
        return;
    }
    FileChoice choice;
    choice.save = true;
    choice.title = kTitlesExportTitle;
    choice.filters = {{"TSV(*.tsv)", "*.tsv"}, {"CSV(*.csv)", "*.csv"}};
    auto path = host.chooseFile(choice);
    if (!path) {
        return;
    }
    if (!endsWith(*path, ".tsv") && titlesFormatOf(*path) != TitlesFormat::Csv) {
        *path += ".tsv";
    }
    const auto result = exportTitles(state.model, state.product, titlesFormatOf(*path), *codec);
    if (!writeFileAtomically(*path, result.bytes).ok()) {
        host.warning(kCantFileOpen);
        return;
    }
    if (!result.unreadable.empty()) {
        std::string text = "文字でないバイトを U+FFFD として書き出したタイトル:";
        for (std::size_t i = 0; i < result.unreadable.size() && i < kNamedTitles; ++i) {
            text += "\n" + pageLineText(state.product, result.unreadable[i].first,
                                        result.unreadable[i].second);
        }
        host.warning(text);
    }
}

std::vector<std::string> importTitlesFromFile(AppState& state, Host& host, SjisCodec* codec) {
    if (state.model.busyStep != 0) {
        return {};
    }
    if (codec == nullptr) {
        host.warning(kNoSjisConversion);
        return {};
    }
    FileChoice choice;
    choice.title = kTitlesImportTitle;
    choice.filters = {{"タイトル(*.tsv *.csv)", "*.tsv *.csv"}, {"すべて(*.*)", "*.*"}};
    const auto path = host.chooseFile(choice);
    if (!path) {
        return {};
    }
    const Product p = state.product;
    const TitlesImport import = readTitlesFile(*path, p, *codec);
    if (!import.readFailure.empty()) {
        host.warning(kCantFileOpen);
        return {};
    }
    std::vector<std::string> refused;
    for (const auto& e : import.errors) {
        refused.push_back(titleRowErrorText(e, p, TitlesLanguage::Japanese));
    }
    if (import.errorCount > import.errors.size()) {
        refused.push_back("ほかに " + std::to_string(import.errorCount - import.errors.size()) +
                          " 行");
    }
    if (!import.ok()) {
        return refused;
    }
    const bool replaceAll = host.askYesNo(kAskReplaceAllTitles, kTitlesImportTitle);
    applyTitles(import, state.model, p, replaceAll);
    state.model.dataModified = true;
    std::string done = std::to_string(import.rows.size()) + " 行を読み込みました。";
    for (std::size_t i = 0; i < import.duplicates.size() && i < kNamedTitles; ++i) {
        done += "\n" + titleDuplicateText(import.duplicates[i], p, TitlesLanguage::Japanese);
    }
    host.notice(done);
    return {};
}

} // namespace tlx
