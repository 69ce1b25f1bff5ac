#include "glyphs/glyph_scale.h"

#include "base/codecs.h"

#include <array>
#include <cstddef>
#include <string>

namespace tlx {

namespace {

constexpr std::array<std::string_view, 16> kPairTable{
    "00", "18", "3C", "3C", "7E", "7E", "7E", "7E", "18", "19", "1A", "1B", "1C", "1D", "FF", "FF",
};

// Digit c of row r in a glyph whose rows are perRow digits long.
std::size_t digitIndex(int perRow, int r, int c) {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(perRow) +
           static_cast<std::size_t>(c);
}

char digitChar(int v) {
    return "0123456789ABCDEF"[v & 0xF];
}

// Reads digit c of row r of a glyph, as "0" past the text's end.
class Source {
  public:
    Source(std::string_view hex, GlyphSize size)
        : hex_(hex), perRow_(glyphGeometry(size).digitsPerRow) {}
    char at(int r, int c) const {
        const std::size_t k = digitIndex(perRow_, r, c);
        return k < hex_.size() ? hex_[k] : '0';
    }

  private:
    std::string_view hex_;
    int perRow_;
};

// Writes rows of one target glyph and applies the edge fixes row by row.
class Target {
  public:
    Target(std::string& hex, GlyphSize size)
        : hex_(hex), perRow_(glyphGeometry(size).digitsPerRow) {
        const auto digits = static_cast<std::size_t>(glyphGeometry(size).digits);
        if (hex_.size() < digits) {
            hex_.resize(digits, '0');
        }
    }
    char& at(int r, int c) { return hex_[digitIndex(perRow_, r, c)]; }
    int perRow() const { return perRow_; }
    void clearLeftmost(int r) { clearBit(at(r, 0), 8); }
    void clearRightmost(int r) { clearBit(at(r, perRow_ - 1), 1); }
    // Columns where a widened stroke would be doubled keep only full digits.
    void keepOnlyFull(int r, int c) {
        if (at(r, c) != 'F') {
            at(r, c) = '0';
        }
    }

  private:
    static void clearBit(char& d, int bit) { d = digitChar(decodeHexDigit(d) & ~bit); }

    std::string& hex_;
    int perRow_;
};

bool fits(const GlyphStore& store, GlyphSize size, int index) {
    return index >= 0 && index < glyphGeometry(size).count &&
           static_cast<std::size_t>(index) < store.table(GlyphFace::Gothic, size).size();
}

void largeToSmall(const Source& L, Target& S) {
    for (int r = 0; r <= 22; ++r) {
        for (int c = 0; c < S.perRow(); ++c) {
            S.at(r, c) = L.at(2 * r, 2 * c);
        }
        S.clearRightmost(r);
    }
}

void largeToMedium(const Source& L, Target& M) {
    for (int R = 0; R <= 30; ++R) {
        for (int k = 0; k < M.perRow(); ++k) {
            char d = L.at(3 * R / 2, (3 * k + 1) / 2);
            if (d == '0') {
                d = L.at(3 * R / 2, 3 * k / 2);
            }
            M.at(R, k) = d;
        }
        M.clearLeftmost(R);
        M.clearRightmost(R);
    }
}

void mediumToSmall(const Source& M, Target& S) {
    for (int r = 0; r <= 22; ++r) {
        for (int c = 0; c < S.perRow(); ++c) {
            S.at(r, c) = M.at(4 * r / 3, (4 * c + 1) / 3);
        }
        S.clearLeftmost(r);
        S.clearRightmost(r);
    }
}

void mediumToLarge(const Source& M, Target& L) {
    for (int r = 0; r <= 46; ++r) {
        for (int c = 0; c < L.perRow(); ++c) {
            L.at(r, c) = M.at(2 * r / 3, 2 * c / 3);
        }
        for (int c : {1, 4, 7, 10}) {
            L.keepOnlyFull(r, c);
        }
        L.clearLeftmost(r);
        L.clearRightmost(r);
    }
}

void smallToLarge(const Source& S, Target& L) {
    for (int r = 0; r <= 46; ++r) {
        for (int k = 0; k < 6; ++k) {
            const std::string_view pair = glyphPairDigits(S.at(r / 2, k));
            L.at(r, 2 * k) = pair[0];
            L.at(r, 2 * k + 1) = pair[1];
        }
        L.clearLeftmost(r);
        L.clearRightmost(r);
    }
}

void smallToMedium(const Source& S, Target& M) {
    constexpr std::array<int, 8> kFrom{0, 1, 1, 2, 3, 4, 4, 5};
    for (int R = 0; R <= 30; ++R) {
        for (int k = 0; k < 8; ++k) {
            M.at(R, k) = S.at(3 * R / 4, kFrom[static_cast<std::size_t>(k)]);
        }
        M.keepOnlyFull(R, 2);
        M.keepOnlyFull(R, 6);
        M.clearLeftmost(R);
        M.clearRightmost(R);
    }
}

} // namespace

std::string_view glyphPairDigits(char smallDigit) {
    return kPairTable[static_cast<std::size_t>(decodeHexDigit(smallDigit))];
}

void deriveOtherSizes(GlyphStore& store, GlyphSize from, int index, std::string_view source) {
    const Source src(source, from);
    auto build = [&](GlyphSize to, void (*derive)(const Source&, Target&)) {
        if (!fits(store, to, index)) {
            return;
        }
        Target target(store.glyph(GlyphFace::Gothic, to, index), to);
        derive(src, target);
    };
    switch (from) {
    case GlyphSize::Large:
        build(GlyphSize::Small, largeToSmall);
        build(GlyphSize::Medium, largeToMedium);
        break;
    case GlyphSize::Medium:
        build(GlyphSize::Small, mediumToSmall);
        build(GlyphSize::Large, mediumToLarge);
        break;
    case GlyphSize::Small:
        build(GlyphSize::Large, smallToLarge);
        build(GlyphSize::Medium, smallToMedium);
        break;
    }
}

} // namespace tlx
