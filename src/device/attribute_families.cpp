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

constexpr std::array<AttributeFamily, 23> kFamilies{{
    // Model F: set line by line.
    {"CABC", Product::F, kPerLine, &M::charColour, &M::outlineColour, nullptr, nullptr, kColours,
     kColours},
    {"CBS", Product::F, kPerLine, &M::blink, nullptr, nullptr, nullptr, kOnOffWord, kOnOffLetter},
    {"CFS", Product::F, kPerLine, &M::charSize, nullptr, nullptr, nullptr, kSizeLetter,
     kSizeLetter},
    {"CFT", Product::F, kPerLine, &M::fontType, nullptr, nullptr, nullptr, kFontLetter,
     kFontLetter},
    {"FB", Product::F, kPerLine, &M::backgroundFill, nullptr, nullptr, nullptr, kOnOffWord,
     kOnOffLetter},
    {"IDLS", Product::F, kPerLine, &M::lineSpacing, nullptr, nullptr, nullptr, number(2, 0, 63),
     number(2, 0, 63)},
    {"IDOH", Product::F, kPerLine, &M::horizontalOffset, nullptr, nullptr, nullptr,
     number(2, 0, 38), number(2, 0, 38)},
    {"IDP", Product::F, kPerLine, &M::centering, nullptr, nullptr, nullptr, kAlignLetter,
     kAlignLetter},
    {"IDRT", Product::F, kPerLine, &M::eraseTime, nullptr, nullptr, nullptr, kEraseTime,
     kEraseTime},
    // Model F: one value per page.
    {"PAST", Product::F, kPerPage, nullptr, nullptr, &M::autoSwitchTime, nullptr, number(2, 0, 99),
     number(2, 0, 99)},
    {"CL", Product::F, kPerPage, nullptr, nullptr, &M::whiteLevel, &M::blackLevel, kLevels,
     kLevels},
    // Model S: one value per page, kept in line 0 of the per-line tables or in
    // the per-page tables.
    {"CABC", Product::S, kPerPage, &M::charColour, &M::outlineColour, nullptr, nullptr, kColours,
     kColours},
    {"CBS", Product::S, kPerPage, &M::blink, nullptr, nullptr, nullptr, kOnOffWord, kOnOffLetter},
    {"CFS", Product::S, kPerPage, &M::charSize, nullptr, nullptr, nullptr, kSizeLetter,
     kSizeLetter},
    {"FB", Product::S, kPerPage, &M::backgroundFill, nullptr, nullptr, nullptr, kOnOffWord,
     kOnOffLetter},
    {"IDO", Product::S, kPerPage, &M::lineSpacing, nullptr, nullptr, nullptr, number(2, 0, 15),
     number(2, 0, 15)},
    {"IDP", Product::S, kPerPage, nullptr, nullptr, &M::titlePosition, nullptr, words("TB", 1),
     words("TB", 1)},
    {"ISS", Product::S, kPerPage, nullptr, nullptr, &M::scrollSpeed, nullptr, number(1, 0, 3, 1),
     number(1, 0, 3, 1)},
    {"PAS", Product::S, kPerPage, nullptr, nullptr, &M::autoSwitchTime, nullptr, words("SL", 1),
     words("SL", 1)},
    {"CFT", Product::S, kPageForm | kAllPagesForm | kReadPage, &M::fontType, nullptr, nullptr,
     nullptr, kFontLetter, kFontLetter},
    {"IDRT", Product::S, kPageForm | kReadPage, &M::eraseTime, nullptr, nullptr, nullptr,
     kEraseTime, kEraseTime},
    {"CL", Product::S, kPerPage, nullptr, nullptr, &M::whiteLevel, &M::blackLevel, kLevels,
     kLevels},
    // Model S keeps the per-line spacing table; its line 0 is the vertical
    // offset above.
    {"IDLS", Product::S, kPerLine, &M::lineSpacing, nullptr, nullptr, nullptr, number(2, 0, 63),
     number(2, 0, 63)},
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
