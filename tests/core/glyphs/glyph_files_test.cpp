#include "glyphs/glyph_bmp.h"
#include "glyphs/glyph_files.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

std::vector<std::string> patterned(GlyphSize size) {
    const auto& g = glyphGeometry(size);
    std::vector<std::string> table;
    for (int i = 0; i < g.count; ++i) {
        std::string glyph;
        for (int k = 0; k < g.digits; ++k) {
            glyph.push_back("0123456789ABCDEF"[(i * 7 + k) % 16]);
        }
        table.push_back(glyph);
    }
    return table;
}

std::vector<std::string> zeros(GlyphSize size) {
    const auto& g = glyphGeometry(size);
    return std::vector<std::string>(static_cast<std::size_t>(g.count),
                                    std::string(static_cast<std::size_t>(g.digits), '0'));
}

struct SizeCase {
    GlyphSize size;
    std::size_t lines;
    const char* extension;
};

class GlyphListSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(GlyphListSizes, RoundTripOneDigitPerCrLfLine) {
    const auto [size, lines, extension] = GetParam();
    const auto table = patterned(size);
    const std::string bytes = writeGlyphList(table, size);
    ASSERT_EQ(bytes.size(), lines * 3);
    for (std::size_t i = 0; i < lines; ++i) {
        ASSERT_EQ(bytes.substr(i * 3 + 1, 2), "\r\n") << i;
    }
    EXPECT_EQ(bytes.substr(0, 9), "0\r\n1\r\n2\r\n");

    auto back = zeros(size);
    const auto r = readGlyphList(bytes, back, size);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.digitsRead, lines);
    EXPECT_EQ(back, table);
    EXPECT_EQ(glyphListExtension(size), extension);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GlyphListSizes,
                         ::testing::Values(SizeCase{GlyphSize::Large, 40320, ".tll"},
                                           SizeCase{GlyphSize::Medium, 40960, ".tlm"},
                                           SizeCase{GlyphSize::Small, 36864, ".tls"}));

TEST(GlyphListRead, LowerCaseAndOtherCharactersAreKeptAsTheyCome) {
    auto table = zeros(GlyphSize::Small);
    readGlyphList("a\nb\r\nf\n\xff\nZ\n", table, GlyphSize::Small);
    EXPECT_EQ(table[0].substr(0, 6), "abf\xffZ0");
}

TEST(GlyphListRead, AnyWhiteSpaceSeparatesAndNoLineEndIsNeeded) {
    auto table = zeros(GlyphSize::Small);
    const auto r = readGlyphList("\r\n  1\n\n\t2 3\r\r\n4", table, GlyphSize::Small);
    EXPECT_EQ(r.digitsRead, 4u);
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(table[0].substr(0, 5), "12340");
}

TEST(GlyphListRead, ShortFileKeepsTheRestAndLongFileIsCutAtTheTable) {
    auto table = patterned(GlyphSize::Large);
    const auto before = table;
    const auto r = readGlyphList("F\r\nF\r\n", table, GlyphSize::Large);
    EXPECT_EQ(r.digitsRead, 2u);
    EXPECT_EQ(table[0].substr(0, 2), "FF");
    EXPECT_EQ(table[0].substr(2), before[0].substr(2));
    EXPECT_EQ(table[69], before[69]);

    std::string longer = writeGlyphList(zeros(GlyphSize::Large), GlyphSize::Large);
    longer += "E\r\nE\r\n";
    readGlyphList(longer, table, GlyphSize::Large);
    EXPECT_EQ(table, zeros(GlyphSize::Large));
}

TEST(GlyphListRead, MisshapenTableIsGivenItsFullShape) {
    std::vector<std::string> table{"1"};
    readGlyphList("", table, GlyphSize::Medium);
    ASSERT_EQ(table.size(), 160u);
    EXPECT_EQ(table[0], "1" + std::string(255, '0'));
    EXPECT_EQ(table[159], std::string(256, '0'));
}

TEST(GlyphListWrite, BlanksAndShortGlyphsAreWrittenAsUnlitDigits) {
    std::vector<std::string> table{"1 \n"};
    const std::string bytes = writeGlyphList(table, GlyphSize::Small);
    EXPECT_EQ(bytes.substr(0, 12), "1\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(bytes.size(), 36864u * 3);
    auto back = zeros(GlyphSize::Small);
    EXPECT_TRUE(readGlyphList(bytes, back, GlyphSize::Small).complete());
}

TEST(GlyphListNames, ExtensionRuleAndChoosers) {
    EXPECT_EQ(glyphListPath("g", GlyphSize::Large), "g.tll");
    EXPECT_EQ(glyphListPath("g.tlm", GlyphSize::Medium), "g.tlm");
    EXPECT_EQ(glyphListPath("G.TLS", GlyphSize::Small), "G.TLS.tls");
    EXPECT_EQ(glyphListPath("a.tll/x", GlyphSize::Large), "a.tll/x");
    EXPECT_EQ(glyphListPath(".tll", GlyphSize::Large),
              ".tll.tll"); // only after the first character
    const auto c = glyphListFileChoice(GlyphSize::Medium, true);
    EXPECT_TRUE(c.save);
    EXPECT_EQ(c.title, "ファイルの保存");
    ASSERT_EQ(c.filters.size(), 2u);
    EXPECT_EQ(c.filters[0].label, "データ(*.tlm)");
    EXPECT_EQ(c.filters[0].pattern, "*.tlm");
    EXPECT_EQ(c.filters[1].label, "すべて(*.*)");
    EXPECT_EQ(glyphListFileChoice(GlyphSize::Large, false).title, "ファイルのオープン");
}

TEST(GlyphListCheck, OnlyACompleteTableOfHexDigitsGoesToTheDevice) {
    const std::string sound = writeGlyphList(patterned(GlyphSize::Large), GlyphSize::Large);
    const auto ok = checkGlyphList(sound, GlyphSize::Large);
    ASSERT_TRUE(ok.ok()) << ok.reason;
    EXPECT_EQ(ok.table, patterned(GlyphSize::Large));

    std::string lower = sound;
    lower[0] = 'a'; // line 1
    const auto taken = checkGlyphList(lower, GlyphSize::Large);
    ASSERT_TRUE(taken.ok());
    EXPECT_EQ(taken.table[0][0], 'A');

    std::string bad = sound;
    bad[3 * 4] = 'G'; // the fifth line
    EXPECT_EQ(checkGlyphList(bad, GlyphSize::Large).reason,
              "line 5 holds a character that is not a hexadecimal digit");
    EXPECT_EQ(checkGlyphList(sound.substr(0, 30), GlyphSize::Large).reason,
              "only 10 of the table's 40320 digits");
    EXPECT_EQ(checkGlyphList(sound + "0\r\n", GlyphSize::Large).reason,
              "more than the 40320 digits of the table (line 40321)");
    // A medium table is not a large one.
    EXPECT_FALSE(checkGlyphList(writeGlyphList(patterned(GlyphSize::Medium), GlyphSize::Medium),
                                GlyphSize::Large)
                     .ok());
}

std::uint32_t le32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + i])) << (8 * i);
    }
    return v;
}

TEST(GlyphBmp, HeaderAndPaddedRowsForAnOddWidth) {
    RgbPicture pic{3, 2, {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203}};
    const auto file = bmpFile(pic);
    ASSERT_TRUE(file);
    const std::string expected =
        std::string("BM") + std::string("\x4E\x00\x00\x00", 4) + // 54 + 12 * 2 = 78
        std::string("\x00\x00\x00\x00", 4) +                     // reserved
        std::string("\x36\x00\x00\x00", 4) +                     // pixels at 54
        std::string("\x28\x00\x00\x00", 4) +                     // header size 40
        std::string("\x03\x00\x00\x00", 4) +                     // width
        std::string("\x02\x00\x00\x00", 4) +                     // height, bottom up
        std::string("\x01\x00", 2) +                             // planes
        std::string("\x18\x00", 2) +                             // 24 bits
        std::string("\x00\x00\x00\x00", 4) +                     // uncompressed
        std::string(20, '\0') +
        // bottom row first, blue green red, 3 padding bytes
        std::string("\xCC\xBB\xAA\xFF\xEE\xDD\x03\x02\x01\x00\x00\x00", 12) +
        std::string("\x33\x22\x11\x66\x55\x44\x99\x88\x77\x00\x00\x00", 12);
    EXPECT_EQ(*file, expected);
}

TEST(GlyphBmp, StrideForEveryWidthRemainder) {
    for (int w = 1; w <= 4; ++w) {
        RgbPicture pic{w, 1, std::vector<std::uint32_t>(static_cast<std::size_t>(w), 0)};
        const auto file = bmpFile(pic);
        ASSERT_TRUE(file);
        const std::uint32_t stride = (static_cast<std::uint32_t>(w) * 3 + 3) / 4 * 4;
        EXPECT_EQ(file->size(), 54u + stride);
        EXPECT_EQ(le32(*file, 2), 54u + stride);
    }
}

TEST(GlyphBmp, RefusesPicturesItCannotWrite) {
    EXPECT_FALSE(bmpFile(RgbPicture{0, 5, {}}));
    EXPECT_FALSE(bmpFile(RgbPicture{2, 2, {1, 2, 3}}));
    EXPECT_FALSE(bmpFile(RgbPicture{-1, -1, {1}}));
}

TEST(GlyphBmp, CellPictureDrawsTheGlyphAtTwiceItsSize) {
    std::string hex(144, '0');
    hex[0] = '8';  // pixel (0, 0)
    hex[11] = '1'; // row 1, pixel 23
    const auto pic = glyphCellPicture(hex, GlyphSize::Small, 50, 49, 0x808080);
    ASSERT_EQ(pic.pixels.size(), 50u * 49u);
    auto at = [&](int x, int y) {
        return pic.pixels[static_cast<std::size_t>(y) * 50 + static_cast<std::size_t>(x)];
    };
    EXPECT_EQ(at(0, 0), kPictureWhite);
    EXPECT_EQ(at(1, 1), kPictureWhite);
    EXPECT_EQ(at(2, 0), kPictureBlack);
    EXPECT_EQ(at(46, 2), kPictureWhite);
    EXPECT_EQ(at(47, 3), kPictureWhite);
    EXPECT_EQ(at(47, 4), kPictureBlack);
    EXPECT_EQ(at(47, 47), kPictureBlack);
    EXPECT_EQ(at(48, 0), 0x808080u); // the cell beyond the glyph
    EXPECT_EQ(at(0, 48), 0x808080u);

    // A cell smaller than the doubled glyph is cut, never overrun.
    const auto small = glyphCellPicture(std::string(576, 'F'), GlyphSize::Large, 95, 95, 0);
    EXPECT_EQ(small.pixels.size(), 95u * 95u);
    EXPECT_EQ(small.pixels.back(), kPictureWhite);
    EXPECT_TRUE(bmpFile(small));
}

} // namespace
} // namespace tlx
