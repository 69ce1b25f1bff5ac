#include "glyphs/glyph_files.h"

#include "settings/settings_file_name.h"

#include <algorithm>
#include <utility>

namespace tlx {

namespace {

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::size_t toSize(int v) {
    return static_cast<std::size_t>(v);
}

} // namespace

std::string_view glyphListExtension(GlyphSize size) {
    switch (size) {
    case GlyphSize::Large:
        return ".tll";
    case GlyphSize::Medium:
        return ".tlm";
    case GlyphSize::Small:
        break;
    }
    return ".tls";
}

FileChoice glyphListFileChoice(GlyphSize size, bool save) {
    const std::string ext(glyphListExtension(size));
    FileChoice c;
    c.save = save;
    c.title = save ? "ファイルの保存" : "ファイルのオープン";
    c.filters = {{"データ(*" + ext + ")", "*" + ext}, {"すべて(*.*)", "*.*"}};
    return c;
}

std::string glyphListPath(std::string chosen, GlyphSize size) {
    return withFileExtension(std::move(chosen), glyphListExtension(size));
}

bool namesOtherSizeList(std::string_view path, GlyphSize size) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (GlyphSize other : {GlyphSize::Large, GlyphSize::Medium, GlyphSize::Small}) {
        const std::string_view ext = glyphListExtension(other);
        if (other == size || path.size() < ext.size()) {
            continue;
        }
        const std::string_view tail = path.substr(path.size() - ext.size());
        if (std::equal(tail.begin(), tail.end(), ext.begin(),
                       [&](char a, char b) { return lower(a) == b; })) {
            return true;
        }
    }
    return false;
}

std::string writeGlyphList(const std::vector<std::string>& table, GlyphSize size) {
    const auto& g = glyphGeometry(size);
    const std::size_t digits = toSize(g.digits);
    std::string out(toSize(g.count) * digits * 3, '\0');
    char* p = out.data();
    for (std::size_t i = 0; i < toSize(g.count); ++i) {
        const std::string_view glyph = i < table.size() ? std::string_view(table[i]) : "";
        for (std::size_t k = 0; k < digits; ++k) {
            const char c = k < glyph.size() ? glyph[k] : '0';
            // A blank or line break would be skipped when read back and shift
            // every later digit; it draws as an unlit digit anyway.
            *p++ = isSpace(c) ? '0' : c;
            *p++ = '\r';
            *p++ = '\n';
        }
    }
    return out;
}

GlyphListReadResult readGlyphList(std::string_view bytes, std::vector<std::string>& table,
                                  GlyphSize size) {
    const auto& g = glyphGeometry(size);
    const std::size_t digits = toSize(g.digits);
    table.resize(toSize(g.count));
    for (auto& glyph : table) {
        if (glyph.size() < digits) {
            glyph.resize(digits, '0');
        }
    }
    GlyphListReadResult r;
    r.digitsExpected = toSize(g.count) * digits;
    std::size_t at = 0;
    while (r.digitsRead < r.digitsExpected) {
        while (at < bytes.size() && isSpace(bytes[at])) {
            ++at;
        }
        if (at == bytes.size()) {
            break;
        }
        table[r.digitsRead / digits][r.digitsRead % digits] = bytes[at++];
        ++r.digitsRead;
    }
    return r;
}

GlyphListCheck checkGlyphList(std::string_view bytes, GlyphSize size) {
    const auto& g = glyphGeometry(size);
    const std::size_t digits = toSize(g.digits);
    const std::size_t expected = toSize(g.count) * digits;
    GlyphListCheck r;
    std::string all;
    all.reserve(expected);
    std::size_t line = 1;
    for (const char c : bytes) {
        if (c == '\n') {
            ++line;
        }
        if (isSpace(c)) {
            continue;
        }
        const bool digit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        const bool lower = c >= 'a' && c <= 'f';
        if (!digit && !lower) {
            r.reason = "line " + std::to_string(line) + " holds a character that is not a hexadecimal digit";
            return r;
        }
        if (all.size() == expected) {
            r.reason = "more than the " + std::to_string(expected) + " digits of the table (line " +
                       std::to_string(line) + ")";
            return r;
        }
        all += lower ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (all.size() < expected) {
        r.reason = "only " + std::to_string(all.size()) + " of the table's " +
                   std::to_string(expected) + " digits";
        return r;
    }
    r.table.reserve(toSize(g.count));
    for (std::size_t i = 0; i < toSize(g.count); ++i) {
        r.table.push_back(all.substr(i * digits, digits));
    }
    return r;
}

} // namespace tlx
