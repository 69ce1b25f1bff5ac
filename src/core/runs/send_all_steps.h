#pragma once

#include "base/product.h"
#include "runs/run_step.h"
#include "settings/settings_model.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tlx {

inline constexpr std::chrono::milliseconds kSendAllFirstInterval{300};

// The send-all run's timer: 300 ms for the titles, 80 ms for the
// attributes, then slower again for the long commands at the end.
Pacing sendAllPacing(Product p);

// Shown (error box) when the alarm hold time is not a number of 3 s or more.
inline constexpr std::string_view kMsgHoldTimeTooShort = "3秒以上を設定してください。";

// "ADT" + three digits, with CR LF; nothing when the stored text does not
// begin with a digit or its leading digits (at most three) give less than 3.
std::optional<std::string> holdTimeCommand(std::string_view holdTime);

// Step 1..readAllSteps of the send-all run, built from the model as it is at
// that moment. Steps outside the table do nothing.
RunStep sendAllStep(const SettingsModel& m, Product p, int step);

} // namespace tlx
