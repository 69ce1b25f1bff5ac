#include "glyphs/glyph_store.h"

#include "base/codecs.h"

namespace tlx {

namespace {

constexpr std::array<GlyphGeometry, 3> kGeometry{{
    {48, 12, 576, 70},
    {32, 8, 256, 160},
    {24, 6, 144, 256},
}};

std::size_t tableIndex(GlyphFace face, GlyphSize size) {
    return static_cast<std::size_t>(face) * 3 + static_cast<std::size_t>(size);
}

} // namespace

const GlyphGeometry& glyphGeometry(GlyphSize size) {
    return kGeometry[static_cast<std::size_t>(size)];
}

std::uint16_t glyphCode(int index) {
    const int n = index + 68;
    return static_cast<std::uint16_t>(((0xA3 + n / 94) << 8) | (0x21 + n % 94));
}

GlyphStore::GlyphStore() { clearAll(); }

void GlyphStore::clearAll() {
    for (std::size_t face = 0; face < 2; ++face) {
        for (std::size_t size = 0; size < 3; ++size) {
            const auto& g = kGeometry[size];
            tables_[face * 3 + size].assign(static_cast<std::size_t>(g.count),
                                            std::string(static_cast<std::size_t>(g.digits), '0'));
        }
    }
    currentGlyph = 0;
    editBuffer.clear();
    glyphDirty = false;
}

std::vector<std::string>& GlyphStore::table(GlyphFace face, GlyphSize size) {
    return tables_[tableIndex(face, size)];
}

const std::vector<std::string>& GlyphStore::table(GlyphFace face, GlyphSize size) const {
    return tables_[tableIndex(face, size)];
}

std::string& GlyphStore::glyph(GlyphFace face, GlyphSize size, int index) {
    return table(face, size).at(static_cast<std::size_t>(index));
}

const std::string& GlyphStore::glyph(GlyphFace face, GlyphSize size, int index) const {
    return table(face, size).at(static_cast<std::size_t>(index));
}

std::size_t glyphDigitIndex(GlyphSize size, int x, int y) {
    const auto& g = glyphGeometry(size);
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(g.digitsPerRow) +
           static_cast<std::size_t>(x / 4);
}

bool glyphPixel(std::string_view hex, GlyphSize size, int x, int y) {
    const auto& g = glyphGeometry(size);
    if (x < 0 || y < 0 || x >= g.pixels || y >= g.pixels) {
        return false;
    }
    const std::size_t k = glyphDigitIndex(size, x, y);
    if (k >= hex.size()) {
        return false;
    }
    return (decodeHexDigit(hex[k]) & (8 >> (x % 4))) != 0;
}

void setGlyphPixel(std::string& hex, GlyphSize size, int x, int y, bool lit) {
    const auto& g = glyphGeometry(size);
    if (x < 0 || y < 0 || x >= g.pixels || y >= g.pixels) {
        return;
    }
    const std::size_t k = glyphDigitIndex(size, x, y);
    if (k >= hex.size()) {
        return;
    }
    int v = decodeHexDigit(hex[k]);
    const int bit = 8 >> (x % 4);
    v = lit ? (v | bit) : (v & ~bit);
    hex[k] = "0123456789ABCDEF"[v];
}

} // namespace tlx
