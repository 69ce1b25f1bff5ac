#include "device/seeded_state.h"

#include "device/attribute_families.h"
#include "device/choice_settings.h"
#include "device/device_charset.h"
#include "device/wire_fields.h"

#include <algorithm>
#include <array>

namespace tlx::device {

namespace {

// Glyph indexes whose stored units hold a 0x00, 0x0A or 0x0D byte: the ones
// that break naive text handling, so a seeded state carries them often.
constexpr std::array<int, 7> kAwkwardGlyphs{62, 72, 75, 156, 166, 169, 250};

std::uint16_t randomCharacter(SeedRandom& r) {
    for (;;) {
        std::uint16_t code = 0;
        switch (r.below(6)) {
        case 0: // hiragana
            code = static_cast<std::uint16_t>(0x2421 + r.below(0x53));
            break;
        case 1: // katakana
            code = static_cast<std::uint16_t>(0x2521 + r.below(0x56));
            break;
        case 2: { // full-width letters and digits
            const int k = r.below(62);
            code = static_cast<std::uint16_t>(
                k < 10 ? 0x2330 + k : (k < 36 ? 0x2341 + k - 10 : 0x2361 + k - 36));
            break;
        }
        case 3: // kanji, level 1
            code = static_cast<std::uint16_t>(((0x30 + r.below(0x20)) << 8) | (0x21 + r.below(94)));
            break;
        case 4: // kanji, level 2
            code = static_cast<std::uint16_t>(((0x50 + r.below(0x25)) << 8) | (0x21 + r.below(94)));
            break;
        default: { // user glyph
            const int index = r.chance(30) ? kAwkwardGlyphs[static_cast<std::size_t>(
                                                 r.below(static_cast<int>(kAwkwardGlyphs.size())))]
                                           : r.below(kGlyphSlotsMax);
            code = codeOfGlyphIndex(index);
            break;
        }
        }
        if (isTitleCode(code)) {
            return code;
        }
    }
}

std::string randomTitle(SeedRandom& r, int maxChars) {
    std::string bytes;
    if (r.chance(20)) {
        return bytes;
    }
    const int n = 1 + r.below(maxChars);
    for (int i = 0; i < n; ++i) {
        const std::uint16_t unit = unitOfCode(randomCharacter(r));
        bytes.push_back(static_cast<char>(unit >> 8));
        bytes.push_back(static_cast<char>(unit & 0xFF));
    }
    return bytes;
}

FieldValue randomValue(SeedRandom& r, const FieldCodec& c) {
    const int span = c.maxValue - c.minValue + 1;
    return {c.minValue + r.below(span), c.minValue + r.below(span)};
}

// Every stored cell of the model's attribute families, family by family,
// page by page, line by line.
template <typename Visit> void forEachAttributeCell(Product product, Visit visit) {
    for (const AttributeFamily& f : attributeFamilies()) {
        if (f.product != product) {
            continue;
        }
        const std::size_t lines = f.perLine() ? kLines : 1;
        for (std::size_t page = 0; page < kPages; ++page) {
            for (std::size_t line = 0; line < lines; ++line) {
                visit(f, page, line);
            }
        }
    }
}

void seedAttributes(SeedRandom& r, DeviceState& s) {
    forEachAttributeCell(s.product,
                         [&](const AttributeFamily& f, std::size_t page, std::size_t line) {
                             storeValue(s.model, f, page, line, randomValue(r, f.multi));
                         });
    if (s.product == Product::S) {
        // The vertical offset shares line 0 with the line spacing table.
        for (auto& page : s.model.lineSpacing) {
            page[0] = r.below(16);
        }
    } else {
        for (auto& position : s.model.titlePosition) {
            position = r.below(2);
        }
    }
}

std::string randomHex(SeedRandom& r, std::size_t n) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string text(n, '0');
    for (auto& c : text) {
        c = kHex[static_cast<std::size_t>(r.below(16))];
    }
    return text;
}

Ipv4 randomAddress(SeedRandom& r) {
    Ipv4 a{};
    for (auto& octet : a) {
        octet = static_cast<std::uint8_t>(r.below(256));
    }
    return a;
}

void text3(std::string& out, int value) {
    out.clear();
    putDigits(out, value, 3);
}

bool isDigits(std::string_view s, std::size_t n) {
    return s.size() == n &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::uint64_t SeedRandom::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int SeedRandom::below(int n) {
    return static_cast<int>((next() >> 11) % static_cast<std::uint64_t>(n));
}

void seedDeviceState(DeviceState& s, std::uint64_t seed) {
    SeedRandom r(seed);
    SettingsModel& m = s.model;

    for (std::size_t page = 0; page < kPages; ++page) {
        if (s.product == Product::S) {
            m.titlePageText[page].assign(randomTitle(r, 280));
        } else {
            for (std::size_t line = 0; line < kLines; ++line) {
                m.titleText[page][line].assign(randomTitle(r, 28));
            }
        }
    }
    seedAttributes(r, s);

    for (std::size_t day = 0; day < kDays; ++day) {
        for (std::size_t e = 0; e < kScheduleEntries; ++e) {
            m.scheduleHour[day][e] = r.below(24);
            m.scheduleMinute[day][e] = r.below(60);
            const int kind = r.below(4);
            m.schedulePage[day][e] =
                kind == 0 ? kPagePas : (kind == 1 ? kPageNoEntry : r.below(512));
        }
    }

    for (const ChoiceSetting& c : choiceSettings()) {
        m.*c.member = r.below(c.count());
    }
    text3(m.alarmHoldTime, 3 + r.below(997));
    for (auto& page : m.connectorPages) {
        page = r.below(512);
    }
    m.powerOnPage = r.below(513);

    m.deviceIpAddress = randomAddress(r);
    m.deviceGatewayAddress = randomAddress(r);
    m.deviceActiveAddress = randomAddress(r);
    m.deviceMacAddress.clear();
    for (int i = 0; i < 6; ++i) {
        if (i > 0) {
            m.deviceMacAddress.push_back('-');
        }
        m.deviceMacAddress += randomHex(r, 2);
    }
    m.devicePortNumber.clear();
    putDigits(m.devicePortNumber, 1024 + r.below(64512), 5);

    for (GlyphSize size : {GlyphSize::Large, GlyphSize::Medium, GlyphSize::Small}) {
        for (auto& glyph : s.glyphs.table(GlyphFace::Gothic, size)) {
            glyph = r.chance(10) ? std::string(glyph.size(), '0') : randomHex(r, glyph.size());
        }
    }

    s.clock = {r.below(100), 1 + r.below(12), 1 + r.below(28),
               r.below(24),  r.below(60),     r.below(60)};
    s.displayOn = r.chance(50);
    s.displayPage = r.below(513);
}

void normaliseDeviceState(DeviceState& s) {
    SettingsModel& m = s.model;
    forEachAttributeCell(
        s.product, [&](const AttributeFamily& f, std::size_t page, std::size_t line) {
            storeValue(m, f, page, line, clampValue(f.multi, loadValue(m, f, page, line)));
        });
    for (const ChoiceSetting& c : choiceSettings()) {
        m.*c.member = std::clamp(m.*c.member, 0, c.count() - 1);
    }
    if (!isDigits(m.alarmHoldTime, 3) || m.alarmHoldTime < "003") {
        m.alarmHoldTime = "010";
    }
    for (auto& page : m.connectorPages) {
        page = std::clamp(page, 0, 511);
    }
    if (m.powerOnPage < 0 || m.powerOnPage > kPagePas) {
        m.powerOnPage = 0;
    }
    for (std::size_t day = 0; day < kDays; ++day) {
        for (std::size_t e = 0; e < kScheduleEntries; ++e) {
            m.scheduleHour[day][e] = std::clamp(m.scheduleHour[day][e], 0, 23);
            m.scheduleMinute[day][e] = std::clamp(m.scheduleMinute[day][e], 0, 59);
            if (m.schedulePage[day][e] < 0 || m.schedulePage[day][e] > kPageNoEntry) {
                m.schedulePage[day][e] = kPageNoEntry;
            }
        }
    }
    if (!isDigits(m.devicePortNumber, 5)) {
        m.devicePortNumber = "09004";
    }
    if (m.deviceMacAddress.size() != 17) {
        m.deviceMacAddress = "00-00-00-00-00-00";
    }
}

} // namespace tlx::device
