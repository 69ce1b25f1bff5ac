#pragma once

#include "base/product.h"
#include "settings/settings_model.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

// One setting that differs between two models, in the operator's words:
// item "page 5 line 1 character colour", from "2", to "3".
struct SettingsDifference {
    std::string item;
    std::string from;
    std::string to;
};

// The words items are named in: the command-line tool speaks English, the
// desktop programs Japanese.
enum class Wording { English, Japanese };

// "item: from -> to"
std::string differenceLine(const SettingsDifference& d);

// "N differences" (Japanese: "違いのある項目: N 件").
std::string differenceCount(std::size_t count, Wording w);

// Shift-JIS title text (never holding a glyph unit) as UTF-8. The core knows
// no code page; the caller brings the conversion.
using SjisToUtf8 = std::function<std::string(std::string_view sjis)>;

// Every setting of the settings file that differs between `from` and `to`, in
// the file's order, named in `w` ("page 12 line 3 title",
// "ページ12 行3 タイトル"). Titles compare as the device shows them: trailing
// full-width spaces do not count, since every sent line is filled up with
// them. Model S compares its per-page values (line 0 of the per-line tables)
// only. A title is shown in 「」 with each user glyph as {G:v}, v the value
// the model keeps (as in the settings file and the titles text form).
std::vector<SettingsDifference> compareSettings(const SettingsModel& from, const SettingsModel& to,
                                                Product p, const SjisToUtf8& sjisToUtf8,
                                                Wording w = Wording::English);

// The steps of the send-all run whose command differs between the two models
// (a refused title or hold time counts as a command of its own).
std::vector<int> changedSendSteps(const SettingsModel& from, const SettingsModel& to, Product p);

// The steps a run over only `chosen` (ascending) must perform to stay true to
// the table: the chosen steps, each change of pace before the last of them,
// and the firmware read before any step that depends on the firmware.
std::vector<int> stepsToPerform(const std::vector<int>& chosen, Product p);

// The read-all steps that read back what the given send-all steps send.
std::vector<int> readBackSteps(const std::vector<int>& sentSteps, Product p);

} // namespace tlx
