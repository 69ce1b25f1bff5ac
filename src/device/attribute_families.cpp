#include "device/attribute_families.h"

#include "device/wire_fields.h"

#include <algorithm>
#include <array>

namespace tlx::device {

namespace {

constexpr FieldCodec words(std::string_view w, std::size_t width) {
    return {FieldKind::Words, width, w, 0, static_cast<int>(w.size() / width) - 1, 0};
}
constexpr FieldCodec number(std::size_t width, int lo, int hi, int offset = 0) {
    return {FieldKind::Number, width, {}, lo, hi, offset};
}
constexpr FieldCodec pair(int hi) {
    return {FieldKind::DigitPair, 2, {}, 0, hi, 0};
}

constexpr FieldCodec kOnOffWord = words("OFON", 2);
constexpr FieldCodec kOnOffLetter = words("FN", 1);
constexpr FieldCodec kSizeLetter = words("ELMS", 1);
constexpr FieldCodec kFontLetter = words("GM", 1);
constexpr FieldCodec kAlignLetter = words("LCR", 1);
constexpr FieldCodec kColours = pair(8);
constexpr FieldCodec kLevels = pair(4);
constexpr FieldCodec kEraseTime = number(3, 0, 240);

constexpr unsigned kPerLine = kLineForm | kPageLinesForm | kReadPageLines;
constexpr unsigned kPerPage = kPageForm | kAllPagesForm | kReadAllPages;

using M = SettingsModel;

// A row whose single and multi forms take the same field, kept in per-line
// tables (a per-page family of model S uses their line 0) ...
constexpr AttributeFamily inLines(std::string_view mnemonic, Product product, unsigned forms,
                                  FieldCodec codec, LineTable table, LineTable table2 = nullptr) {
    return {mnemonic, product, forms, table, table2, nullptr, nullptr, codec, codec};
}
// ... or in per-page tables.
constexpr AttributeFamily inPages(std::string_view mnemonic, Product product, unsigned forms,
                                  FieldCodec codec, PageTable table, PageTable table2 = nullptr) {
    return {mnemonic, product, forms, nullptr, nullptr, table, table2, codec, codec};
}
// An on/off row: "ON"/"OF" alone, "N"/"F" in a list.
constexpr AttributeFamily onOff(std::string_view mnemonic, Product product, LineTable table) {
    const unsigned forms = product == Product::F ? kPerLine : kPerPage;
    return {mnemonic, product, forms, table, nullptr, nullptr, nullptr, kOnOffWord, kOnOffLetter};
}

constexpr Product F = Product::F;
constexpr Product S = Product::S;

constexpr std::array<AttributeFamily, 23> kFamilies{{
    // Model F: set line by line.
    inLines("CABC", F, kPerLine, kColours, &M::charColour, &M::outlineColour),
    onOff("CBS", F, &M::blink),
    inLines("CFS", F, kPerLine, kSizeLetter, &M::charSize),
    inLines("CFT", F, kPerLine, kFontLetter, &M::fontType),
    onOff("FB", F, &M::backgroundFill),
    inLines("IDLS", F, kPerLine, number(2, 0, 63), &M::lineSpacing),
    inLines("IDOH", F, kPerLine, number(2, 0, 38), &M::horizontalOffset),
    inLines("IDP", F, kPerLine, kAlignLetter, &M::centering),
    inLines("IDRT", F, kPerLine, kEraseTime, &M::eraseTime),
    // Model F: one value per page.
    inPages("PAST", F, kPerPage, number(2, 0, 99), &M::autoSwitchTime),
    inPages("CL", F, kPerPage, kLevels, &M::whiteLevel, &M::blackLevel),
    // Model S: one value per page, kept in line 0 of the per-line tables or in
    // the per-page tables.
    inLines("CABC", S, kPerPage, kColours, &M::charColour, &M::outlineColour),
    onOff("CBS", S, &M::blink),
    inLines("CFS", S, kPerPage, kSizeLetter, &M::charSize),
    onOff("FB", S, &M::backgroundFill),
    inLines("IDO", S, kPerPage, number(2, 0, 15), &M::lineSpacing),
    inPages("IDP", S, kPerPage, words("TB", 1), &M::titlePosition),
    inPages("ISS", S, kPerPage, number(1, 0, 3, 1), &M::scrollSpeed),
    inPages("PAS", S, kPerPage, words("SL", 1), &M::autoSwitchTime),
    inLines("CFT", S, kPageForm | kAllPagesForm | kReadPage, kFontLetter, &M::fontType),
    inLines("IDRT", S, kPageForm | kReadPage, kEraseTime, &M::eraseTime),
    inPages("CL", S, kPerPage, kLevels, &M::whiteLevel, &M::blackLevel),
    // Model S keeps the per-line spacing table; its line 0 is the vertical
    // offset above.
    inLines("IDLS", S, kPerLine, number(2, 0, 63), &M::lineSpacing),
}};

} // namespace

std::span<const AttributeFamily> attributeFamilies() {
    return kFamilies;
}

bool decodeField(const FieldCodec& codec, std::string_view s, std::size_t pos, FieldValue& out) {
    if (pos > s.size() || s.size() - pos < codec.width) {
        return false;
    }
    switch (codec.kind) {
    case FieldKind::Words: {
        const std::string_view field = s.substr(pos, codec.width);
        for (std::size_t i = 0; i + codec.width <= codec.words.size(); i += codec.width) {
            if (codec.words.substr(i, codec.width) == field) {
                out.first = static_cast<int>(i / codec.width);
                return true;
            }
        }
        return false;
    }
    case FieldKind::Number: {
        const auto v = readNumber(s, pos, codec.width, codec.minValue + codec.wireOffset,
                                  codec.maxValue + codec.wireOffset);
        if (!v) {
            return false;
        }
        out.first = *v - codec.wireOffset;
        return true;
    }
    case FieldKind::DigitPair: {
        const auto a = readNumber(s, pos, 1, codec.minValue, codec.maxValue);
        const auto b = readNumber(s, pos + 1, 1, codec.minValue, codec.maxValue);
        if (!a || !b) {
            return false;
        }
        out.first = *a;
        out.second = *b;
        return true;
    }
    }
    return false;
}

FieldValue clampValue(const FieldCodec& codec, const FieldValue& value) {
    return {std::clamp(value.first, codec.minValue, codec.maxValue),
            std::clamp(value.second, codec.minValue, codec.maxValue)};
}

void encodeField(const FieldCodec& codec, const FieldValue& value, std::string& out) {
    const FieldValue v = clampValue(codec, value);
    switch (codec.kind) {
    case FieldKind::Words:
        out.append(
            codec.words.substr(static_cast<std::size_t>(v.first) * codec.width, codec.width));
        return;
    case FieldKind::Number:
        putDigits(out, v.first + codec.wireOffset, static_cast<int>(codec.width));
        return;
    case FieldKind::DigitPair:
        putDigits(out, v.first, 1);
        putDigits(out, v.second, 1);
        return;
    }
}

FieldValue loadValue(const SettingsModel& m, const AttributeFamily& f, std::size_t page,
                     std::size_t line) {
    FieldValue v;
    if (f.lineTable != nullptr) {
        v.first = (m.*f.lineTable)[page][line];
        if (f.lineTable2 != nullptr) {
            v.second = (m.*f.lineTable2)[page][line];
        }
    } else {
        v.first = (m.*f.pageTable)[page];
        if (f.pageTable2 != nullptr) {
            v.second = (m.*f.pageTable2)[page];
        }
    }
    return v;
}

void storeValue(SettingsModel& m, const AttributeFamily& f, std::size_t page, std::size_t line,
                const FieldValue& value) {
    if (f.lineTable != nullptr) {
        (m.*f.lineTable)[page][line] = value.first;
        if (f.lineTable2 != nullptr) {
            (m.*f.lineTable2)[page][line] = value.second;
        }
    } else {
        (m.*f.pageTable)[page] = value.first;
        if (f.pageTable2 != nullptr) {
            (m.*f.pageTable2)[page] = value.second;
        }
    }
}

} // namespace tlx::device
