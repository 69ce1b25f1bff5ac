#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tlx {

struct ClockTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
};

// The six commands that set the device's clock field by field ("DSY" + year −
// 2000, "DSM", "DSD", "TSH", "TSM", "TSS"), each with CR LF. Nothing when a
// field lies outside what the device's lists offer (the year 2000..2099).
std::optional<std::vector<std::string>> clockCommands(const ClockTime& t);

} // namespace tlx
