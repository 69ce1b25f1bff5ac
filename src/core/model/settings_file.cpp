#include "model/settings_file.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace tlx {

namespace {

// The values a field can hold: the codes of its choices, and for fields that
// travel as decimal digits every value those digits can carry. A number
// outside it in a file is damage and keeps the field's value.
struct Range {
    std::int32_t min;
    std::int32_t max;
};

constexpr Range kBit{0, 1};
constexpr Range kDigit{0, 9};
constexpr Range kTwoDigits{0, 99};
constexpr Range kThreeDigits{0, 999};
constexpr Range kDigitMinusOne{-1, 8};
constexpr Range kAny{std::numeric_limits<std::int32_t>::min(),
                     std::numeric_limits<std::int32_t>::max()};

constexpr char kEscapeNul = 0x14;
constexpr char kEscapeLf = 0x15;
constexpr char kEscapeCr = 0x16;

// The one description of the file's field order, walked by the writer and the
// reader alike so that the two cannot drift apart.
template <typename Model, typename Visitor> void visitLayout(Model& m, Product p, Visitor& v) {
    auto perLine = [&](auto& table, Range r) {
        for (auto& page : table) {
            for (auto& cell : page) {
                v.number(cell, r);
            }
        }
    };
    auto perPage = [&](auto& table, Range r) {
        for (auto& cell : table) {
            v.number(cell, r);
        }
    };

    v.number(m.dateTimeDisplay, kBit);
    v.number(m.dateTimeRange, kDigitMinusOne);
    v.number(m.dateTimeSize, kBit);
    if (p == Product::F) {
        for (auto& page : m.titleText) {
            for (auto& line : page) {
                v.title(line);
            }
        }
    } else {
        for (auto& page : m.titlePageText) {
            v.title(page);
        }
    }
    perLine(m.charSize, Range{0, 3});
    perLine(m.lineSpacing, kTwoDigits);
    perLine(m.blink, kBit);
    perPage(m.autoSwitchTime, kTwoDigits);
    perLine(m.charColour, kDigit);
    perLine(m.outlineColour, kDigit);
    perLine(m.backgroundFill, kBit);
    perPage(m.whiteLevel, kDigit);
    perPage(m.blackLevel, kDigit);
    perPage(m.titlePosition, kBit);
    perLine(m.scheduleHour, kTwoDigits);
    perLine(m.scheduleMinute, kTwoDigits);
    perLine(m.schedulePage, Range{0, kPageNoEntry});
    v.number(m.alarmMode, kBit);
    v.number(m.alarmPolarity, kBit);
    v.number(m.alarmReturn, kBit);
    v.number(m.alarmDisplay, kBit);
    v.text(m.alarmHoldTime, 3);
    perPage(m.connectorPages, Range{0, static_cast<std::int32_t>(kPages) - 1});
    v.number(m.remoteMode, Range{0, 2});
    v.number(m.connectorInput, kBit);
    v.number(m.powerOnPage, Range{0, kPagePas});
    v.number(m.videoLossBlue, kBit);
    v.number(m.spareSetting1, kAny);
    v.number(m.spareSetting2, kAny);
    v.number(m.deviceSubnetClass, Range{0, 2});
    v.number(m.deviceConnectionTry, kBit);
    v.number(m.deviceKeepAlive, kBit);
    v.number(m.deviceTimeRegister, kDigitMinusOne);
    if (p == Product::F) {
        perLine(m.horizontalOffset, kTwoDigits);
        perLine(m.centering, Range{0, 2});
        perLine(m.eraseTime, kThreeDigits);
        perLine(m.fontType, kBit);
    } else {
        for (auto& page : m.eraseTime) {
            v.number(page[0], kThreeDigits);
        }
        perLine(m.fontType, kBit);
    }
}

bool isLineBreak(char c) {
    return c == '\n' || c == '\r';
}

struct Writer {
    std::string& out;

    void endLine() { out.append("\r\n", 2); }

    void number(const std::int32_t& value, Range) {
        std::array<char, 16> buf{};
        const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value);
        out.append(buf.data(), r.ptr);
        endLine();
    }

    template <std::size_t N> void title(const FixedText<N>& text) {
        const std::size_t before = out.size();
        appendTitleLine(out, text.view());
        if (out.size() == before) {
            out.push_back('s');
        }
        endLine();
    }

    void text(const std::string& value, std::size_t maxBytes) {
        for (std::size_t i = 0; i < value.size() && i < maxBytes && !isLineBreak(value[i]); ++i) {
            out.push_back(value[i]);
        }
        endLine();
    }

    static void appendTitleLine(std::string& out, std::string_view text) {
        std::size_t i = 0;
        for (; i + 1 < text.size(); i += 2) {
            const auto b0 = static_cast<std::uint8_t>(text[i]);
            const auto b1 = static_cast<std::uint8_t>(text[i + 1]);
            const auto unit = static_cast<std::uint16_t>((b0 << 8) | b1);
            if (unit == 0) {
                return; // the stored form of an undecodable code: the text ends here
            }
            const bool breaksLine = isLineBreak(text[i]) || isLineBreak(text[i + 1]);
            if (unit <= 0x1339 && (b1 == 0x00 || b1 == 0x0A || b1 == 0x0D) &&
                !isLineBreak(text[i])) {
                out.push_back(b1 == 0x00 ? kEscapeNul : b1 == 0x0A ? kEscapeLf : kEscapeCr);
                out.push_back(text[i]);
            } else if (breaksLine) {
                // No glyph has such a code (they come only from a damaged
                // reply); a full-width space keeps the file's lines aligned.
                out.append("\x81\x40", 2);
            } else {
                out.append(text.data() + i, 2);
            }
        }
        if (i < text.size() && !isLineBreak(text[i])) {
            out.push_back(text[i]);
        }
    }
};

struct Reader {
    std::string_view rest;
    SettingsReadResult result;
    std::string scratch;

    // The next line without its line end, cut at its first CR; nothing at the
    // end of the file.
    bool nextLine(std::string_view& line) {
        if (rest.empty()) {
            return false;
        }
        const auto lf = rest.find('\n');
        line = rest.substr(0, lf);
        rest = lf == std::string_view::npos ? std::string_view{} : rest.substr(lf + 1);
        const auto cr = line.find('\r');
        if (cr != std::string_view::npos) {
            line = line.substr(0, cr);
        }
        ++result.linesUsed;
        return true;
    }

    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

    // A whole line of optional blanks, an optional sign and decimal digits,
    // within int32: what "%d" writes. Anything else is not a number.
    static bool parseNumber(std::string_view s, std::int32_t& value) {
        while (!s.empty() && isBlank(s.front())) {
            s.remove_prefix(1);
        }
        while (!s.empty() && isBlank(s.back())) {
            s.remove_suffix(1);
        }
        if (!s.empty() && s.front() == '+') {
            s.remove_prefix(1);
            if (!s.empty() && s.front() == '-') {
                return false;
            }
        }
        if (s.empty()) {
            return false;
        }
        std::int32_t v = 0;
        const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        if (r.ec != std::errc{} || r.ptr != s.data() + s.size()) {
            return false;
        }
        value = v;
        return true;
    }

    void number(std::int32_t& cell, Range range) {
        std::string_view line;
        if (!nextLine(line)) {
            return;
        }
        std::int32_t v = 0;
        if (parseNumber(line, v) && v >= range.min && v <= range.max) {
            cell = v;
        } else {
            ++result.linesRejected;
        }
    }

    template <std::size_t N> void title(FixedText<N>& slot) {
        std::string_view line;
        if (!nextLine(line) || line == "s") {
            slot.clear();
            return;
        }
        decodeTitleInto(line, scratch);
        slot.assign(scratch);
    }

    void text(std::string& value, std::size_t maxBytes) {
        std::string_view line;
        if (nextLine(line)) {
            value.assign(line.substr(0, maxBytes));
        }
    }

    static void decodeTitleInto(std::string_view line, std::string& out) {
        out.clear();
        std::size_t i = 0;
        for (; i + 1 < line.size(); i += 2) {
            char u0 = line[i];
            char u1 = line[i + 1];
            if (u0 == kEscapeNul || u0 == kEscapeLf || u0 == kEscapeCr) {
                const char second = u0 == kEscapeNul ? '\x00' : u0 == kEscapeLf ? '\x0A' : '\x0D';
                const auto unit = static_cast<std::uint16_t>((static_cast<std::uint8_t>(u1) << 8) |
                                                             static_cast<std::uint8_t>(second));
                // Only glyph units are ever escaped; other bytes stay as they are.
                if (unit <= 0x1339) {
                    u0 = u1;
                    u1 = second;
                }
            }
            if (u0 == '\0' && u1 == '\0') {
                return; // the unit 0x0000 ends a title
            }
            out.push_back(u0);
            out.push_back(u1);
        }
        if (i < line.size()) {
            out.push_back(line[i]);
        }
    }
};

} // namespace

std::string writeSettingsFile(const SettingsModel& model, Product product) {
    std::string out;
    out.reserve(product == Product::F ? 512u * 1024u : 384u * 1024u);
    Writer w{out};
    visitLayout(model, product, w);
    return out;
}

SettingsReadResult readSettingsFile(std::string_view bytes, SettingsModel& model, Product product) {
    Reader r{bytes, {}, {}};
    r.result.linesExpected = static_cast<std::size_t>(traits(product).settingsFileLines);
    r.scratch.reserve(kTitlePageBytes + 2);
    visitLayout(model, product, r);
    r.result.extraLines = !r.rest.empty();
    return r.result;
}

std::string encodeTitleLine(std::string_view text) {
    std::string out;
    Writer::appendTitleLine(out, text);
    return out;
}

std::string decodeTitleLine(std::string_view line) {
    std::string out;
    Reader::decodeTitleInto(line, out);
    return out;
}

} // namespace tlx
