#include "dialogs/schedule_logic.h"

#include "base/codecs.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/run_progress.h"

namespace tlx {

namespace {

std::vector<std::string> numbered(int first, int count, int width) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        items.push_back(width == 2 ? encode2(first + i) : encode3(first + i));
    }
    return items;
}

bool inRange(std::int32_t v, std::int32_t count) {
    return v >= 0 && v < count;
}

} // namespace

std::vector<std::string> scheduleDayItems() {
    return numbered(1, static_cast<int>(kDays), 2);
}
std::vector<std::string> scheduleEntryItems() {
    return numbered(1, static_cast<int>(kScheduleEntries), 2);
}
std::vector<std::string> scheduleHourItems() {
    return numbered(0, 24, 2);
}
std::vector<std::string> scheduleMinuteItems() {
    return numbered(0, 60, 2);
}
std::vector<std::string> schedulePageItems() {
    auto items = numbered(1, static_cast<int>(kPages), 3);
    items.emplace_back("PAS");
    items.emplace_back("---");
    return items;
}

std::string scheduleEntryText(const SettingsModel& m, std::size_t day, std::size_t entry) {
    std::string text;
    append2(text, static_cast<int>(entry + 1));
    text += " = ";
    append2(text, m.scheduleHour[day][entry]);
    text += ':';
    append2(text, m.scheduleMinute[day][entry]);
    text += ' ';
    const std::int32_t page = m.schedulePage[day][entry];
    if (page == kPagePas) {
        text += "PAS  ";
    } else if (page >= 0 && page < kPagePas) {
        text += 'P';
        append3(text, page + 1);
        text += "  ";
    } else {
        text += "--- ";
    }
    return text;
}

ScheduleLogic::ScheduleLogic(AppState& state, Host& host, Transport& transport)
    : state_(state), host_(host), transport_(transport), slave_(state, true),
      run_(state, host, transport) {}

// The remembered choices are kept in range, whatever was stored.
std::size_t ScheduleLogic::d() const {
    const std::int32_t v = state_.dialogs.scheduleDay;
    return inRange(v, static_cast<std::int32_t>(kDays)) ? static_cast<std::size_t>(v) : 0;
}
std::size_t ScheduleLogic::e() const {
    const std::int32_t v = state_.dialogs.scheduleEntry;
    return inRange(v, static_cast<std::int32_t>(kScheduleEntries)) ? static_cast<std::size_t>(v)
                                                                   : 0;
}

int ScheduleLogic::day() const {
    return static_cast<int>(d());
}
int ScheduleLogic::entry() const {
    return static_cast<int>(e());
}
int ScheduleLogic::hour() const {
    const std::int32_t v = state_.model.scheduleHour[d()][e()];
    return inRange(v, 24) ? v : -1;
}
int ScheduleLogic::minute() const {
    const std::int32_t v = state_.model.scheduleMinute[d()][e()];
    return inRange(v, 60) ? v : -1;
}
int ScheduleLogic::page() const {
    const std::int32_t v = state_.model.schedulePage[d()][e()];
    return inRange(v, kPageNoEntry + 1) ? v : -1;
}

std::string ScheduleLogic::entryText(std::size_t i) const {
    return i < kScheduleEntries ? scheduleEntryText(state_.model, d(), i) : std::string();
}

void ScheduleLogic::chooseDay(int index) {
    if (inRange(index, static_cast<std::int32_t>(kDays))) {
        state_.dialogs.scheduleDay = index;
    }
}
void ScheduleLogic::chooseEntry(int index) {
    if (inRange(index, static_cast<std::int32_t>(kScheduleEntries))) {
        state_.dialogs.scheduleEntry = index;
    }
}
void ScheduleLogic::chooseHour(int index) {
    if (inRange(index, 24)) {
        state_.model.scheduleHour[d()][e()] = index;
    }
}
void ScheduleLogic::chooseMinute(int index) {
    if (inRange(index, 60)) {
        state_.model.scheduleMinute[d()][e()] = index;
    }
}
void ScheduleLogic::choosePage(int index) {
    if (inRange(index, kPageNoEntry + 1)) {
        state_.model.schedulePage[d()][e()] = index;
    }
}

void ScheduleLogic::clearDayPages() {
    state_.model.schedulePage[d()].fill(kPageNoEntry);
}

void ScheduleLogic::pressDaySet() {
    sendCommand(state_, host_, transport_,
                scheduleDayCommand(state_.model, static_cast<int>(d()) + 1));
}

bool ScheduleLogic::pressAllSet() {
    return startConfirmed(run_, host_);
}

ScheduleTick ScheduleLogic::tick() {
    return run_.tick();
}

} // namespace tlx
