#include "dialogs/date_time_dialog.h"

#include "base/codecs.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"

namespace tlx {

namespace {

constexpr std::array<std::string_view, kDateTimeRangeCount> kRangeItems{
    "年月日時分秒", "年月日時分　", "年月日　　　", "　月日時分秒",
    "　月日時分　", "　月日　　　", "　　　時分秒", "　　　時分　"};
constexpr std::array<std::string_view, 2> kSizeItems{"LARGE ", "NORMAL"};
constexpr std::array<std::string_view, 2> kDisplayItems{"OFF", "ON "};

std::size_t slot(ClockField field) {
    return static_cast<std::size_t>(field);
}

// The entry showing value, or -1 when the list has none.
std::int32_t indexOf(const ClockFieldRow& row, int value) {
    const int index = value - row.first;
    return index >= 0 && index < row.count ? index : -1;
}

bool within(std::int32_t index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

} // namespace

const ClockFieldRow& clockFieldRow(ClockField field) {
    return kClockFieldRows[slot(field)];
}

std::vector<std::string> clockFieldItems(ClockField field) {
    const ClockFieldRow& row = clockFieldRow(field);
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(row.count));
    for (int i = 0; i < row.count; ++i) {
        items.push_back(std::to_string(row.first + i));
    }
    return items;
}

std::span<const std::string_view> dateTimeRangeItems() {
    return kRangeItems;
}

std::span<const std::string_view> dateTimeSizeItems() {
    return kSizeItems;
}

std::span<const std::string_view> dateTimeDisplayItems() {
    return kDisplayItems;
}

DateTimeEntry::DateTimeEntry(AppState& state, Host& host, Transport& transport,
                             const ClockTime& now)
    : state_(state), host_(host), transport_(transport), slave_(state, true) {
    follow(now);
}

void DateTimeEntry::follow(const ClockTime& now) {
    const int values[kClockFields] = {now.year, now.month,  now.day,
                                      now.hour, now.minute, now.second};
    for (std::size_t i = 0; i < kClockFields; ++i) {
        if (!chosen_[i]) {
            selection_[i] = indexOf(kClockFieldRows[i], values[i]);
        }
    }
}

std::int32_t DateTimeEntry::selection(ClockField field) const {
    return selection_[slot(field)];
}

bool DateTimeEntry::chosen(ClockField field) const {
    return chosen_[slot(field)];
}

void DateTimeEntry::choose(ClockField field, std::int32_t index) {
    if (within(index, static_cast<std::size_t>(clockFieldRow(field).count))) {
        selection_[slot(field)] = index;
        chosen_[slot(field)] = true;
    }
}

void DateTimeEntry::send(std::string line) {
    line += "\r\n";
    sendCommand(state_, host_, transport_, line);
}

bool DateTimeEntry::send(ClockField field) {
    const std::int32_t index = selection(field);
    if (index < 0) {
        return false;
    }
    const ClockFieldRow& row = clockFieldRow(field);
    std::string line(row.mnemonic);
    append2(line, row.first + index - row.wireBase);
    send(std::move(line));
    return true;
}

std::int32_t DateTimeEntry::range() const {
    return state_.model.dateTimeRange;
}

std::int32_t DateTimeEntry::size() const {
    return state_.model.dateTimeSize;
}

std::int32_t DateTimeEntry::display() const {
    return state_.model.dateTimeDisplay;
}

void DateTimeEntry::chooseRange(std::int32_t index) {
    if (within(index, kRangeItems.size())) {
        state_.model.dateTimeRange = index;
    }
}

void DateTimeEntry::chooseSize(std::int32_t index) {
    if (within(index, kSizeItems.size())) {
        state_.model.dateTimeSize = index;
    }
}

void DateTimeEntry::chooseDisplay(std::int32_t index) {
    if (within(index, kDisplayItems.size())) {
        state_.model.dateTimeDisplay = index;
    }
}

bool DateTimeEntry::sendRange() {
    if (!within(range(), kRangeItems.size())) {
        return false;
    }
    std::string line = "TSDR";
    line += static_cast<char>('1' + range());
    send(std::move(line));
    return true;
}

void DateTimeEntry::sendDisplay() {
    send(display() == 1 ? "TSDON" : "TSDOF");
}

void DateTimeEntry::sendSize() {
    send(size() == 1 ? "TSDSN" : "TSDSL");
}

bool DateTimeEntry::startPcClock(const ClockTime& now) {
    auto lines = clockCommands(now);
    pcClock_ = lines ? std::move(*lines) : std::vector<std::string>{};
    pcClockNext_ = 0;
    state_.link.abortFlag = false;
    return continuePcClock();
}

bool DateTimeEntry::continuePcClock() {
    if (state_.link.abortFlag || state_.model.busyStep != 0) {
        pcClock_.clear();
    }
    if (pcClockNext_ >= pcClock_.size()) {
        return false;
    }
    if (!state_.link.awaitingAnswer) {
        sendCommand(state_, host_, transport_, pcClock_[pcClockNext_++]);
    }
    return true;
}

void DateTimeEntry::adjustSeconds() {
    send("TSA");
}

} // namespace tlx
