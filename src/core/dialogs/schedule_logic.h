#pragma once

#include "dialogs/slave_address_logic.h"
#include "protocol/forward.h"
#include "runs/schedule_run.h"

#include <string>
#include <string_view>
#include <vector>

namespace tlx {

inline constexpr std::string_view kSchedulePreviewHeader =
    "時 分 ページ　　 　　時 分 ページ　　　　時 分 ページ";

// "01".."31", "01".."24", "00".."23", "00".."59".
std::vector<std::string> scheduleDayItems();
std::vector<std::string> scheduleEntryItems();
std::vector<std::string> scheduleHourItems();
std::vector<std::string> scheduleMinuteItems();
// "001".."512", "PAS" (index 512), "---" (index 513).
std::vector<std::string> schedulePageItems();

// One entry of the preview: "01 = 00:00 P001  ", "... PAS  " or "... --- ".
std::string scheduleEntryText(const SettingsModel& m, std::size_t day, std::size_t entry);

// The schedule dialog: the 24 entries of the chosen day, edited in the model,
// sent one day at a time or all 31 days in a paced run. The chosen day and
// entry are kept between openings.
class ScheduleLogic {
  public:
    ScheduleLogic(AppState& state, Host& host, Transport& transport);

    SlaveAddressChoice& slaveAddress() { return slave_; }

    int day() const;
    int entry() const;
    // The item showing the chosen entry's value, -1 when no item shows it.
    int hour() const;
    int minute() const;
    int page() const;
    // Entry i (0..23) of the chosen day, as the preview shows it.
    std::string entryText(std::size_t i) const;

    void chooseDay(int index);
    void chooseEntry(int index);
    void chooseHour(int index);
    void chooseMinute(int index);
    void choosePage(int index);
    // "日ページクリア": no page on any entry of the day; times stay.
    void clearDayPages();
    // "日設定".
    void pressDaySet();
    // "全設定": true when the timer is to start.
    bool pressAllSet();
    ScheduleTick tick();

    const ScheduleRun& run() const { return run_; }
    bool closeEnabled() const { return !run_.running(); }
    void close() { run_.close(); }

  private:
    std::size_t d() const;
    std::size_t e() const;

    AppState& state_;
    Host& host_;
    Transport& transport_;
    SlaveAddressChoice slave_;
    ScheduleRun run_;
};

} // namespace tlx
