#include "device/command_handlers.h"
#include "device/wire_fields.h"

#include <algorithm>
#include <array>

namespace tlx::device {

namespace {

constexpr std::size_t kScheduleEntryChars = 7;
constexpr std::string_view kPasText = "PAS";
constexpr std::string_view kNoEntryText = "000";

void putPageNumber(std::string& out, int pageIndex) {
    putDigits(out, pageIndex + 1, 3);
}

} // namespace

bool choiceWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    const ChoiceSetting& c = *r.choice;
    if (rest.size() != c.width) {
        return false;
    }
    for (int v = 0; v < c.count(); ++v) {
        if (c.word(v) == rest) {
            s.model.*c.member = v;
            return acceptCommand(reply);
        }
    }
    return refuseCommand(reply);
}

bool choiceRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    if (!rest.empty()) {
        return false;
    }
    const ChoiceSetting& c = *r.choice;
    int v = s.model.*c.member;
    v = v < 0 ? 0 : (v >= c.count() ? c.count() - 1 : v);
    reply.assign(c.prefix);
    reply.append(c.word(v));
    return true;
}

bool writeDigitSetting(std::string_view rest, std::size_t width, int lo, int hi,
                       std::string& setting, std::string& reply) {
    if (rest.size() != width) {
        return false;
    }
    if (!readNumber(rest, 0, width, lo, hi)) {
        return refuseCommand(reply);
    }
    setting.assign(rest);
    return acceptCommand(reply);
}

bool readTextSetting(std::string_view rest, std::string_view prefix, std::string_view text,
                     std::size_t width, char pad, std::string& reply) {
    if (!rest.empty()) {
        return false;
    }
    reply.assign(prefix);
    reply.append(text.substr(0, width));
    reply.append(width - std::min(width, text.size()), pad);
    return true;
}

bool writePageSetting(std::string_view rest, int& page, std::string& reply) {
    if (rest.size() != 3) {
        return false;
    }
    const auto index = readPage(rest, 0);
    if (!index) {
        return refuseCommand(reply);
    }
    page = static_cast<int>(*index);
    return acceptCommand(reply);
}

bool holdTimeWrite(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    // The device holds an alarm for at least three seconds.
    return writeDigitSetting(rest, 3, 3, 999, s.model.alarmHoldTime, reply);
}

bool holdTimeRead(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    return readTextSetting(rest, "ADT", s.model.alarmHoldTime, 3, '0', reply);
}

bool connectorWrite(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    if (rest.size() != 3 * kConnectorInputs) {
        return false;
    }
    std::array<std::int32_t, kConnectorInputs> pages{};
    for (std::size_t i = 0; i < kConnectorInputs; ++i) {
        const auto page = readPage(rest, 3 * i);
        if (!page) {
            return refuseCommand(reply);
        }
        pages[i] = static_cast<std::int32_t>(*page);
    }
    s.model.connectorPages = pages;
    return acceptCommand(reply);
}

bool connectorRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    if (!rest.empty()) {
        return false;
    }
    reply.assign(r.variant == 0 ? "ACA" : "RCA");
    for (const auto page : s.model.connectorPages) {
        putPageNumber(reply, page);
    }
    return true;
}

bool powerOnPageWrite(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    if (rest == "AS") {
        s.model.powerOnPage = kPagePas;
        return acceptCommand(reply);
    }
    return writePageSetting(rest, s.model.powerOnPage, reply);
}

bool powerOnPageRead(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    if (!rest.empty()) {
        return false;
    }
    if (s.model.powerOnPage == kPagePas) {
        reply.assign("POSPAS");
    } else {
        reply.assign("POSP");
        putPageNumber(reply, s.model.powerOnPage);
    }
    return true;
}

bool versionRead(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    return readTextSetting(rest, "VN", s.model.firmwareVersion, 4, ' ', reply);
}

bool scheduleWrite(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    if (rest.size() != 2 + kScheduleEntries * kScheduleEntryChars) {
        return false;
    }
    const auto day = readNumber(rest, 0, 2, 1, static_cast<int>(kDays));
    if (!day) {
        return refuseCommand(reply);
    }
    std::array<std::array<std::int32_t, 3>, kScheduleEntries> entries{};
    for (std::size_t e = 0; e < kScheduleEntries; ++e) {
        const std::size_t at = 2 + e * kScheduleEntryChars;
        const auto hour = readNumber(rest, at, 2, 0, 23);
        const auto minute = readNumber(rest, at + 2, 2, 0, 59);
        const std::string_view pageText = rest.substr(at + 4, 3);
        std::int32_t page = 0;
        if (pageText == kPasText) {
            page = kPagePas;
        } else if (pageText == kNoEntryText) {
            page = kPageNoEntry;
        } else if (const auto p = readPage(pageText, 0)) {
            page = static_cast<std::int32_t>(*p);
        } else {
            return refuseCommand(reply);
        }
        if (!hour || !minute) {
            return refuseCommand(reply);
        }
        entries[e] = {*hour, *minute, page};
    }
    const auto d = static_cast<std::size_t>(*day - 1);
    for (std::size_t e = 0; e < kScheduleEntries; ++e) {
        s.model.scheduleHour[d][e] = entries[e][0];
        s.model.scheduleMinute[d][e] = entries[e][1];
        s.model.schedulePage[d][e] = entries[e][2];
    }
    return acceptCommand(reply);
}

bool scheduleRead(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    if (rest.size() != 2) {
        return false;
    }
    const auto day = readNumber(rest, 0, 2, 1, static_cast<int>(kDays));
    if (!day) {
        return refuseCommand(reply);
    }
    const auto d = static_cast<std::size_t>(*day - 1);
    reply.assign("SD");
    reply.append(rest);
    for (std::size_t e = 0; e < kScheduleEntries; ++e) {
        putDigits(reply, s.model.scheduleHour[d][e], 2);
        putDigits(reply, s.model.scheduleMinute[d][e], 2);
        const std::int32_t page = s.model.schedulePage[d][e];
        if (page == kPagePas) {
            reply.append(kPasText);
        } else if (page >= 0 && page < static_cast<std::int32_t>(kPages)) {
            putPageNumber(reply, page);
        } else {
            reply.append(kNoEntryText);
        }
    }
    return true;
}

} // namespace tlx::device
