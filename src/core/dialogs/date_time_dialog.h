#pragma once

#include "base/date_time.h"
#include "dialogs/slave_address_logic.h"
#include "protocol/forward.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

inline constexpr std::string_view kDateTimeTitle = "日付＆時刻の設定";
// The caption's word when a TCP/IP connection is selected.
inline constexpr std::string_view kDateTimeTcpWord = "日付，時刻";

enum class ClockField { Year, Month, Day, Hour, Minute, Second };
inline constexpr std::size_t kClockFields = 6;

// One date/time list and the command of its "設定" button.
struct ClockFieldRow {
    ClockField field;
    std::string_view mnemonic;
    int first;    // the value of the list's first entry
    int count;    // entries
    int wireBase; // subtracted from the value on the wire
};

inline constexpr std::array<ClockFieldRow, kClockFields> kClockFieldRows{{
    {ClockField::Year, "DSY", 2000, 100, 2000},
    {ClockField::Month, "DSM", 1, 12, 0},
    {ClockField::Day, "DSD", 1, 31, 0},
    {ClockField::Hour, "TSH", 0, 24, 0},
    {ClockField::Minute, "TSM", 0, 60, 0},
    {ClockField::Second, "TSS", 0, 60, 0},
}};

const ClockFieldRow& clockFieldRow(ClockField field);

// The list of a field: "2000".."2099", "1".."12", ...
std::vector<std::string> clockFieldItems(ClockField field);

// How the device shows its clock: the range of fields, the size, on/off.
std::span<const std::string_view> dateTimeRangeItems();
std::span<const std::string_view> dateTimeSizeItems();
std::span<const std::string_view> dateTimeDisplayItems();

// The date and time dialog's logic. The six date/time lists start at the
// PC's time when the dialog opens and follow the PC clock until the operator
// changes them, each list on its own: each button sends what its list shows
// at the moment of the press. The three display choices are the model's and
// reach the device only with their buttons.
class DateTimeEntry {
  public:
    DateTimeEntry(AppState& state, Host& host, Transport& transport, const ClockTime& now);

    // The entry chosen in a field's list; -1 when none (a PC year outside
    // the list).
    std::int32_t selection(ClockField field) const;
    // The operator's choice: from now on the list keeps it.
    void choose(ClockField field, std::int32_t index);
    // The PC clock now: every list the operator has not changed shows it.
    void follow(const ClockTime& now);
    bool chosen(ClockField field) const;
    // The field's "設定" button; false (nothing sent) without a selection.
    bool send(ClockField field);

    std::int32_t range() const;
    std::int32_t size() const;
    std::int32_t display() const;
    // Stored into the model at once; out-of-range indexes are ignored.
    void chooseRange(std::int32_t index);
    void chooseSize(std::int32_t index);
    void chooseDisplay(std::int32_t index);
    // "TSDR" + 1..8; nothing when the model's value names no entry.
    bool sendRange();
    void sendDisplay();   // "TSDON" / "TSDOF"
    void sendSize();      // "TSDSN" / "TSDSL"
    void adjustSeconds(); // "30秒補正": "TSA"
    // "PCの時刻を設定": the six date and time commands, the seconds last, one
    // at a time: each call sends the next once the previous was answered.
    // False when nothing (more) is to be sent: all sent, refused, or the link
    // gave up.
    bool startPcClock(const ClockTime& now);
    bool continuePcClock();

    SlaveAddressChoice& slaveAddress() { return slave_; }

  private:
    void send(std::string line);

    AppState& state_;
    Host& host_;
    Transport& transport_;
    SlaveAddressChoice slave_;
    std::array<std::int32_t, kClockFields> selection_{};
    std::array<bool, kClockFields> chosen_{};
    std::vector<std::string> pcClock_;
    std::size_t pcClockNext_ = 0;
};

} // namespace tlx
