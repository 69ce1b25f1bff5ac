// Reads arbitrary bytes as a titles file of both models. A refused file
// brings no rows; an accepted one, once applied, exported (TSV or CSV) and
// read again, must give the very same titles.
#include "base/sjis_codec.h"
#include "settings/titles_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void run(tlx::Product product, std::string_view bytes, tlx::TitlesFormat format) {
    static const auto codec = tlx::makeSjisCodec();
    static auto first = std::make_unique<tlx::SettingsModel>();
    static auto second = std::make_unique<tlx::SettingsModel>();
    check(codec != nullptr);
    const auto import = tlx::parseTitles(bytes, product, *codec);
    check(import.errors.size() <= tlx::kMaxReportedRowErrors);
    if (!import.ok()) {
        check(import.rows.empty() && import.errorCount >= import.errors.size());
        return;
    }
    tlx::resetModelToDefaults(*first, product);
    tlx::applyTitles(import, *first, product, true);
    const auto exported = tlx::exportTitles(*first, product, format, *codec);
    check(exported.unreadable.empty());
    const auto again = tlx::parseTitles(exported.bytes, product, *codec);
    check(again.ok() && again.duplicates.empty());
    tlx::resetModelToDefaults(*second, product);
    tlx::applyTitles(again, *second, product, true);
    check(first->titleText == second->titleText && first->titlePageText == second->titlePageText);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto format = size % 2 == 0 ? tlx::TitlesFormat::Tsv : tlx::TitlesFormat::Csv;
    run(tlx::Product::F, bytes, format);
    run(tlx::Product::S, bytes, format);
    return 0;
}
