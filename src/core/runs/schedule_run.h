#pragma once

#include "protocol/forward.h"
#include "runs/paced_run.h"
#include "settings/settings_model.h"

#include <chrono>
#include <string>

namespace tlx {

// "SD" + day + 24 times (hour, minute, page field), with CR LF. The page
// field is "001".."512", "PAS" for automatic switching, "000" for no entry.
std::string scheduleDayCommand(const SettingsModel& m, int dayNumber);

inline constexpr int kScheduleRunEnd = 32; // busyStep after day 31
inline constexpr std::string_view kScheduleBlankPercent = "   ";

enum class ScheduleTick { Continue, Completed, Stopped };

// The schedule of all 31 days, one day per tick. The timer alone paces the
// ticks on the serial link; a refusal ends the run at the next tick.
class ScheduleRun : public StepRun {
  public:
    ScheduleRun(AppState& s, Host& host, Transport& transport);

    // The caller has asked for the confirmation already.
    RunStart start();
    ScheduleTick tick();
    // The dialog goes away: a run still going gives busyStep back.
    void close() { abandon(); }

    std::chrono::milliseconds interval() const;
    int bar() const { return progress_.bar; }
    const std::string& percent() const { return progress_.percent; }
    // What the timer still needs for the days not yet sent; 0 when idle.
    std::chrono::milliseconds timeLeft() const;
};

} // namespace tlx
