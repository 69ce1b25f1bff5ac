// Title text: the "CA" line and page forms, the codes the device accepts, the
// glyph codes whose stored bytes hold NUL, LF or CR, and glyph insertion.
#include "device_test_support.h"

#include <gtest/gtest.h>

namespace tlx::device::test {
namespace {

std::string spacesSjis(std::size_t n) {
    return repeat(bytes({0x81, 0x40}), n);
}

TEST(Titles, LineOfTwoLettersIsStoredAsShiftJisAndReadBackAsCodes) {
    DeviceHarness h(Product::F);
    std::string reply;
    const std::string line = "CA001L01"
                             "2341"
                             "2342" +
                             repeat("2121", 26);
    EXPECT_EQ(h.changes(line, reply), Names{"titleText[0][0]"});
    EXPECT_EQ(reply, "GO");
    EXPECT_EQ(h.model().titleText[0][0].view(), bytes({0x82, 0x60, 0x82, 0x61}) + spacesSjis(26));
    EXPECT_EQ(h.run("RCA001"), "CA001"
                               "23412342" +
                                   repeat("2121", 278));
}

TEST(Titles, PageFormFillsTenLines) {
    DeviceHarness h(Product::F);
    std::string codes;
    for (int line = 0; line < 10; ++line) {
        codes += "2421" + repeat("2121", 27); // "ぁ" at the start of every line
    }
    EXPECT_EQ(h.run("CA512" + codes), "GO");
    for (std::size_t line = 0; line < 10; ++line) {
        EXPECT_EQ(h.model().titleText[511][line].view(), bytes({0x82, 0x9F}) + spacesSjis(27));
    }
    EXPECT_EQ(h.run("RCA512"), "CA512" + codes);
}

TEST(Titles, EmptyPageReadsAsFullWidthSpaces) {
    DeviceHarness h(Product::F);
    const std::string reply = h.run("RCA200");
    EXPECT_EQ(reply, "CA200" + repeat("2121", 280));
    EXPECT_EQ(reply.size() + 2, 1127u);
}

TEST(Titles, GlyphCodesWithControlBytesSurviveAtStartMiddleAndEnd) {
    // Glyphs 63, 73 and 76 are stored as 0x11 0x00, 0x11 0x0A and 0x11 0x0D;
    // glyph 2 (A346) as 0x10 0x01.
    const char* codes[] = {"A445", "A44F", "A452", "A545", "A54F", "A552", "A645", "A346"};
    for (const char* code : codes) {
        for (std::size_t pos : {std::size_t{0}, std::size_t{13}, std::size_t{27}}) {
            DeviceHarness h(Product::F);
            std::string line = repeat("3021", 28); // a kanji everywhere else
            line.replace(pos * 4, 4, code);
            ASSERT_EQ(h.run("CA007L03" + line), "GO") << code << " at " << pos;
            EXPECT_EQ(h.model().titleText[6][2].size(), 56u);
            EXPECT_EQ(h.run("RCA007").substr(5 + 2 * 112, 112), line) << code << " at " << pos;
        }
    }
    DeviceHarness h(Product::F);
    ASSERT_EQ(h.run("CA001L01"
                    "A445A44FA452A346" +
                    repeat("2121", 24)),
              "GO");
    EXPECT_EQ(h.model().titleText[0][0].view().substr(0, 8),
              bytes({0x11, 0x00, 0x11, 0x0A, 0x11, 0x0D, 0x10, 0x01}));
}

TEST(Titles, CodesOutsideTheFontAndGlyphTablesAreRefused) {
    const char* bad[] = {
        "8260", // Shift-JIS sent without conversion
        "0041", // a half-width letter
        "2921", // row 9: no character there
        "222F", // a gap in row 2
        "4F54", // past the end of level 1
        "7427", // past the end of level 2
        "7C6F", // the gap in the IBM rows
        "A320", // not a cell of the glyph area
        "A67F", // past the glyph area
        "A2FE", // below the glyph area
        "A721", // above the glyph area
        "a365", // lower-case hexadecimal
        "23G1", // not hexadecimal
    };
    for (const char* code : bad) {
        DeviceHarness h(Product::F);
        EXPECT_EQ(h.refused("CA001L01" + repeat("2121", 27) + code), Names{}) << code;
        EXPECT_EQ(h.lastReply, "E3") << code;
        EXPECT_EQ(h.refused("CA001" + repeat("2121", 279) + code), Names{}) << code;
        EXPECT_EQ(h.lastReply, "E3") << code;
    }
}

TEST(Titles, CodesTheToolCanProduceAreAccepted) {
    const char* good[] = {"2121", "217E", "2D21", "2D7C", "3021", "4F53", "5021", "7426",
                          "7921", "7C71", "7C7E", "A365", "A64A", "A321", "A346", "A67E"};
    for (const char* code : good) {
        DeviceHarness h(Product::F);
        EXPECT_EQ(h.run("CA001L01" + std::string(code) + repeat("2121", 27)), "GO") << code;
        EXPECT_EQ(h.run("RCA001").substr(5, 4), code);
    }
}

TEST(Titles, MisshapenCommandsAreRefused) {
    DeviceHarness h(Product::F);
    EXPECT_EQ(h.run("CA000L01" + repeat("2121", 28)), "E3");
    EXPECT_EQ(h.run("CA513" + repeat("2121", 280)), "E3");
    EXPECT_EQ(h.run("CA001L11" + repeat("2121", 28)), "E3");
    EXPECT_EQ(h.run("CA001L01" + repeat("2121", 27)), "E3");
    EXPECT_EQ(h.run("CA001" + repeat("2121", 281)), "E3");
    EXPECT_EQ(h.run("RCA000"), "E3");
    EXPECT_EQ(h.run("RCA"), "E3");
}

TEST(Titles, ModelSKeepsOnePageStringAndRefusesTheLineForm) {
    DeviceHarness h(Product::S);
    std::string reply;
    const std::string codes = "2341"
                              "A452" +
                              repeat("2121", 278);
    EXPECT_EQ(h.changes("CA002" + codes, reply), Names{"titlePageText[1]"});
    EXPECT_EQ(reply, "GO");
    EXPECT_EQ(h.model().titlePageText[1].size(), 560u);
    EXPECT_EQ(h.model().titlePageText[1].view().substr(0, 4), bytes({0x82, 0x60, 0x11, 0x0D}));
    EXPECT_EQ(h.run("RCA002"), "CA002" + codes);
    EXPECT_EQ(h.run("CA001L01" + repeat("2121", 28)), "E3");
}

TEST(Titles, ShortStoredTextIsPaddedWithSpacesInTheReply) {
    DeviceHarness h(Product::S);
    h.model().titlePageText[0].assign(bytes({0x82, 0x60}));
    EXPECT_EQ(h.run("RCA001"), "CA001"
                               "2341" +
                                   repeat("2121", 279));
    DeviceHarness f(Product::F);
    f.model().titleText[0][1].assign(bytes({0x82, 0x61, 0x82})); // odd byte dropped
    EXPECT_EQ(f.run("RCA001").substr(5, 4 * 29), repeat("2121", 28) + "2342");
}

TEST(GlyphInsertion, ModelFPutsTheGlyphAtItsPosition) {
    DeviceHarness h(Product::F);
    std::string reply;
    EXPECT_EQ(h.changes("G012P003L02I05", reply), Names{"titleText[2][1]"});
    EXPECT_EQ(reply, "GO");
    // Glyph 12 has the code A370, stored as 0x10 0x2B; the gap before it
    // becomes full-width spaces.
    EXPECT_EQ(h.model().titleText[2][1].view(), spacesSjis(4) + bytes({0x10, 0x2B}));
    EXPECT_EQ(h.run("RCA003").substr(5 + 112, 112),
              repeat("2121", 4) + "A370" + repeat("2121", 23));

    // Into existing text: only that character changes.
    ASSERT_EQ(h.run("CA001L01" + repeat("3021", 28)), "GO");
    ASSERT_EQ(h.run("G063P001L01I28"), "GO");
    EXPECT_EQ(h.run("RCA001").substr(5, 112), repeat("3021", 27) + "A445");
}

TEST(GlyphInsertion, ModelSUsesThreeDigitPositionsOverThePage) {
    DeviceHarness h(Product::S);
    EXPECT_EQ(h.run("G001P001I001"), "GO");
    EXPECT_EQ(h.run("G256P001I280"), "GO");
    const std::string reply = h.run("RCA001");
    EXPECT_EQ(reply.substr(5, 4), "A365");
    EXPECT_EQ(reply.substr(5 + 279 * 4, 4), "A64A");
    EXPECT_EQ(h.run("G001P001L01I01"), "E3");
}

TEST(GlyphInsertion, OutOfRangeFieldsAreRefused) {
    const char* badF[] = {"G000P001L01I01", "G257P001L01I01", "G001P000L01I01", "G001P001L11I01",
                          "G001P001L01I00", "G001P001L01I29", "G001P001I001",   "G001X001L01I01"};
    expectRefused(Product::F, badF);
    DeviceHarness s(Product::S);
    EXPECT_EQ(s.run("G001P001I281"), "E3");
    EXPECT_EQ(s.run("G001P001I000"), "E3");
}

} // namespace
} // namespace tlx::device::test
