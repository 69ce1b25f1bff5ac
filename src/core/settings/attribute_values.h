#pragma once

#include "base/product.h"
#include "settings/settings_model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tlx {

// The items of an attribute's list boxes: fixed texts, or the numbers
// 0..count-1 written with a fixed number of digits. The item's index is the
// value kept in the model.
struct ValueList {
    std::span<const std::string_view> texts; // empty: numeric
    int count = 0;
    int digits = 0;

    constexpr int size() const { return texts.empty() ? count : static_cast<int>(texts.size()); }
    constexpr bool contains(std::int32_t v) const { return v >= 0 && v < size(); }
    std::string item(int index) const;
};

constexpr ValueList textList(std::span<const std::string_view> texts) {
    return ValueList{texts, 0, 0};
}
constexpr ValueList numberList(int count, int digits) {
    return ValueList{{}, count, digits};
}

// How one value is written into a command: a letter or a word per list
// index, or the value (plus a bias) in fixed-width decimal.
struct WireField {
    enum class Kind { Letters, Words, Digits };
    Kind kind = Kind::Digits;
    std::string_view letters;
    std::span<const std::string_view> words;
    int digits = 0;
    int bias = 0;

    constexpr int width() const {
        switch (kind) {
        case Kind::Letters:
            return 1;
        case Kind::Words:
            return words.empty() ? 0 : static_cast<int>(words[0].size());
        case Kind::Digits:
            return digits;
        }
        return 0;
    }
};

constexpr WireField letterField(std::string_view letters) {
    return WireField{WireField::Kind::Letters, letters, {}, 0, 0};
}
constexpr WireField wordField(std::span<const std::string_view> words) {
    return WireField{WireField::Kind::Words, {}, words, 0, 0};
}
constexpr WireField digitField(int digits, int bias = 0) {
    return WireField{WireField::Kind::Digits, {}, {}, digits, bias};
}

// Writes the field of value over out[pos, pos + width). A value that has no
// letter or word leaves what is there (the command's literal), so a value the
// list does not know goes out as the device last had it in the template.
// Numbers go out as they are, even outside the list.
void writeField(std::string& out, std::size_t pos, const WireField& field, std::int32_t value);

// Writes a zero-padded decimal number over out[pos, pos + digits).
void writeNumber(std::string& out, std::size_t pos, int digits, int value);

// Where a dialog keeps its values in the model: a per-line table, or a
// per-page table. A per-page dialog over a per-line table uses line 0 (model S
// keeps its per-page values there).
struct TableRef {
    PerLine<std::int32_t> SettingsModel::*lines = nullptr;
    PerPage<std::int32_t> SettingsModel::*pages = nullptr;
};

std::int32_t& cell(SettingsModel& m, const TableRef& t, std::size_t page, std::size_t line = 0);
std::int32_t cell(const SettingsModel& m, const TableRef& t, std::size_t page,
                  std::size_t line = 0);

// A text drawn on a preview frame at (x, y), in the frame's pixels.
struct PreviewText {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const PreviewText&) const = default;
};

// How a value reads in a preview: the number written in its digits (even
// outside the list), or the list text (or its own preview text), else
// nothing. suffix follows the value (" 秒").
struct ValueLook {
    std::span<const std::string_view> texts; // replaces the list texts when given
    std::string_view suffix;
};
std::string previewValue(const ValueList& list, const ValueLook& look, std::int32_t value);

// The shared lists.
inline constexpr std::array<std::string_view, 2> kOffOnTexts{"OFF", "ON "};
inline constexpr std::array<std::string_view, 2> kOffOnWords{"OF", "ON"};
inline constexpr std::string_view kOffOnLetters = "FN";
inline constexpr std::array<std::string_view, 4> kCharSizeTexts{"E-LARGE ", "LARGE   ", "MEDIUM  ",
                                                                "SMALL   "};
inline constexpr std::string_view kCharSizeLetters = "ELMS";
inline constexpr std::array<std::string_view, 2> kFontTexts{"ゴシック体", "明朝体　　"};
inline constexpr std::string_view kFontLetters = "GM";
inline constexpr std::array<std::string_view, 9> kColourTexts{
    "黒", "赤", "緑", "黄", "青", "マゼンタ", "シアン", "白", "ブランク"};
// Padded with full-width spaces to five characters, so that the two columns
// of the preview line up.
inline constexpr std::array<std::string_view, 9> kColourPreviewTexts{
    "黒　　　　", "赤　　　　", "緑　　　　", "黄　　　　", "青　　　　",
    "マゼンタ　", "シアン　　", "白　　　　", "ブランク　"};
inline constexpr std::string_view kColourHeader = "文字色　　縁取り色";

} // namespace tlx
