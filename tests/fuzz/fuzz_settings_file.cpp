// Reads arbitrary bytes as a settings file of both models. The read must stay
// within every field, every title read must survive its own encoding, and
// (for one input in four, as a whole file is slow to write under the
// sanitizers) the model must survive a save and a reload unchanged.
#include "settings/settings_file.h"

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

template <std::size_t N> void checkTitle(const tlx::FixedText<N>& t) {
    const std::string line = tlx::encodeTitleLine(t.view());
    check(line.find_first_of("\r\n") == std::string::npos);
    check(line.size() <= t.size());
    if (!line.empty()) {
        check(tlx::decodeTitleLine(line) == t.view());
    }
}

void run(tlx::Product product, std::string_view bytes, bool roundTrip) {
    static auto pristineF = [] {
        auto m = std::make_unique<tlx::SettingsModel>();
        tlx::resetModelToDefaults(*m, tlx::Product::F);
        return m;
    }();
    static auto pristineS = [] {
        auto m = std::make_unique<tlx::SettingsModel>();
        tlx::resetModelToDefaults(*m, tlx::Product::S);
        return m;
    }();
    static auto read = std::make_unique<tlx::SettingsModel>();
    static auto again = std::make_unique<tlx::SettingsModel>();
    const auto& pristine = product == tlx::Product::F ? *pristineF : *pristineS;

    *read = pristine;
    const auto r = tlx::readSettingsFile(bytes, *read, product);
    check(r.linesUsed <= r.linesExpected);
    check(read->alarmHoldTime.size() <= 3);
    for (const auto& day : read->schedulePage) {
        for (int v : day) {
            check(v >= 0 && v <= tlx::kPageNoEntry);
        }
    }
    for (int v : read->connectorPages) {
        check(v >= 0 && v < static_cast<int>(tlx::kPages));
    }
    check(read->powerOnPage >= 0 && read->powerOnPage <= tlx::kPagePas);
    const std::size_t titles = r.linesUsed > 3 ? r.linesUsed - 3 : 0;
    for (std::size_t i = 0; i < titles && i < tlx::kPages * tlx::kLines; ++i) {
        if (product == tlx::Product::F) {
            checkTitle(read->titleText[i / tlx::kLines][i % tlx::kLines]);
        } else if (i < tlx::kPages) {
            checkTitle(read->titlePageText[i]);
        }
    }

    if (roundTrip) {
        const std::string saved = tlx::writeSettingsFile(*read, product);
        *again = pristine;
        const auto r2 = tlx::readSettingsFile(saved, *again, product);
        check(r2.complete() && !r2.extraLines && r2.linesRejected == 0);
        check(tlx::writeSettingsFile(*again, product) == saved);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const unsigned pick = size > 0 ? data[size - 1] : 0U;
    run(tlx::Product::F, bytes, pick % 8 == 1);
    run(tlx::Product::S, bytes, pick % 8 == 2);
    return 0;
}
