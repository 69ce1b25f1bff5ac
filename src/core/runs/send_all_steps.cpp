#include "runs/send_all_steps.h"

#include "base/codecs.h"
#include "settings/title_encoder.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tlx {

namespace {

using std::chrono::milliseconds;

// One decimal digit; values outside 0..9 (only from a damaged file) are taken
// modulo 10 like every other numeric field.
char digit(std::int32_t v) {
    const int r = v % 10;
    return static_cast<char>('0' + (r < 0 ? r + 10 : r));
}

char onOff(std::int32_t v) {
    return v == 1 ? 'N' : 'F';
}

char sizeLetter(std::int32_t v) {
    switch (v) {
    case 0:
        return 'E';
    case 1:
        return 'L';
    case 2:
        return 'M';
    default:
        return 'S';
    }
}

char centeringLetter(std::int32_t v) {
    return v == 1 ? 'C' : v == 2 ? 'R' : 'L';
}
char fontLetter(std::int32_t v) {
    return v == 1 ? 'M' : 'G';
}

RunStep finish(std::string line) {
    line += "\r\n";
    return RunStep::send(std::move(line));
}

std::string withPage(std::string_view mnemonic, int pageNumber) {
    std::string line(mnemonic);
    append3(line, pageNumber);
    return line;
}

// Ten per-line values of one page of a model F table.
template <typename Field>
RunStep linesOf(std::string_view mnemonic, int pageNumber, const PerLine<std::int32_t>& table,
                Field field) {
    std::string line = withPage(mnemonic, pageNumber);
    const auto& values = table[static_cast<std::size_t>(pageNumber - 1)];
    for (std::int32_t v : values) {
        field(line, v);
    }
    return finish(std::move(line));
}

// Line 0 of every page of a per-line table: a model S per-page value.
template <typename Field>
RunStep allPagesOf(std::string_view mnemonic, const PerLine<std::int32_t>& table, Field field) {
    std::string line(mnemonic);
    for (const auto& page : table) {
        field(line, page[0]);
    }
    return finish(std::move(line));
}

template <typename Field>
RunStep allPagesOf(std::string_view mnemonic, const PerPage<std::int32_t>& table, Field field) {
    std::string line(mnemonic);
    for (std::int32_t v : table) {
        field(line, v);
    }
    return finish(std::move(line));
}

auto letter(char (*map)(std::int32_t)) {
    return [map](std::string& out, std::int32_t v) { out += map(v); };
}
void twoDigits(std::string& out, std::int32_t v) {
    append2(out, v);
}
void threeDigits(std::string& out, std::int32_t v) {
    append3(out, v);
}

RunStep titlePage(const SettingsModel& m, Product p, int pageNumber) {
    auto cmd = titlePageCommand(m, p, static_cast<std::size_t>(pageNumber - 1));
    if (!cmd) {
        return {RunStep::Kind::TitleRefused, {}, {}};
    }
    return RunStep::send(std::move(*cmd));
}

RunStep schedule(const SettingsModel& m, int dayNumber) {
    const auto d = static_cast<std::size_t>(dayNumber - 1);
    std::string line = "SD";
    append2(line, dayNumber);
    for (std::size_t e = 0; e < kScheduleEntries; ++e) {
        append2(line, m.scheduleHour[d][e]);
        append2(line, m.scheduleMinute[d][e]);
        const std::int32_t page = m.schedulePage[d][e];
        if (page == kPagePas) {
            line += "PAS";
        } else if (page == kPageNoEntry) {
            line += "000";
        } else {
            append3(line, page + 1);
        }
    }
    return finish(std::move(line));
}

RunStep connectorPages(std::string_view mnemonic, const SettingsModel& m) {
    std::string line(mnemonic);
    for (std::int32_t page : m.connectorPages) {
        append3(line, page + 1);
    }
    return finish(std::move(line));
}

// The single settings sent one after the other by both models (index 0..12).
RunStep singleSetting(const SettingsModel& m, int index) {
    switch (index) {
    case 0:
        return connectorPages("ACA", m);
    case 1:
        return finish(m.alarmDisplay == 1 ? "ADON" : "ADOF");
    case 2: {
        auto cmd = holdTimeCommand(m.alarmHoldTime);
        if (!cmd) {
            return {RunStep::Kind::HoldTimeRefused, {}, {}};
        }
        return RunStep::send(std::move(*cmd));
    }
    case 3:
        return finish(m.alarmMode == 1 ? "AME" : "AMI");
    case 4:
        return finish(m.alarmPolarity == 1 ? "APB" : "APM");
    case 5:
        return finish(m.alarmReturn == 1 ? "ARON" : "AROF");
    case 6:
        return finish(m.connectorInput == 1 ? "CIR" : "CIA");
    case 7:
        return m.powerOnPage == kPagePas ? finish("POSPAS")
                                         : finish(withPage("POSP", m.powerOnPage + 1));
    case 8:
        return connectorPages("RCA", m);
    case 9:
        return finish(m.remoteMode == 1 ? "RMBIT" : m.remoteMode == 2 ? "RMOPE" : "RMBIN");
    case 10:
        return finish(m.dateTimeDisplay == 1 ? "TSDON" : "TSDOF");
    case 11:
        return finish(std::string("TSDR") + digit(m.dateTimeRange + 1));
    case 12:
        return finish(m.videoLossBlue == 1 ? "VLBCB" : "VLBCN");
    default:
        return {};
    }
}

RunStep dateTimeSize(const SettingsModel& m) {
    return finish(m.dateTimeSize == 1 ? "TSDSN" : "TSDSL");
}

RunStep levels(const SettingsModel& m) {
    std::string line = "CL";
    for (std::size_t p = 0; p < kPages; ++p) {
        line += digit(m.whiteLevel[p]);
        line += digit(m.blackLevel[p]);
    }
    return finish(std::move(line));
}

constexpr std::array<PaceChange, 2> kModelFPacing = {
    {{513, milliseconds{80}}, {4654, milliseconds{200}}}};
constexpr std::array<PaceChange, 2> kModelSPacing = {
    {{513, milliseconds{80}}, {1070, milliseconds{500}}}};

RunStep modelF(const SettingsModel& m, int step) {
    if (step >= 1 && step <= 512) {
        return titlePage(m, Product::F, step);
    }
    if (step >= 514 && step <= 1025) {
        const int page = step - 513;
        std::string line = withPage("CABC", page);
        const auto p = static_cast<std::size_t>(page - 1);
        for (std::size_t l = 0; l < kLines; ++l) {
            line += digit(m.charColour[p][l]);
            line += digit(m.outlineColour[p][l]);
        }
        return finish(std::move(line));
    }
    if (step >= 1026 && step <= 1537) {
        return linesOf("CBS", step - 1025, m.blink, letter(onOff));
    }
    if (step >= 1538 && step <= 2049) {
        return linesOf("CFS", step - 1537, m.charSize, letter(sizeLetter));
    }
    if (step >= 2050 && step <= 2561) {
        return linesOf("FB", step - 2049, m.backgroundFill, letter(onOff));
    }
    if (step >= 2562 && step <= 3073) {
        return linesOf("IDLS", step - 2561, m.lineSpacing, twoDigits);
    }
    if (step >= 3074 && step <= 3585) {
        return linesOf("IDP", step - 3073, m.centering, letter(centeringLetter));
    }
    if (step >= 3586 && step <= 4097) {
        return linesOf("IDOH", step - 3585, m.horizontalOffset, twoDigits);
    }
    if (step >= 4098 && step <= 4609) {
        return linesOf("IDRT", step - 4097, m.eraseTime, threeDigits);
    }
    if (step >= 4610 && step <= 4640) {
        return schedule(m, step - 4609);
    }
    if (step >= 4641 && step <= 4653) {
        return singleSetting(m, step - 4641);
    }
    switch (step) {
    case 4655:
        return levels(m);
    case 4656:
        return allPagesOf("PAST", m.autoSwitchTime, twoDigits);
    case 4657:
        return RunStep::read("RVN\r\n", Reply::VN);
    case 5170:
        return dateTimeSize(m);
    default:
        break;
    }
    if (step >= 4658 && step <= 5169) {
        return linesOf("CFT", step - 4657, m.fontType, letter(fontLetter));
    }
    return {};
}

RunStep modelS(const SettingsModel& m, int step) {
    if (step >= 1 && step <= 512) {
        return titlePage(m, Product::S, step);
    }
    if (step >= 514 && step <= 1025) {
        const int page = step - 513;
        std::string line = withPage("IDRT", page);
        append3(line, m.eraseTime[static_cast<std::size_t>(page - 1)][0]);
        return finish(std::move(line));
    }
    if (step >= 1026 && step <= 1056) {
        return schedule(m, step - 1025);
    }
    if (step >= 1057 && step <= 1069) {
        return singleSetting(m, step - 1057);
    }
    switch (step) {
    case 1071: {
        std::string line = "CABC";
        for (std::size_t p = 0; p < kPages; ++p) {
            line += digit(m.charColour[p][0]);
            line += digit(m.outlineColour[p][0]);
        }
        return finish(std::move(line));
    }
    case 1072:
        return allPagesOf("CBS", m.blink, letter(onOff));
    case 1073:
        return allPagesOf("CFS", m.charSize, letter(sizeLetter));
    case 1074:
        return levels(m);
    case 1075:
        return allPagesOf("FB", m.backgroundFill, letter(onOff));
    case 1076:
        return allPagesOf("IDO", m.lineSpacing, twoDigits);
    case 1077:
        return allPagesOf("IDP", m.titlePosition,
                          letter([](std::int32_t v) { return v == 1 ? 'B' : 'T'; }));
    case 1078:
        return allPagesOf("ISS", m.scrollSpeed,
                          [](std::string& out, std::int32_t v) { out += digit(v + 1); });
    case 1079:
        return allPagesOf("PAS", m.autoSwitchTime,
                          letter([](std::int32_t v) { return v == 1 ? 'L' : 'S'; }));
    case 1080:
        return RunStep::read("RVN\r\n", Reply::VN);
    case 1081:
        return allPagesOf("CFT", m.fontType, letter(fontLetter));
    case 1593:
        return dateTimeSize(m);
    default:
        return {};
    }
}

} // namespace

std::optional<std::string> holdTimeCommand(std::string_view holdTime) {
    int value = 0;
    std::size_t digits = 0;
    while (digits < holdTime.size() && digits < 3 && holdTime[digits] >= '0' &&
           holdTime[digits] <= '9') {
        value = value * 10 + (holdTime[digits] - '0');
        ++digits;
    }
    if (digits == 0 || value < 3) {
        return std::nullopt;
    }
    std::string line = "ADT";
    append3(line, value);
    return line + "\r\n";
}

Pacing sendAllPacing(Product p) {
    return {kSendAllFirstInterval, p == Product::F ? kModelFPacing : kModelSPacing};
}

RunStep sendAllStep(const SettingsModel& m, Product p, int step) {
    if (const auto pace = sendAllPacing(p).changeAt(step)) {
        return RunStep::pace(*pace);
    }
    return p == Product::F ? modelF(m, step) : modelS(m, step);
}

} // namespace tlx
