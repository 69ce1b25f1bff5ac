#include "glyphs/glyph_scale.h"

#include <gtest/gtest.h>
#include <string>

namespace tlx {
namespace {

std::string& gothic(GlyphStore& s, GlyphSize size, int index) {
    return s.glyph(GlyphFace::Gothic, size, index);
}

// A glyph whose every row reads the same digits.
std::string rows(std::string_view row, int count) {
    std::string out;
    for (int r = 0; r < count; ++r) {
        out += row;
    }
    return out;
}

std::string rowOf(const std::string& glyph, GlyphSize size, int r) {
    const auto per = static_cast<std::size_t>(glyphGeometry(size).digitsPerRow);
    return glyph.substr(static_cast<std::size_t>(r) * per, per);
}

TEST(GlyphScale, PairTableWidensOneSmallDigitToTwoLargeDigits) {
    const char* expected[16] = {"00", "18", "3C", "3C", "7E", "7E", "7E", "7E",
                                "18", "19", "1A", "1B", "1C", "1D", "FF", "FF"};
    const std::string digits = "0123456789ABCDEF";
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(glyphPairDigits(digits[i]), expected[i]) << digits[i];
    }
}

// A vertical stroke at large pixel column 8 lands on column 4 of both
// smaller sizes; the last row of each target keeps what it held.
TEST(GlyphScale, LargeStrokeToSmallAndMedium) {
    GlyphStore store;
    gothic(store, GlyphSize::Small, 3).assign(144, '5');
    gothic(store, GlyphSize::Medium, 3).assign(256, '5');
    const std::string large = rows("008000000000", 48);
    deriveOtherSizes(store, GlyphSize::Large, 3, large);

    const std::string& small = gothic(store, GlyphSize::Small, 3);
    const std::string& medium = gothic(store, GlyphSize::Medium, 3);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 24; ++x) {
            EXPECT_EQ(glyphPixel(small, GlyphSize::Small, x, y), x == 4) << x << "," << y;
        }
    }
    EXPECT_EQ(rowOf(small, GlyphSize::Small, 23), "555555");
    for (int y = 0; y < 31; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ(glyphPixel(medium, GlyphSize::Medium, x, y), x == 4) << x << "," << y;
        }
    }
    EXPECT_EQ(rowOf(medium, GlyphSize::Medium, 31), "55555555");
}

// Medium digit k takes large digit (3k+1)/2, or 3k/2 when that one is clear.
TEST(GlyphScale, LargeToMediumFallsBackToTheLeftDigit) {
    GlyphStore store;
    deriveOtherSizes(store, GlyphSize::Large, 0, rows("040000000000", 48));
    EXPECT_EQ(rowOf(gothic(store, GlyphSize::Medium, 0), GlyphSize::Medium, 0), "04000000");
    // A full large glyph: the edge pixels of every written row are cleared.
    deriveOtherSizes(store, GlyphSize::Large, 0, std::string(576, 'F'));
    EXPECT_EQ(rowOf(gothic(store, GlyphSize::Medium, 0), GlyphSize::Medium, 30), "7FFFFFFE");
    // From large only the rightmost pixel of the small glyph is cleared.
    EXPECT_EQ(rowOf(gothic(store, GlyphSize::Small, 0), GlyphSize::Small, 22), "FFFFFE");
}

TEST(GlyphScale, MediumToSmallClearsBothEdges) {
    GlyphStore store;
    deriveOtherSizes(store, GlyphSize::Medium, 5, std::string(256, '8'));
    const std::string& small = gothic(store, GlyphSize::Small, 5);
    for (int r = 0; r < 23; ++r) {
        EXPECT_EQ(rowOf(small, GlyphSize::Small, r), "088888") << r;
    }
    EXPECT_EQ(rowOf(small, GlyphSize::Small, 23), "000000");
}

// The digit columns 1, 4, 7, 10 keep only full digits; a full target keeps
// its lit bottom row.
TEST(GlyphScale, MediumToLargeKeepsOnlyFullDigitsInTheSpreadColumns) {
    GlyphStore store;
    gothic(store, GlyphSize::Large, 1).assign(576, 'F');
    deriveOtherSizes(store, GlyphSize::Medium, 1, std::string(256, '7'));
    const std::string& large = gothic(store, GlyphSize::Large, 1);
    for (int r = 0; r < 47; ++r) {
        EXPECT_EQ(rowOf(large, GlyphSize::Large, r), "707707707706") << r;
    }
    EXPECT_EQ(rowOf(large, GlyphSize::Large, 47), std::string(12, 'F'));

    deriveOtherSizes(store, GlyphSize::Medium, 1, std::string(256, 'F'));
    EXPECT_EQ(rowOf(large, GlyphSize::Large, 0), "7FFFFFFFFFFE");
}

TEST(GlyphScale, MediumBeyondTheLargeTableWritesOnlySmall) {
    GlyphStore store;
    deriveOtherSizes(store, GlyphSize::Medium, 99, std::string(256, 'F'));
    EXPECT_EQ(rowOf(gothic(store, GlyphSize::Small, 99), GlyphSize::Small, 0), "7FFFFE");
    for (const auto& g : store.table(GlyphFace::Gothic, GlyphSize::Large)) {
        EXPECT_EQ(g, std::string(576, '0'));
    }
}

// Each small pixel row becomes two large rows through the pair table.
TEST(GlyphScale, SmallToLargeThroughThePairTable) {
    GlyphStore store;
    std::string small(144, '0');
    small[0] = '2';
    small[5] = 'E';
    small[6] = '4'; // row 1, digit 0
    deriveOtherSizes(store, GlyphSize::Small, 2, small);
    const std::string& large = gothic(store, GlyphSize::Large, 2);
    EXPECT_EQ(rowOf(large, GlyphSize::Large, 0), "3C00000000FE");
    EXPECT_EQ(rowOf(large, GlyphSize::Large, 1), "3C00000000FE");
    EXPECT_EQ(rowOf(large, GlyphSize::Large, 2), "7E0000000000");
    EXPECT_EQ(rowOf(large, GlyphSize::Large, 3), "7E0000000000");
    EXPECT_EQ(rowOf(large, GlyphSize::Large, 4), std::string(12, '0'));
}

// Medium digit k repeats small digits 0 1 1 2 3 4 4 5; the doubled columns
// 2 and 6 keep only full digits.
TEST(GlyphScale, SmallToMediumRepeatsDigitsAndKeepsOnlyFullDoubles) {
    GlyphStore store;
    std::string small = rows("123456", 24);
    deriveOtherSizes(store, GlyphSize::Small, 7, small);
    EXPECT_EQ(rowOf(gothic(store, GlyphSize::Medium, 7), GlyphSize::Medium, 0), "12034506");
    small = rows("1FF4F6", 24);
    deriveOtherSizes(store, GlyphSize::Small, 7, small);
    EXPECT_EQ(rowOf(gothic(store, GlyphSize::Medium, 7), GlyphSize::Medium, 30), "1FFF4FF6");
}

TEST(GlyphScale, SmallBeyondBothTablesWritesNothing) {
    GlyphStore store;
    deriveOtherSizes(store, GlyphSize::Small, 199, std::string(144, 'F'));
    for (auto size : {GlyphSize::Large, GlyphSize::Medium}) {
        for (const auto& g : store.table(GlyphFace::Gothic, size)) {
            EXPECT_EQ(g, std::string(static_cast<std::size_t>(glyphGeometry(size).digits), '0'));
        }
    }
}

} // namespace
} // namespace tlx
