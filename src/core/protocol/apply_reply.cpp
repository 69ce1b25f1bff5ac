#include "protocol/apply_reply.h"

#include <array>
#include <cstdint>

#include "base/codecs.h"
#include "protocol/app_state.h"
#include "settings/title_code.h"

namespace tlx {

namespace {

std::string_view body(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
    }
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

// A 1-based page number field as an index, or -1 when outside 1..512.
int pageIndexAt(std::string_view b, std::size_t pos) {
    const int n = decode3(b, pos);
    return (n >= 1 && n <= static_cast<int>(kPages)) ? n - 1 : -1;
}

using LetterMap = std::int32_t (*)(char);

std::int32_t offIfF(char c) { return c == 'F' ? 0 : 1; }
std::int32_t charSizeOf(char c) {
    switch (c) {
    case 'E':
        return 0;
    case 'L':
        return 1;
    case 'M':
        return 2;
    default:
        return 3;
    }
}
std::int32_t gothicIfG(char c) { return c == 'G' ? 0 : 1; }

struct Handler {
    SettingsModel& m;
    Product product;
    std::string_view b;

    bool has(std::size_t n) const { return b.size() >= n; }

    // ppp at pagePos, then ten letters from pos into one page of a per-line table.
    void tenLetters(PerLine<std::int32_t>& table, std::size_t pagePos, std::size_t pos,
                    LetterMap map) {
        const int p = pageIndexAt(b, pagePos);
        if (!has(pos + kLines) || p < 0) {
            return;
        }
        for (std::size_t l = 0; l < kLines; ++l) {
            table[static_cast<std::size_t>(p)][l] = map(b[pos + l]);
        }
    }

    // 512 letters from pos into line 0 of every page (model S per-page values).
    void pageLetters(PerLine<std::int32_t>& table, std::size_t pos, LetterMap map) {
        if (!has(pos + kPages)) {
            return;
        }
        for (std::size_t p = 0; p < kPages; ++p) {
            table[p][0] = map(b[pos + p]);
        }
    }

    void tenNumbers(PerLine<std::int32_t>& table, std::size_t width) {
        const int p = pageIndexAt(b, 4);
        if (!has(7 + width * kLines) || p < 0) {
            return;
        }
        for (std::size_t l = 0; l < kLines; ++l) {
            const std::size_t at = 7 + width * l;
            table[static_cast<std::size_t>(p)][l] = width == 2 ? decode2(b, at) : decode3(b, at);
        }
    }

    void connectorPages(std::size_t pos) {
        if (!has(pos + 3 * kConnectorInputs)) {
            return;
        }
        std::array<std::int32_t, kConnectorInputs> pages{};
        for (std::size_t i = 0; i < kConnectorInputs; ++i) {
            pages[i] = pageIndexAt(b, pos + 3 * i);
            if (pages[i] < 0) {
                return;
            }
        }
        m.connectorPages = pages;
    }

    void address(Ipv4& out) {
        if (!has(18)) {
            return;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            out[i] = static_cast<std::uint8_t>(decode3(b, 3 + 4 * i) & 0xFF);
        }
    }

    void letter(std::int32_t& field, std::size_t pos, LetterMap map) {
        if (has(pos + 1)) {
            field = map(b[pos]);
        }
    }

    // The choice digit at pos, minus 1: kept only when a list has an entry
    // for it, so that its dialog can show it and its button send it.
    void choiceDigit(std::int32_t& field, std::size_t pos, int entries) {
        if (!has(pos + 1)) {
            return;
        }
        const int v = decodeDigit(b, pos) - 1;
        if (v >= 0 && v < entries) {
            field = v;
        }
    }

    void text(std::string& field, std::size_t pos, std::size_t n) {
        if (has(pos + n)) {
            field.assign(b.substr(pos, n));
        }
    }

    void schedule() {
        if (!has(4 + 7 * kScheduleEntries)) {
            return;
        }
        const int day = decode2(b, 2);
        if (day < 1 || day > static_cast<int>(kDays)) {
            return;
        }
        std::array<std::int32_t, kScheduleEntries> pages{};
        for (std::size_t e = 0; e < kScheduleEntries; ++e) {
            const std::size_t at = 4 + 7 * e + 4;
            if (b[at] == 'P') {
                pages[e] = kPagePas;
            } else {
                const int n = decode3(b, at);
                if (n > static_cast<int>(kPages)) {
                    return;
                }
                pages[e] = n == 0 ? kPageNoEntry : n - 1;
            }
        }
        const auto d = static_cast<std::size_t>(day - 1);
        for (std::size_t e = 0; e < kScheduleEntries; ++e) {
            m.scheduleHour[d][e] = decode2(b, 4 + 7 * e);
            m.scheduleMinute[d][e] = decode2(b, 4 + 7 * e + 2);
            m.schedulePage[d][e] = pages[e];
        }
    }

    void title() {
        const int p = pageIndexAt(b, 2);
        if (p < 0 || !has(5 + 1120)) {
            return;
        }
        char bytes[560];
        const std::size_t n = decodeTitlePage(b, bytes);
        const auto page = static_cast<std::size_t>(p);
        if (product == Product::S) {
            m.titlePageText[page].assign(textUntilNulUnit({bytes, n}));
            return;
        }
        for (std::size_t l = 0; l < kLines; ++l) {
            const std::size_t from = kTitleLineBytes * l;
            const std::string_view block =
                from < n ? std::string_view(bytes + from, std::min(kTitleLineBytes, n - from))
                         : std::string_view{};
            m.titleText[page][l].assign(textUntilNulUnit(block));
        }
    }

    // Only a whole 0x0000 unit ends a title's text; a NUL byte inside a glyph
    // unit is data.
    static std::string_view textUntilNulUnit(std::string_view units) {
        for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
            if (units[i] == '\0' && units[i + 1] == '\0') {
                return units.substr(0, i);
            }
        }
        return units;
    }

    void version() {
        if (!has(6)) {
            return;
        }
        m.firmwareVersion.assign(b.substr(2, 4));
        if (b[2] == '1') {
            const auto& t = traits(product);
            m.busyStep = b[4] == '2' ? t.readAllSteps : t.busyStepPastEnd;
        }
    }

    void apply(Reply kind);
    void applyModelS(Reply kind);
};

void Handler::apply(Reply kind) {
    if (product == Product::S) {
        switch (kind) {
        case Reply::CABC:
        case Reply::CBS:
        case Reply::CFS:
        case Reply::CFT:
        case Reply::FB:
        case Reply::IDO:
        case Reply::IDP:
        case Reply::IDRT:
        case Reply::ISS:
        case Reply::PAS:
            applyModelS(kind);
            return;
        case Reply::IDOH:
        case Reply::PAST:
            return;
        default:
            break;
        }
    }
    switch (kind) {
    case Reply::ACA:
    case Reply::RCA:
        connectorPages(3);
        break;
    case Reply::ADO:
        letter(m.alarmDisplay, 3, offIfF);
        break;
    case Reply::ADT:
        if (has(6)) {
            m.alarmHoldTime.assign(b.substr(3, 3));
        }
        break;
    case Reply::AM:
        letter(m.alarmMode, 2, [](char c) { return c == 'I' ? 0 : 1; });
        break;
    case Reply::AP:
        letter(m.alarmPolarity, 2, [](char c) { return c == 'M' ? 0 : 1; });
        break;
    case Reply::ARO:
        letter(m.alarmReturn, 3, offIfF);
        break;
    case Reply::CABC: {
        const int p = pageIndexAt(b, 4);
        if (!has(7 + 2 * kLines) || p < 0) {
            break;
        }
        for (std::size_t l = 0; l < kLines; ++l) {
            m.charColour[static_cast<std::size_t>(p)][l] = decodeDigit(b, 7 + 2 * l);
            m.outlineColour[static_cast<std::size_t>(p)][l] = decodeDigit(b, 8 + 2 * l);
        }
        break;
    }
    case Reply::CA:
        title();
        break;
    case Reply::CBS:
        tenLetters(m.blink, 3, 6, offIfF);
        break;
    case Reply::CFS:
        tenLetters(m.charSize, 3, 6, charSizeOf);
        break;
    case Reply::CFT:
        tenLetters(m.fontType, 3, 6, gothicIfG);
        break;
    case Reply::CI:
        letter(m.connectorInput, 2, [](char c) { return c == 'A' ? 0 : 1; });
        break;
    case Reply::CL:
        if (has(2 + 2 * kPages)) {
            for (std::size_t p = 0; p < kPages; ++p) {
                m.whiteLevel[p] = decodeDigit(b, 2 + 2 * p);
                m.blackLevel[p] = decodeDigit(b, 3 + 2 * p);
            }
        }
        break;
    case Reply::FB:
        tenLetters(m.backgroundFill, 2, 5, offIfF);
        break;
    case Reply::IDLS:
        tenNumbers(m.lineSpacing, 2);
        break;
    case Reply::IDP: {
        const int p = pageIndexAt(b, 3);
        if (!has(6 + kLines) || p < 0) {
            break;
        }
        for (std::size_t l = 0; l < kLines; ++l) {
            const char c = b[6 + l];
            auto& cell = m.centering[static_cast<std::size_t>(p)][l];
            cell = c == 'L' ? 0 : c == 'C' ? 1 : c == 'R' ? 2 : cell;
        }
        break;
    }
    case Reply::IDOH:
        tenNumbers(m.horizontalOffset, 2);
        break;
    case Reply::IDRT:
        tenNumbers(m.eraseTime, 3);
        break;
    case Reply::PAST:
        if (has(4 + 2 * kPages)) {
            for (std::size_t p = 0; p < kPages; ++p) {
                m.autoSwitchTime[p] = decode2(b, 4 + 2 * p);
            }
        }
        break;
    case Reply::POSP:
        if (b.starts_with("POSPAS")) {
            m.powerOnPage = kPagePas;
        } else if (has(7) && pageIndexAt(b, 4) >= 0) {
            m.powerOnPage = pageIndexAt(b, 4);
        }
        break;
    case Reply::RM:
        letter(m.remoteMode, 4, [](char c) { return c == 'N' ? 0 : c == 'T' ? 1 : 2; });
        break;
    case Reply::SD:
        schedule();
        break;
    case Reply::TSDO:
        letter(m.dateTimeDisplay, 4, offIfF);
        break;
    case Reply::TSDR:
        choiceDigit(m.dateTimeRange, 4, kDateTimeRangeCount);
        break;
    case Reply::TSDS:
        letter(m.dateTimeSize, 4, [](char c) { return c == 'L' ? 0 : 1; });
        break;
    case Reply::VLBC:
        letter(m.videoLossBlue, 4, [](char c) { return c == 'B' ? 1 : 0; });
        break;
    case Reply::VN:
        version();
        break;
    case Reply::EAA:
        address(m.deviceActiveAddress);
        break;
    case Reply::EGA:
        address(m.deviceGatewayAddress);
        break;
    case Reply::EIA:
        address(m.deviceIpAddress);
        break;
    case Reply::EMA:
        text(m.deviceMacAddress, 3, 17);
        break;
    case Reply::ESM:
        // Only the classes the subnet list offers; another letter would
        // leave the list blank and go back to the device as a wrong class.
        if (has(4) && b[3] >= 'A' && b[3] - 'A' < kSubnetClassCount) {
            m.deviceSubnetClass = b[3] - 'A';
        }
        break;
    case Reply::EPN:
        text(m.devicePortNumber, 3, 5);
        break;
    case Reply::ECT:
        letter(m.deviceConnectionTry, 4, offIfF);
        break;
    case Reply::EKA:
        letter(m.deviceKeepAlive, 4, offIfF);
        break;
    case Reply::ETR:
        choiceDigit(m.deviceTimeRegister, 3, kTimeRegisterCount);
        break;
    default:
        break;
    }
}

void Handler::applyModelS(Reply kind) {
    switch (kind) {
    case Reply::CABC:
        if (has(4 + 2 * kPages)) {
            for (std::size_t p = 0; p < kPages; ++p) {
                m.charColour[p][0] = decodeDigit(b, 4 + 2 * p);
                m.outlineColour[p][0] = decodeDigit(b, 5 + 2 * p);
            }
        }
        break;
    case Reply::CBS:
        pageLetters(m.blink, 3, offIfF);
        break;
    case Reply::CFS:
        pageLetters(m.charSize, 3, charSizeOf);
        break;
    case Reply::CFT: {
        const int p = pageIndexAt(b, 3);
        if (has(7) && p >= 0) {
            m.fontType[static_cast<std::size_t>(p)][0] = gothicIfG(b[6]);
        }
        break;
    }
    case Reply::FB:
        pageLetters(m.backgroundFill, 2, offIfF);
        break;
    case Reply::IDO:
        if (has(3 + 2 * kPages)) {
            for (std::size_t p = 0; p < kPages; ++p) {
                m.lineSpacing[p][0] = decode2(b, 3 + 2 * p);
            }
        }
        break;
    case Reply::IDP:
        if (has(3 + kPages)) {
            for (std::size_t p = 0; p < kPages; ++p) {
                m.titlePosition[p] = b[3 + p] == 'T' ? 0 : 1;
            }
        }
        break;
    case Reply::IDRT: {
        const int p = pageIndexAt(b, 4);
        if (has(10) && p >= 0) {
            m.eraseTime[static_cast<std::size_t>(p)][0] = decode3(b, 7);
        }
        break;
    }
    case Reply::ISS:
        // A page whose digit no speed of the list stands for keeps its value.
        if (has(3 + kPages)) {
            for (std::size_t p = 0; p < kPages; ++p) {
                const int v = decodeDigit(b, 3 + p) - 1;
                if (v >= 0 && v < kScrollSpeedCount) {
                    m.scrollSpeed[p] = v;
                }
            }
        }
        break;
    case Reply::PAS:
        if (has(3 + kPages)) {
            for (std::size_t p = 0; p < kPages; ++p) {
                m.autoSwitchTime[p] = b[3 + p] == 'S' ? 0 : 1;
            }
        }
        break;
    default:
        break;
    }
}

} // namespace

std::size_t decodeTitlePage(std::string_view line, char (&bytes)[560]) {
    constexpr std::size_t kCodes = 280;
    if (line.size() < 5 + 4 * kCodes) {
        return 0;
    }
    std::array<std::uint16_t, kCodes> wire{};
    for (std::size_t i = 0; i < kCodes; ++i) {
        const std::size_t at = 5 + 4 * i;
        wire[i] = static_cast<std::uint16_t>(decodeHexByte(line, at) << 8 | decodeHexByte(line, at + 2));
    }
    std::size_t count = kCodes;
    while (count > 0 && wire[count - 1] == kJisSpace) {
        --count;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t v = titleStoredValue(wire[i]);
        bytes[2 * i] = static_cast<char>(v >> 8);
        bytes[2 * i + 1] = static_cast<char>(v & 0xFF);
    }
    return 2 * count;
}

void applyReply(AppState& state, Reply kind, std::string_view line) {
    Handler h{state.model, state.product, body(line)};
    h.apply(kind);
}

void applyReply(AppState& state, std::string_view line) {
    applyReply(state, classifyReply(state.product, LinkKind::Serial, line), line);
}

bool applyGlyphReply(GlyphStore& store, LinkState& link, GlyphFace face, GlyphSize size,
                     std::string_view line) {
    const std::size_t start = face == GlyphFace::Gothic ? 8 : 9;
    const auto digits = static_cast<std::size_t>(glyphGeometry(size).digits);
    auto& table = store.table(face, size);
    std::string_view bitmap = line.size() > start ? line.substr(start) : std::string_view{};
    while (!bitmap.empty() && (bitmap.back() == '\n' || bitmap.back() == '\r')) {
        bitmap.remove_suffix(1);
    }
    link.glyphReplyWait = false;
    // A reply cut short is refused whole: half a glyph would be drawn one
    // way in the list and another in the editor. A list transfer asks for
    // the same glyph again.
    if (bitmap.size() < digits) {
        return false;
    }
    bitmap = bitmap.substr(0, digits);
    store.editBuffer.assign(bitmap);
    if (store.currentGlyph >= 0 && static_cast<std::size_t>(store.currentGlyph) < table.size()) {
        table[static_cast<std::size_t>(store.currentGlyph)].assign(bitmap);
    }
    if (link.glyphTransferBusy) {
        ++store.currentGlyph;
        return false;
    }
    return true;
}

} // namespace tlx
