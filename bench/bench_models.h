#pragma once

// What the core's benchmarks share: the least time of the repetitions, and a
// model F whose every title and table holds something.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings_model.h"

namespace tlx::bench {

inline double minOf(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Every title full (28 full-width characters), colours, erase times and line
// spacings varied; `shift` changes every title and every number it can.
inline std::unique_ptr<SettingsModel> fullModelF(int shift = 0) {
    auto m = std::make_unique<SettingsModel>();
    resetModelToDefaults(*m, Product::F);
    for (std::size_t p = 0; p < kPages; ++p) {
        for (std::size_t l = 0; l < kLines; ++l) {
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

} // namespace tlx::bench
