#pragma once

#include "base/product.h"
#include "settings/settings_model.h"

#include <string>
#include <string_view>

namespace tlx::test {

// Title text as shown: trailing full-width spaces do not count.
std::string trimmedTitle(std::string_view text);

// The fields the read-all run reads, compared between two models: empty when
// equal, else the first differing field's name.
std::string readFieldsDiff(const SettingsModel& a, const SettingsModel& b, Product p);
// The fields send-all sends.
std::string sentFieldsDiff(const SettingsModel& a, const SettingsModel& b, Product p);

} // namespace tlx::test
