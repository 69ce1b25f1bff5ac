#include "settings/settings_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

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

// "-2147483648": the longest "%d" of a 32-bit number.
constexpr std::size_t kNumberChars = 11;

constexpr char kEscapeNul = 0x14;
constexpr char kEscapeLf = 0x15;
constexpr char kEscapeCr = 0x16;

// The one description of the file's field order, walked by the writer and the
// reader alike so that the two cannot drift apart.
template <typename Model, typename Visitor> void visitLayout(Model& m, Product p, Visitor& v) {
    // Past the titles, a visitor that has nothing more to give may stop:
    // the remaining fields would keep their values anyway.
    auto perLine = [&](auto& table, Range r) {
        if (v.finished()) {
            return;
        }
        for (auto& page : table) {
            v.numbers(page, r);
        }
    };
    auto perPage = [&](auto& table, Range r) {
        if (v.finished()) {
            return;
        }
        v.numbers(table, r);
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

// Writes into a buffer sized beforehand for the longest possible file, so
// that no value needs a capacity check of its own.
struct Writer {
    char* p;

    static bool finished() { return false; }

    void endLine() {
        *p++ = '\r';
        *p++ = '\n';
    }

    void number(const std::int32_t& value, Range) {
        p = std::to_chars(p, p + kNumberChars, value).ptr;
        endLine();
    }

    template <typename Cells> void numbers(const Cells& cells, Range r) {
        for (const auto& cell : cells) {
            number(cell, r);
        }
    }

    template <std::size_t N> void title(const FixedText<N>& text) {
        char* start = p;
        p = encodeTitle(text.view(), p);
        if (p == start) {
            *p++ = 's';
        }
        endLine();
    }

    void text(const std::string& value, std::size_t maxBytes) {
        for (std::size_t i = 0; i < value.size() && i < maxBytes && !isLineBreak(value[i]); ++i) {
            *p++ = value[i];
        }
        endLine();
    }

    // Never writes more bytes than the text has.
    static char* encodeTitle(std::string_view text, char* out) {
        std::size_t i = 0;
        for (; i + 1 < text.size(); i += 2) {
            const auto b0 = static_cast<std::uint8_t>(text[i]);
            const auto b1 = static_cast<std::uint8_t>(text[i + 1]);
            const auto unit = static_cast<std::uint16_t>((b0 << 8) | b1);
            if (unit == 0) {
                return out; // the stored form of an undecodable code: the text ends here
            }
            if (unit <= 0x1339 && (b1 == 0x00 || b1 == 0x0A || b1 == 0x0D) &&
                !isLineBreak(text[i])) {
                *out++ = b1 == 0x00 ? kEscapeNul : b1 == 0x0A ? kEscapeLf : kEscapeCr;
                *out++ = text[i];
            } else if (isLineBreak(text[i]) || isLineBreak(text[i + 1])) {
                // No glyph has such a code (they come only from a damaged
                // reply); a full-width space keeps the file's lines aligned.
                *out++ = '\x81';
                *out++ = '\x40';
            } else {
                *out++ = text[i];
                *out++ = text[i + 1];
            }
        }
        if (i < text.size() && !isLineBreak(text[i])) {
            *out++ = text[i];
        }
        return out;
    }
};

struct Reader {
    std::string_view rest;
    SettingsReadResult result;
    std::string scratch;

    bool finished() const { return rest.empty(); }

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

    // The common line, as the writer makes it: an optional minus, up to ten
    // digits and a line end. Gives the same answer as the general path; it
    // only spares the search for the line's end. With 16 bytes left every
    // look ahead stays inside the text. Nothing when the line needs the
    // general path.
    std::optional<std::int64_t> plainNumberLine() {
        if (rest.size() < 16) {
            return std::nullopt;
        }
        const char* q = rest.data();
        const bool negative = *q == '-';
        q += negative ? 1 : 0;
        const char* first = q;
        std::int64_t v = 0;
        while (static_cast<unsigned char>(*q - '0') < 10) {
            v = v * 10 + (*q - '0');
            if (++q - first > 10) {
                return std::nullopt;
            }
        }
        if (q == first) {
            return std::nullopt;
        }
        if (*q == '\n') {
            ++q;
        } else if (*q == '\r' && q[1] == '\n') {
            q += 2;
        } else {
            return std::nullopt;
        }
        rest.remove_prefix(static_cast<std::size_t>(q - rest.data()));
        ++result.linesUsed;
        return negative ? -v : v;
    }

    void rejected(std::size_t line, Range range) {
        if (result.linesRejected++ == 0) {
            result.firstRejectedLine = line;
            result.rejectedMin = range.min;
            result.rejectedMax = range.max;
        }
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

    // A run of number fields. The one-digit lines that make up most of a
    // file are taken in a tight loop; any other line goes through number().
    template <typename Cells> void numbers(Cells& cells, Range range) {
        const char* q = rest.data();
        const char* const end = q + rest.size();
        std::size_t used = 0;
        for (auto& cell : cells) {
            const auto digit = end - q >= 3 ? static_cast<unsigned char>(q[0] - '0') : 10;
            if (digit < 10 && q[1] == '\r' && q[2] == '\n') {
                q += 3;
                ++used;
                if (digit >= range.min && digit <= range.max) {
                    cell = digit;
                } else {
                    rejected(result.linesUsed + used, range);
                }
                continue;
            }
            rest = std::string_view(q, static_cast<std::size_t>(end - q));
            number(cell, range);
            q = rest.empty() ? end : rest.data(); // an empty view may hold no pointer
        }
        rest = std::string_view(q, static_cast<std::size_t>(end - q));
        result.linesUsed += used;
    }

    void number(std::int32_t& cell, Range range) {
        if (rest.empty()) {
            return;
        }
        if (const auto plain = plainNumberLine()) {
            if (*plain >= range.min && *plain <= range.max) {
                cell = static_cast<std::int32_t>(*plain);
            } else {
                rejected(result.linesUsed, range);
            }
            return;
        }
        std::string_view line;
        nextLine(line);
        std::int32_t v = 0;
        if (parseNumber(line, v) && v >= range.min && v <= range.max) {
            cell = v;
        } else {
            rejected(result.linesUsed, range);
        }
    }

    // Where the first byte below 0x17 (a line end, an escape or a NUL) lies,
    // or the text's size. Shift-JIS text has no such byte, so a title line is
    // plain up to its line end exactly when this finds the line end.
    static std::size_t firstControlByte(std::string_view s) {
        constexpr std::uint64_t kOnes = 0x0101010101010101u;
        constexpr std::uint64_t kHighs = 0x8080808080808080u;
        std::size_t i = 0;
        for (; i + 8 <= s.size(); i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, s.data() + i, 8);
            // Non-zero exactly when some byte of the word is below 0x17.
            if (((word - kOnes * 0x17) & ~word & kHighs) != 0) {
                break;
            }
        }
        for (; i < s.size(); ++i) {
            if (static_cast<std::uint8_t>(s[i]) < 0x17) {
                return i;
            }
        }
        return s.size();
    }

    template <std::size_t N> void title(FixedText<N>& slot) {
        if (rest.empty()) {
            slot.clear();
            return;
        }
        std::string_view line;
        const std::size_t stop = firstControlByte(rest);
        if (stop == rest.size()) {
            line = rest;
            rest = {};
            ++result.linesUsed;
        } else if (rest[stop] == '\n') {
            line = rest.substr(0, stop);
            rest.remove_prefix(stop + 1);
            ++result.linesUsed;
        } else if (rest[stop] == '\r' && stop + 1 < rest.size() && rest[stop + 1] == '\n') {
            line = rest.substr(0, stop);
            rest.remove_prefix(stop + 2);
            ++result.linesUsed;
        } else {
            nextLine(line);
            decodeTitleInto(line, scratch);
            line = scratch;
        }
        if (line == "s") {
            slot.clear();
        } else {
            slot.assign(line);
        }
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
    const auto& t = traits(product);
    const std::size_t titleBytes =
        product == Product::F ? kPages * kLines * kTitleLineBytes : kPages * kTitlePageBytes;
    const std::size_t bound =
        static_cast<std::size_t>(t.settingsFileLines) * (kNumberChars + 2) + titleBytes;
    std::string out(bound, '\0');
    Writer w{out.data()};
    visitLayout(model, product, w);
    out.resize(static_cast<std::size_t>(w.p - out.data()));
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
    std::string out(text.size(), '\0');
    out.resize(static_cast<std::size_t>(Writer::encodeTitle(text, out.data()) - out.data()));
    return out;
}

std::string decodeTitleLine(std::string_view line) {
    std::string out;
    Reader::decodeTitleInto(line, out);
    return out;
}

namespace {

std::size_t lineCount(std::string_view bytes) {
    const auto lf = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return lf + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

} // namespace

std::string describeSettingsFileProblem(const SettingsReadResult& r, std::string_view bytes, Product p) {
    const auto& mine = traits(p);
    const auto& other = traits(p == Product::F ? Product::S : Product::F);
    const std::size_t lines = lineCount(bytes);
    const std::string expected = std::to_string(r.linesExpected);
    if (lines == static_cast<std::size_t>(other.settingsFileLines)) {
        return "its " + std::to_string(lines) + " lines make a model " + other.letter +
               " settings file (a model " + mine.letter + " file has " + expected +
               "); choose the model with --model";
    }
    if (r.firstRejectedLine > 0) {
        return "line " + std::to_string(r.firstRejectedLine) + " is not a number from " +
               std::to_string(r.rejectedMin) + " to " + std::to_string(r.rejectedMax) +
               (r.linesRejected > 1 ? " (" + std::to_string(r.linesRejected) + " such lines)"
                                    : std::string());
    }
    if (!r.complete()) {
        return "it ends after line " + std::to_string(lines) + "; a complete file has " +
               expected + " lines";
    }
    return "line " + std::to_string(r.linesExpected + 1) + " is one too many; a complete file has " +
           expected + " lines";
}

} // namespace tlx
