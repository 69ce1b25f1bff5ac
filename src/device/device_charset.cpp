#include "device/device_charset.h"

#include <array>

namespace tlx::device {

namespace {

struct CodeRange {
    std::uint16_t first;
    std::uint16_t last;
};

// Assigned cells, in ascending order. Rows 16..84 hold the kanji of levels 1
// and 2; row 13 is the NEC special row, rows 89..92 the NEC-selected IBM
// extensions.
constexpr std::array<CodeRange, 24> kFontRanges{{
    {0x2121, 0x217E}, // row 1: punctuation and symbols
    {0x2221, 0x222E}, {0x223A, 0x2241}, {0x224A, 0x2250},
    {0x225C, 0x226A}, {0x2272, 0x2279}, {0x227E, 0x227E}, // row 2
    {0x2330, 0x2339}, {0x2341, 0x235A}, {0x2361, 0x237A}, // digits, Latin
    {0x2421, 0x2473},                                     // hiragana
    {0x2521, 0x2576},                                     // katakana
    {0x2621, 0x2638}, {0x2641, 0x2658},                   // Greek
    {0x2721, 0x2741}, {0x2751, 0x2771},                   // Cyrillic
    {0x2821, 0x2840},                                     // box drawing
    {0x2D21, 0x2D3E}, {0x2D40, 0x2D56}, {0x2D5F, 0x2D7C}, // NEC special row
    {0x3021, 0x4F53},                                     // level 1
    {0x5021, 0x7426},                                     // level 2
    {0x7921, 0x7C6E}, {0x7C71, 0x7C7E},                   // NEC-selected IBM rows
}};

bool bytesInJisRange(std::uint16_t code) {
    const int hi = code >> 8;
    const int lo = code & 0xFF;
    return hi >= 0x21 && hi <= 0x7E && lo >= 0x21 && lo <= 0x7E;
}

constexpr std::uint16_t kFirstGlyphCode = 0xA365;
constexpr int kGlyphRowBase = 0xA3;
constexpr int kGlyphIndexOffset = 68;
constexpr int kCellsPerRow = 94;

} // namespace

bool isFontCode(std::uint16_t jis) {
    if (!bytesInJisRange(jis)) {
        return false;
    }
    for (const auto& r : kFontRanges) {
        if (jis < r.first) {
            return false;
        }
        if (jis <= r.last) {
            return true;
        }
    }
    return false;
}

bool isGlyphAreaCode(std::uint16_t code) {
    const int row = code >> 8;
    const int cell = code & 0xFF;
    return row >= kGlyphRowBase && row <= kGlyphRowBase + 3 && cell >= 0x21 && cell <= 0x7E;
}

std::uint16_t codeOfGlyphIndex(int index) {
    const int n = index + kGlyphIndexOffset;
    return static_cast<std::uint16_t>(((kGlyphRowBase + n / kCellsPerRow) << 8) |
                                      (0x21 + n % kCellsPerRow));
}

std::optional<int> glyphIndexOfCode(std::uint16_t code) {
    if (code < kFirstGlyphCode) {
        return std::nullopt;
    }
    const int row = code >> 8;
    const int cell = code & 0xFF;
    if (cell < 0x21 || cell > 0x7E) {
        return std::nullopt;
    }
    const int index = (row - kGlyphRowBase) * kCellsPerRow + (cell - 0x21) - kGlyphIndexOffset;
    if (index < 0 || index >= kGlyphSlotsMax) {
        return std::nullopt;
    }
    return index;
}

std::uint16_t jisToSjis(std::uint16_t jis) {
    if (!bytesInJisRange(jis)) {
        return 0;
    }
    const int j1 = jis >> 8;
    const int j2 = jis & 0xFF;
    const int s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
    int s2 = 0;
    if ((j1 & 1) != 0) {
        s2 = j2 + (j2 >= 0x60 ? 0x20 : 0x1F);
    } else {
        s2 = j2 + 0x7E;
    }
    return static_cast<std::uint16_t>((s1 << 8) | s2);
}

std::uint16_t sjisToJis(std::uint16_t sjis) {
    const int s1 = sjis >> 8;
    const int s2 = sjis & 0xFF;
    const bool lead = (s1 >= 0x81 && s1 <= 0x9F) || (s1 >= 0xE0 && s1 <= 0xEF);
    const bool trail = (s2 >= 0x40 && s2 <= 0x7E) || (s2 >= 0x80 && s2 <= 0xFC);
    if (!lead || !trail) {
        return 0;
    }
    int j1 = (s1 - (s1 <= 0x9F ? 0x70 : 0xB0)) * 2;
    int j2 = 0;
    if (s2 < 0x9F) {
        j1 -= 1;
        j2 = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
    } else {
        j2 = s2 - 0x7E;
    }
    const auto jis = static_cast<std::uint16_t>((j1 << 8) | j2);
    return bytesInJisRange(jis) ? jis : 0;
}

std::uint16_t unitOfCode(std::uint16_t code) {
    if (isGlyphAreaCode(code)) {
        return static_cast<std::uint16_t>(code - kGlyphShift);
    }
    return jisToSjis(code);
}

std::uint16_t codeOfUnit(std::uint16_t unit) {
    if (unit <= kLastStoredGlyphUnit) {
        const auto code = static_cast<std::uint16_t>(unit + kGlyphShift);
        return isGlyphAreaCode(code) ? code : kJisFullWidthSpace;
    }
    const std::uint16_t jis = sjisToJis(unit);
    return isFontCode(jis) ? jis : kJisFullWidthSpace;
}

} // namespace tlx::device
