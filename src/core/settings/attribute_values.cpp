#include "settings/attribute_values.h"

namespace tlx {

namespace {

int powerOfTen(int digits) {
    int p = 1;
    for (int i = 0; i < digits; ++i) {
        p *= 10;
    }
    return p;
}

} // namespace

std::string ValueList::item(int index) const {
    if (!texts.empty()) {
        return contains(index) ? std::string(texts[static_cast<std::size_t>(index)])
                               : std::string();
    }
    std::string out(static_cast<std::size_t>(digits), '0');
    writeNumber(out, 0, digits, index);
    return out;
}

void writeNumber(std::string& out, std::size_t pos, int digits, int value) {
    const int range = powerOfTen(digits);
    int v = value % range;
    if (v < 0) {
        v += range;
    }
    for (int i = digits - 1; i >= 0; --i) {
        const std::size_t at = pos + static_cast<std::size_t>(i);
        if (at < out.size()) {
            out[at] = static_cast<char>('0' + v % 10);
        }
        v /= 10;
    }
}

void writeField(std::string& out, std::size_t pos, const WireField& field, std::int32_t value) {
    switch (field.kind) {
    case WireField::Kind::Letters:
        if (value >= 0 && static_cast<std::size_t>(value) < field.letters.size() &&
            pos < out.size()) {
            out[pos] = field.letters[static_cast<std::size_t>(value)];
        }
        return;
    case WireField::Kind::Words:
        if (value >= 0 && static_cast<std::size_t>(value) < field.words.size() &&
            pos + field.words[0].size() <= out.size()) {
            out.replace(pos, field.words[0].size(), field.words[static_cast<std::size_t>(value)]);
        }
        return;
    case WireField::Kind::Digits:
        writeNumber(out, pos, field.digits, value + field.bias);
        return;
    }
}

std::int32_t& cell(SettingsModel& m, const TableRef& t, std::size_t page, std::size_t line) {
    return t.pages != nullptr ? (m.*t.pages)[page] : (m.*t.lines)[page][line];
}

std::int32_t cell(const SettingsModel& m, const TableRef& t, std::size_t page, std::size_t line) {
    return t.pages != nullptr ? (m.*t.pages)[page] : (m.*t.lines)[page][line];
}

std::string previewValue(const ValueList& list, const ValueLook& look, std::int32_t value) {
    std::string text;
    if (list.texts.empty()) {
        text = list.item(value);
    } else if (list.contains(value)) {
        const auto texts = look.texts.empty() ? list.texts : look.texts;
        text = texts[static_cast<std::size_t>(value)];
    }
    text += look.suffix;
    return text;
}

} // namespace tlx
