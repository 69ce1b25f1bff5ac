#include "runs/settings_compare.h"

#include "runs/read_all_steps.h"
#include "runs/send_all_steps.h"
#include "settings/title_code.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

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

// An item's name in both wordings; each "#" takes a number in turn.
struct Words {
    std::string_view english;
    std::string_view japanese;
};

// Every name the comparison gives, in the settings file's order. The
// Japanese ones are the labels of the dialogs that set each item.
constexpr Words kDateTimeDisplay{"date/time display", "日付＆時刻 表示"};
constexpr Words kDateTimeRange{"date/time range", "日付＆時刻 表示範囲"};
constexpr Words kDateTimeSize{"date/time size", "日付＆時刻 表示サイズ"};
constexpr Words kPageLine{"page # line # ", "ページ# 行# "};
constexpr Words kPage{"page # ", "ページ# "};
constexpr Words kTitle{"title", "タイトル"};
constexpr Words kCharSize{"character size", "文字サイズ"};
constexpr Words kLineSpacing{"line spacing", "行間"};
constexpr Words kVerticalOffset{"vertical offset", "垂直方向のオフセット"};
constexpr Words kBlink{"blink", "点滅"};
constexpr Words kSwitchingTime{"switching time", "自動切換え時間"};
constexpr Words kAutoSwitching{"automatic switching", "自動切換え"};
constexpr Words kCharColour{"character colour", "文字色"};
constexpr Words kOutlineColour{"outline colour", "縁取り色"};
constexpr Words kBackgroundFill{"background fill", "背景色ベタ塗り"};
constexpr Words kWhiteLevel{"white level", "白レベル"};
constexpr Words kBlackLevel{"black level", "黒レベル"};
constexpr Words kTitlePosition{"title position", "ポジション"};
constexpr Words kScheduleEntry{"schedule day # entry #", "スケジュール #日目 #番"};
constexpr Words kSchedulePage{"page ", "ページ"};
constexpr Words kAlarmMode{"alarm mode", "アラーム モード"};
constexpr Words kAlarmPolarity{"alarm polarity", "アラーム 入力極性"};
constexpr Words kAlarmReturn{"alarm return", "アラーム リターン"};
constexpr Words kAlarmDisplay{"alarm display", "アラーム 表示"};
constexpr Words kAlarmHoldTime{"alarm hold time", "アラーム 保持時間"};
constexpr Words kConnectorPage{"connector No.# page", "コネクター番号割り付け No.#"};
constexpr Words kRemoteMode{"remote mode", "リモート モード"};
constexpr Words kConnectorInput{"connector input", "コネクター入力"};
constexpr Words kPowerOnPage{"power-on page", "電源投入時ページ"};
constexpr Words kVideoLoss{"video loss", "ビデオロス背景色"};
constexpr Words kSpare1{"spare setting 1", "予備設定 1"};
constexpr Words kSpare2{"spare setting 2", "予備設定 2"};
constexpr Words kSubnetClass{"device subnet class", "プロトコル Subnet Mask"};
constexpr Words kConnectionTry{"device connection try", "プロトコル Connection Try"};
constexpr Words kKeepAlive{"device keep-alive", "プロトコル Keep Alive"};
constexpr Words kTimeRegister{"device time register", "プロトコル Time Register"};
constexpr Words kHorizontalOffset{"horizontal offset", "水平方向のオフセット"};
constexpr Words kCentering{"centering", "センタリング"};
constexpr Words kEraseTime{"erase time", "消去時間"};
constexpr Words kFontType{"font type", "フォント種類"};
constexpr Words kDifferences{"# differences", "違いのある項目: # 件"};

std::string_view pick(const Words& words, Wording w) {
    return w == Wording::English ? words.english : words.japanese;
}

// The words with each "#" replaced by the next number.
std::string filled(std::string_view words, std::initializer_list<std::size_t> numbers) {
    std::string s;
    auto n = numbers.begin();
    for (char c : words) {
        if (c == '#' && n != numbers.end()) {
            s += std::to_string(*n++);
        } else {
            s += c;
        }
    }
    return s;
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
    Differ(const SettingsModel& a, const SettingsModel& b, Product p, const SjisToUtf8& conv,
           Wording w)
        : a_(a), b_(b), p_(p), conv_(conv), w_(w) {}

    std::vector<SettingsDifference> out;

    void add(std::string item, std::string from, std::string to) {
        out.push_back({std::move(item), std::move(from), std::move(to)});
    }

    void number(const Words& name, Scalar f) {
        if (a_.*f != b_.*f) {
            add(std::string(word(name)), std::to_string(a_.*f), std::to_string(b_.*f));
        }
    }

    // Model F: every line; model S: the per-page value held in line 0.
    void perLine(const Words& name, Table f) {
        const std::size_t lines = p_ == Product::F ? kLines : 1;
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            for (std::size_t l = 0; l < lines; ++l) {
                const std::int32_t x = (a_.*f)[pg][l];
                const std::int32_t y = (b_.*f)[pg][l];
                if (x != y) {
                    add(where(pg, l) + std::string(word(name)), std::to_string(x),
                        std::to_string(y));
                }
            }
        }
    }

    void perPage(const Words& name, PageTable f) {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            if ((a_.*f)[pg] != (b_.*f)[pg]) {
                add(onPage(pg) + std::string(word(name)), std::to_string((a_.*f)[pg]),
                    std::to_string((b_.*f)[pg]));
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
                    add(filled(word(kScheduleEntry), {d + 1, e + 1}), x, y);
                }
            }
        }
    }

    void connectorPages() {
        for (std::size_t i = 0; i < kConnectorInputs; ++i) {
            if (a_.connectorPages[i] != b_.connectorPages[i]) {
                add(filled(word(kConnectorPage), {i + 1}), pageValue(a_.connectorPages[i]),
                    pageValue(b_.connectorPages[i]));
            }
        }
    }

    void powerOnPage() {
        if (a_.powerOnPage != b_.powerOnPage) {
            add(std::string(word(kPowerOnPage)), pageValue(a_.powerOnPage),
                pageValue(b_.powerOnPage));
        }
    }

    void holdTime() {
        if (a_.alarmHoldTime != b_.alarmHoldTime) {
            add(std::string(word(kAlarmHoldTime)), a_.alarmHoldTime, b_.alarmHoldTime);
        }
    }

    void eraseTimePerPage() {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            if (a_.eraseTime[pg][0] != b_.eraseTime[pg][0]) {
                add(onPage(pg) + std::string(word(kEraseTime)),
                    std::to_string(a_.eraseTime[pg][0]), std::to_string(b_.eraseTime[pg][0]));
            }
        }
    }

  private:
    std::string_view word(const Words& words) const { return pick(words, w_); }

    std::string onPage(std::size_t pg) const { return filled(word(kPage), {pg + 1}); }

    // "page 12 line 3 " (model F) or "page 12 " (model S).
    std::string where(std::size_t pg, std::size_t l) const {
        return p_ == Product::F ? filled(word(kPageLine), {pg + 1, l + 1}) : onPage(pg);
    }

    void title(const std::string& prefix, std::string_view x, std::string_view y) {
        x = withoutTrailingSpaces(x);
        y = withoutTrailingSpaces(y);
        if (x != y) {
            add(prefix + std::string(word(kTitle)), shown(x), shown(y));
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

    std::string entry(const SettingsModel& m, std::size_t d, std::size_t e) const {
        const std::int32_t page = m.schedulePage[d][e];
        const bool noPage = page == kPagePas || page == kPageNoEntry;
        return twoDigits(m.scheduleHour[d][e]) + ":" + twoDigits(m.scheduleMinute[d][e]) + " " +
               (noPage ? std::string() : std::string(word(kSchedulePage))) + pageValue(page);
    }

    const SettingsModel& a_;
    const SettingsModel& b_;
    Product p_;
    const SjisToUtf8& conv_;
    Wording w_;
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

std::string differenceCount(std::size_t count, Wording w) {
    return filled(pick(kDifferences, w), {count});
}

std::vector<SettingsDifference> compareSettings(const SettingsModel& from, const SettingsModel& to,
                                                Product p, const SjisToUtf8& sjisToUtf8,
                                                Wording w) {
    Differ d(from, to, p, sjisToUtf8, w);
    const bool f = p == Product::F;
    d.number(kDateTimeDisplay, &SettingsModel::dateTimeDisplay);
    d.number(kDateTimeRange, &SettingsModel::dateTimeRange);
    d.number(kDateTimeSize, &SettingsModel::dateTimeSize);
    d.titles();
    d.perLine(kCharSize, &SettingsModel::charSize);
    d.perLine(f ? kLineSpacing : kVerticalOffset, &SettingsModel::lineSpacing);
    d.perLine(kBlink, &SettingsModel::blink);
    d.perPage(f ? kSwitchingTime : kAutoSwitching, &SettingsModel::autoSwitchTime);
    d.perLine(kCharColour, &SettingsModel::charColour);
    d.perLine(kOutlineColour, &SettingsModel::outlineColour);
    d.perLine(kBackgroundFill, &SettingsModel::backgroundFill);
    d.perPage(kWhiteLevel, &SettingsModel::whiteLevel);
    d.perPage(kBlackLevel, &SettingsModel::blackLevel);
    d.perPage(kTitlePosition, &SettingsModel::titlePosition);
    d.schedule();
    d.number(kAlarmMode, &SettingsModel::alarmMode);
    d.number(kAlarmPolarity, &SettingsModel::alarmPolarity);
    d.number(kAlarmReturn, &SettingsModel::alarmReturn);
    d.number(kAlarmDisplay, &SettingsModel::alarmDisplay);
    d.holdTime();
    d.connectorPages();
    d.number(kRemoteMode, &SettingsModel::remoteMode);
    d.number(kConnectorInput, &SettingsModel::connectorInput);
    d.powerOnPage();
    d.number(kVideoLoss, &SettingsModel::videoLossBlue);
    d.number(kSpare1, &SettingsModel::spareSetting1);
    d.number(kSpare2, &SettingsModel::spareSetting2);
    d.number(kSubnetClass, &SettingsModel::deviceSubnetClass);
    d.number(kConnectionTry, &SettingsModel::deviceConnectionTry);
    d.number(kKeepAlive, &SettingsModel::deviceKeepAlive);
    d.number(kTimeRegister, &SettingsModel::deviceTimeRegister);
    if (f) {
        d.perLine(kHorizontalOffset, &SettingsModel::horizontalOffset);
        d.perLine(kCentering, &SettingsModel::centering);
        d.perLine(kEraseTime, &SettingsModel::eraseTime);
    } else {
        d.eraseTimePerPage();
    }
    d.perLine(kFontType, &SettingsModel::fontType);
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
