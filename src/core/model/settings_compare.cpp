#include "model/settings_compare.h"

#include "model/read_all_steps.h"
#include "model/send_all_steps.h"
#include "model/title_code.h"

#include <algorithm>
#include <cstdint>

namespace tlx {

namespace {

using Table = PerLine<std::int32_t> SettingsModel::*;
using PageTable = PerPage<std::int32_t> SettingsModel::*;
using Scalar = std::int32_t SettingsModel::*;

std::string_view withoutTrailingSpaces(std::string_view t) {
    if (t.size() % 2 != 0) {
        return t;
    }
    while (t.size() >= 2 && t[t.size() - 2] == '\x81' && t[t.size() - 1] == '\x40') {
        t.remove_suffix(2);
    }
    return t;
}

std::string pageValue(std::int32_t page) {
    if (page == kPagePas) {
        return "PAS";
    }
    if (page == kPageNoEntry) {
        return "---";
    }
    std::string n = std::to_string(page + 1);
    return n.size() < 3 ? std::string(3 - n.size(), '0') + n : n;
}

// "{G:v}" with v the value the model keeps, as the settings file and the
// titles text form write it.
std::string glyphShown(std::uint16_t unit) {
    return "{G:" + std::to_string(unit) + "}";
}

std::string twoDigits(std::int32_t v) {
    return v >= 0 && v < 10 ? "0" + std::to_string(v) : std::to_string(v);
}

class Differ {
  public:
    Differ(const SettingsModel& a, const SettingsModel& b, Product p, const SjisToUtf8& conv)
        : a_(a), b_(b), p_(p), conv_(conv) {}

    std::vector<SettingsDifference> out;

    void add(std::string item, std::string from, std::string to) {
        out.push_back({std::move(item), std::move(from), std::move(to)});
    }

    void number(std::string_view name, Scalar f) {
        if (a_.*f != b_.*f) {
            add(std::string(name), std::to_string(a_.*f), std::to_string(b_.*f));
        }
    }

    // Model F: every line; model S: the per-page value held in line 0.
    void perLine(std::string_view name, Table f) {
        const std::size_t lines = p_ == Product::F ? kLines : 1;
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            for (std::size_t l = 0; l < lines; ++l) {
                const std::int32_t x = (a_.*f)[pg][l];
                const std::int32_t y = (b_.*f)[pg][l];
                if (x != y) {
                    add(where(pg, l) + std::string(name), std::to_string(x), std::to_string(y));
                }
            }
        }
    }

    void perPage(std::string_view name, PageTable f) {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            if ((a_.*f)[pg] != (b_.*f)[pg]) {
                add("page " + std::to_string(pg + 1) + " " + std::string(name),
                    std::to_string((a_.*f)[pg]), std::to_string((b_.*f)[pg]));
            }
        }
    }

    void titles() {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            if (p_ == Product::S) {
                title(where(pg, 0), a_.titlePageText[pg].view(), b_.titlePageText[pg].view());
                continue;
            }
            for (std::size_t l = 0; l < kLines; ++l) {
                title(where(pg, l), a_.titleText[pg][l].view(), b_.titleText[pg][l].view());
            }
        }
    }

    void schedule() {
        for (std::size_t d = 0; d < kDays; ++d) {
            for (std::size_t e = 0; e < kScheduleEntries; ++e) {
                const std::string x = entry(a_, d, e);
                const std::string y = entry(b_, d, e);
                if (x != y) {
                    add("schedule day " + std::to_string(d + 1) + " entry " + std::to_string(e + 1),
                        x, y);
                }
            }
        }
    }

    void connectorPages() {
        for (std::size_t i = 0; i < kConnectorInputs; ++i) {
            if (a_.connectorPages[i] != b_.connectorPages[i]) {
                add("connector No." + std::to_string(i + 1) + " page",
                    pageValue(a_.connectorPages[i]), pageValue(b_.connectorPages[i]));
            }
        }
    }

    void powerOnPage() {
        if (a_.powerOnPage != b_.powerOnPage) {
            add("power-on page", pageValue(a_.powerOnPage), pageValue(b_.powerOnPage));
        }
    }

    void holdTime() {
        if (a_.alarmHoldTime != b_.alarmHoldTime) {
            add("alarm hold time", a_.alarmHoldTime, b_.alarmHoldTime);
        }
    }

    void eraseTimePerPage() {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            if (a_.eraseTime[pg][0] != b_.eraseTime[pg][0]) {
                add("page " + std::to_string(pg + 1) + " erase time",
                    std::to_string(a_.eraseTime[pg][0]), std::to_string(b_.eraseTime[pg][0]));
            }
        }
    }

  private:
    // "page 12 line 3 " (model F) or "page 12 " (model S).
    std::string where(std::size_t pg, std::size_t l) const {
        std::string s = "page " + std::to_string(pg + 1) + " ";
        if (p_ == Product::F) {
            s += "line " + std::to_string(l + 1) + " ";
        }
        return s;
    }

    void title(std::string prefix, std::string_view x, std::string_view y) {
        x = withoutTrailingSpaces(x);
        y = withoutTrailingSpaces(y);
        if (x != y) {
            add(prefix + "title", shown(x), shown(y));
        }
    }

    std::string shown(std::string_view t) const {
        std::string s = "「";
        std::size_t run = 0; // start of the pending Shift-JIS run
        std::size_t i = 0;
        for (; i + 1 < t.size(); i += 2) {
            const auto unit = static_cast<std::uint16_t>(static_cast<std::uint8_t>(t[i]) << 8 |
                                                         static_cast<std::uint8_t>(t[i + 1]));
            if (isGlyphUnit(unit)) {
                s += conv_(t.substr(run, i - run));
                s += glyphShown(unit);
                run = i + 2;
            }
        }
        s += conv_(t.substr(run));
        return s + "」";
    }

    static std::string entry(const SettingsModel& m, std::size_t d, std::size_t e) {
        const std::int32_t page = m.schedulePage[d][e];
        return twoDigits(m.scheduleHour[d][e]) + ":" + twoDigits(m.scheduleMinute[d][e]) +
               (page == kPagePas || page == kPageNoEntry ? " " : " page ") + pageValue(page);
    }

    const SettingsModel& a_;
    const SettingsModel& b_;
    Product p_;
    const SjisToUtf8& conv_;
};

bool sameTitlePage(const SettingsModel& a, const SettingsModel& b, Product p, int page) {
    const auto pg = static_cast<std::size_t>(page);
    return p == Product::F ? a.titleText[pg] == b.titleText[pg]
                           : a.titlePageText[pg] == b.titlePageText[pg];
}

bool sameStep(const RunStep& a, const RunStep& b) {
    return a.kind == b.kind && a.line == b.line;
}

} // namespace

std::string differenceLine(const SettingsDifference& d) {
    return d.item + ": " + d.from + " -> " + d.to;
}

std::vector<SettingsDifference> compareSettings(const SettingsModel& from, const SettingsModel& to,
                                                Product p, const SjisToUtf8& sjisToUtf8) {
    Differ d(from, to, p, sjisToUtf8);
    const bool f = p == Product::F;
    d.number("date/time display", &SettingsModel::dateTimeDisplay);
    d.number("date/time range", &SettingsModel::dateTimeRange);
    d.number("date/time size", &SettingsModel::dateTimeSize);
    d.titles();
    d.perLine("character size", &SettingsModel::charSize);
    d.perLine(f ? "line spacing" : "vertical offset", &SettingsModel::lineSpacing);
    d.perLine("blink", &SettingsModel::blink);
    d.perPage(f ? "switching time" : "automatic switching", &SettingsModel::autoSwitchTime);
    d.perLine("character colour", &SettingsModel::charColour);
    d.perLine("outline colour", &SettingsModel::outlineColour);
    d.perLine("background fill", &SettingsModel::backgroundFill);
    d.perPage("white level", &SettingsModel::whiteLevel);
    d.perPage("black level", &SettingsModel::blackLevel);
    d.perPage("title position", &SettingsModel::titlePosition);
    d.schedule();
    d.number("alarm mode", &SettingsModel::alarmMode);
    d.number("alarm polarity", &SettingsModel::alarmPolarity);
    d.number("alarm return", &SettingsModel::alarmReturn);
    d.number("alarm display", &SettingsModel::alarmDisplay);
    d.holdTime();
    d.connectorPages();
    d.number("remote mode", &SettingsModel::remoteMode);
    d.number("connector input", &SettingsModel::connectorInput);
    d.powerOnPage();
    d.number("video loss", &SettingsModel::videoLossBlue);
    d.number("spare setting 1", &SettingsModel::spareSetting1);
    d.number("spare setting 2", &SettingsModel::spareSetting2);
    d.number("device subnet class", &SettingsModel::deviceSubnetClass);
    d.number("device connection try", &SettingsModel::deviceConnectionTry);
    d.number("device keep-alive", &SettingsModel::deviceKeepAlive);
    d.number("device time register", &SettingsModel::deviceTimeRegister);
    if (f) {
        d.perLine("horizontal offset", &SettingsModel::horizontalOffset);
        d.perLine("centering", &SettingsModel::centering);
        d.perLine("erase time", &SettingsModel::eraseTime);
    } else {
        d.eraseTimePerPage();
    }
    d.perLine("font type", &SettingsModel::fontType);
    return std::move(d.out);
}

std::vector<int> changedSendSteps(const SettingsModel& from, const SettingsModel& to, Product p) {
    std::vector<int> steps;
    const int total = traits(p).readAllSteps;
    for (int s = 1; s <= total; ++s) {
        // A title command is made from its page's text alone: equal text
        // spares encoding the page twice.
        if (s <= static_cast<int>(kPages) && sameTitlePage(from, to, p, s - 1)) {
            continue;
        }
        if (!sameStep(sendAllStep(from, p, s), sendAllStep(to, p, s))) {
            steps.push_back(s);
        }
    }
    return steps;
}

std::vector<int> stepsToPerform(const std::vector<int>& chosen, Product p) {
    if (chosen.empty()) {
        return {};
    }
    std::vector<int> steps = chosen;
    const int last = chosen.back();
    // Both tables change pace at the same steps.
    for (int s = 1; s < last; ++s) {
        if (readAllStep(p, s).kind == RunStep::Kind::Pace) {
            steps.push_back(s);
        }
    }
    if (last > versionReadStep(p)) {
        steps.push_back(versionReadStep(p));
    }
    std::sort(steps.begin(), steps.end());
    steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
    return steps;
}

std::vector<int> readBackSteps(const std::vector<int>& sentSteps, Product p) {
    std::vector<int> reads;
    for (int s : sentSteps) {
        if (s == versionReadStep(p) || readAllStep(p, s).kind != RunStep::Kind::Send) {
            continue;
        }
        if (p == Product::F && s >= 3074 && s <= 3585) {
            reads.push_back(s + 512); // centering: sent before, read after the offsets
        } else if (p == Product::F && s >= 3586 && s <= 4097) {
            reads.push_back(s - 512);
        } else if (p == Product::S && s == 1081) {
            for (int r = 1081; r <= 1592; ++r) { // one font command, read page by page
                reads.push_back(r);
            }
        } else {
            reads.push_back(s);
        }
    }
    std::sort(reads.begin(), reads.end());
    reads.erase(std::unique(reads.begin(), reads.end()), reads.end());
    return reads;
}

} // namespace tlx
