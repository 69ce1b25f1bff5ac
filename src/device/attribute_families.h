#pragma once

#include "base/product.h"
#include "settings/settings_model.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tlx::device {

// One display attribute as the device takes it on the wire. Every title
// attribute of both models is a row of one table; the parser, the reply
// formatter, the seeded state and the state check all walk the same rows.

enum class FieldKind : std::uint8_t {
    Words,     // one fixed-width word per stored value 0, 1, ...
    Number,    // decimal digits; wire value = stored value + wireOffset
    DigitPair, // two one-digit values (colour and outline, white and black)
};

struct FieldCodec {
    FieldKind kind = FieldKind::Number;
    std::size_t width = 1;  // characters of one field
    std::string_view words; // Words: the words of values 0, 1, ... run together
    int minValue = 0;       // Number, DigitPair: stored range
    int maxValue = 0;
    int wireOffset = 0; // Number only
};

// Which command shapes a family accepts (mn = mnemonic, ppp = page, ll = line).
enum FamilyForm : unsigned {
    kLineForm = 1u << 0,      // mn ppp "L" ll <single>
    kPageLinesForm = 1u << 1, // mn ppp <multi> x 10 lines
    kReadPageLines = 1u << 2, // "R" mn ppp  ->  mn ppp <multi> x 10
    kPageForm = 1u << 3,      // mn ppp <single>
    kAllPagesForm = 1u << 4,  // mn <multi> x 512 pages
    kReadAllPages = 1u << 5,  // "R" mn  ->  mn <multi> x 512
    kReadPage = 1u << 6,      // "R" mn ppp  ->  mn ppp <single>
};

using LineTable = PerLine<std::int32_t> SettingsModel::*;
using PageTable = PerPage<std::int32_t> SettingsModel::*;

struct AttributeFamily {
    std::string_view mnemonic;
    Product product;
    unsigned forms;
    // Where the value lives: a per-line table (for a per-page family its
    // line 0 holds the page's value) or a per-page table. The second table
    // takes the second digit of a DigitPair.
    LineTable lineTable = nullptr;
    LineTable lineTable2 = nullptr;
    PageTable pageTable = nullptr;
    PageTable pageTable2 = nullptr;
    FieldCodec single; // line form, or page form
    FieldCodec multi;  // each value of a ten-line or all-pages form

    bool perLine() const { return (forms & (kLineForm | kPageLinesForm)) != 0; }
};

struct FieldValue {
    int first = 0;
    int second = 0;
};

std::span<const AttributeFamily> attributeFamilies();

// Parses one field; nothing unless the characters are exactly a valid value.
bool decodeField(const FieldCodec& codec, std::string_view s, std::size_t pos, FieldValue& out);
// Appends one field; values outside the codec's range are clamped into it.
void encodeField(const FieldCodec& codec, const FieldValue& value, std::string& out);

FieldValue loadValue(const SettingsModel& m, const AttributeFamily& f, std::size_t page,
                     std::size_t line);
void storeValue(SettingsModel& m, const AttributeFamily& f, std::size_t page, std::size_t line,
                const FieldValue& value);

// Clamps a value into the range the codec can express.
FieldValue clampValue(const FieldCodec& codec, const FieldValue& value);

} // namespace tlx::device
