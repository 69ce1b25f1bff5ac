// Glyph registration and the glyph and character bitmap reads.
#include "device_test_support.h"

#include <gtest/gtest.h>

namespace tlx::device::test {
namespace {

std::string pattern(std::size_t digits, char seed) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string out(digits, '0');
    for (std::size_t i = 0; i < digits; ++i) {
        out[i] = kHex[(i * 7 + static_cast<std::size_t>(seed)) % 16];
    }
    return out;
}

TEST(Glyphs, RegisterLargeGlyphOneThenReadItByCode) {
    DeviceHarness h(Product::F);
    const std::string digits = pattern(576, 'a');
    std::string reply;
    EXPECT_EQ(h.changes("GRL001" + digits, reply), Names{"glyph0[0]"});
    EXPECT_EQ(reply, "GO");
    const std::string read = h.run("RFBMLA365");
    EXPECT_EQ(read, "FBMLA365" + digits);
    EXPECT_EQ(read.size(), 584u);
}

TEST(Glyphs, EachSizeClassHasItsOwnTableAndNumberRange) {
    for (Product p : {Product::F, Product::S}) {
        DeviceHarness h(p);
        std::string reply;
        EXPECT_EQ(h.changes("GRL070" + pattern(576, 'b'), reply), Names{"glyph0[69]"});
        EXPECT_EQ(h.changes("GRM160" + pattern(256, 'c'), reply), Names{"glyph1[159]"});
        EXPECT_EQ(h.changes("GRS256" + pattern(144, 'd'), reply), Names{"glyph2[255]"});
        // Glyph index 69 has the code A44C, 159 A548, 255 A64A.
        EXPECT_EQ(h.run("RFBMLA44C"), "FBMLA44C" + pattern(576, 'b'));
        EXPECT_EQ(h.run("RFBMMA548"), "FBMMA548" + pattern(256, 'c'));
        EXPECT_EQ(h.run("RFBMSA64A"), "FBMSA64A" + pattern(144, 'd'));
        // The same code in a shorter table is past its end.
        EXPECT_EQ(h.run("RFBMLA548"), "E3");
        EXPECT_EQ(h.run("RFBMMA64A"), "E3");
        EXPECT_EQ(h.run("RFBMSA548"), "FBMSA548" + std::string(144, '0'));
    }
}

TEST(Glyphs, CharacterReadsGiveAFramedStandInBitmap) {
    DeviceHarness h(Product::F);
    const std::string a = h.run("RFBML2341");
    const std::string b = h.run("RFBML2342");
    ASSERT_EQ(a.size(), 584u);
    EXPECT_EQ(a.substr(0, 8), "FBML2341");
    EXPECT_NE(a.substr(8), b.substr(8));
    EXPECT_EQ(a.substr(8, 12), "000000000000"); // a blank top row
    EXPECT_NE(a.substr(8 + 12, 12), "000000000000");
    EXPECT_EQ(h.run("RFBMS3021").size(), 152u);
    EXPECT_EQ(h.run("RFBMM2121").size(), 264u);
}

TEST(Glyphs, RefusedRegistrationsAndReads) {
    const std::string bad[] = {
        "GRL071" + pattern(576, 'e'),
        "GRL000" + pattern(576, 'e'),
        "GRM161" + pattern(256, 'e'),
        "GRS257" + pattern(144, 'e'),
        "GRL001" + pattern(575, 'e'),
        "GRL001" + pattern(577, 'e'),
        "GRS001" + std::string(143, '0') + "a",
        "GRS001" + std::string(143, '0') + "G",
        "GRM01" + pattern(256, 'e'),
        "RFBML8260",
        "RFBMLa365",
        "RFBMLA364",
        "RFBML0000",
        "RFBMLA36",
        "RFBMLA3655",
        "RFBMX2341",
    };
    expectRefused(Product::F, bad);
}

} // namespace
} // namespace tlx::device::test
