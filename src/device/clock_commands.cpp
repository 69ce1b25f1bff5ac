#include "device/command_handlers.h"
#include "device/wire_fields.h"

namespace tlx::device {

namespace {

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && year % 4 == 0) { // 2000..2099: every fourth year
        return 29;
    }
    return kDays[(month - 1) % 12];
}

} // namespace

bool clockWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    if (rest.size() != 2) {
        return false;
    }
    static constexpr int kLow[6] = {0, 1, 1, 0, 0, 0};
    static constexpr int kHigh[6] = {99, 12, 31, 23, 59, 59};
    const auto v = readNumber(rest, 0, 2, kLow[r.variant], kHigh[r.variant]);
    if (!v) {
        return refuseCommand(reply);
    }
    static constexpr int DeviceClock::*kFields[6] = {&DeviceClock::year,   &DeviceClock::month,
                                                     &DeviceClock::day,    &DeviceClock::hour,
                                                     &DeviceClock::minute, &DeviceClock::second};
    s.clock.*kFields[r.variant] = *v;
    return acceptCommand(reply);
}

// The 30-second correction: seconds go to zero, rounding to the nearer minute.
bool clockAdjust(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    if (!rest.empty()) {
        return false;
    }
    DeviceClock& c = s.clock;
    const bool up = c.second >= 30;
    c.second = 0;
    if (up && ++c.minute == 60) {
        c.minute = 0;
        if (++c.hour == 24) {
            c.hour = 0;
            if (++c.day > daysInMonth(c.year, c.month)) {
                c.day = 1;
                if (++c.month == 13) {
                    c.month = 1;
                    c.year = (c.year + 1) % 100;
                }
            }
        }
    }
    return acceptCommand(reply);
}

bool displayOnOff(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    if (rest == "N" || rest == "F") {
        s.displayOn = rest == "N";
        return acceptCommand(reply);
    }
    return false;
}

bool displayPage(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    if (r.variant == 1) { // "PAS": automatic switching
        if (!rest.empty()) {
            return false;
        }
        s.displayPage = kPagePas;
        return acceptCommand(reply);
    }
    return writePageSetting(rest, s.displayPage, reply);
}

} // namespace tlx::device
