#include "protocol/app_state.h"
#include "protocol/apply_reply.h"
#include "core/runs/run_harness.h"
#include "settings/title_encoder.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::caReply;
using test::hex4;
using test::hexCodes;
using test::bytes;
using test::repeat;

const std::string kSpaceCode = "2121";

TEST(TitleLinePreparation, PadsEvenLinesWithFullWidthSpaces) {
    EXPECT_EQ(prepareTitleLine(""), repeat("\x81\x40", 28));
    EXPECT_EQ(prepareTitleLine("\x82\x60"), "\x82\x60" + repeat("\x81\x40", 27));
    const std::string full = repeat("\x82\x60", 28);
    EXPECT_EQ(prepareTitleLine(full), full);
    EXPECT_FALSE(prepareTitleLine(full + "\x82\x60").has_value()); // 58 bytes
    EXPECT_FALSE(prepareTitleLine("\x82\x60"
                                  "A")
                     .has_value()); // odd
}

TEST(TitleLinePreparation, ModelSPageIsPaddedTo560Bytes) {
    EXPECT_EQ(prepareTitlePageText("")->size(), 560u);
    EXPECT_EQ(*prepareTitlePageText("\x82\x60"), "\x82\x60" + repeat("\x81\x40", 279));
    EXPECT_TRUE(prepareTitlePageText(repeat("\x82\x60", 280)).has_value());
    EXPECT_FALSE(prepareTitlePageText(repeat("\x82\x60", 281)).has_value());
    EXPECT_FALSE(prepareTitlePageText(repeat("\x82\x60", 10) + "A").has_value());
}

TEST(TitleLineCommand, FullWidthLettersAndPadding) {
    // Ａ and Ｂ on page 1, line 1: 2341, 2342 and 26 spaces.
    EXPECT_EQ(titleLineCommand(0, 0, "\x82\x60\x82\x61"), "CA001L01"
                                                          "23412342" +
                                                              repeat(kSpaceCode, 26) + "\r\n");
    EXPECT_EQ(titleLineCommand(0, 0, ""), "CA001L01" + repeat(kSpaceCode, 28) + "\r\n");
    EXPECT_EQ(titleLineCommand(511, 9, repeat("\x82\x60", 28)),
              "CA512L10" + repeat("2341", 28) + "\r\n");
}

TEST(TitleLineCommand, CharactersOutsideTheJisRowsFail) {
    EXPECT_FALSE(titleLineCommand(0, 0, "A").has_value());        // odd length
    EXPECT_FALSE(titleLineCommand(0, 0, "AB").has_value());       // half-width pair
    EXPECT_FALSE(titleLineCommand(0, 0, "\xB1\xB2").has_value()); // half-width katakana
    EXPECT_FALSE(titleLineCommand(0, 0, "\x82\x60\xFC\x4C").has_value());
    EXPECT_FALSE(titleLineCommand(0, 0, "\xF0\x40").has_value()); // user area
}

TEST(TitleLineCommand, IbmExtensionAndGlyphCodes) {
    // 0xFA40 goes out as the JIS code of its NEC-selected twin 0xEEEF: 7C71.
    EXPECT_EQ(titleLineCommand(0, 0, "\xFA\x40"), "CA001L01"
                                                  "7C71" +
                                                      repeat(kSpaceCode, 27) + "\r\n");
    // The stored glyph code 0x10 0x01 is sent as A346.
    EXPECT_EQ(titleLineCommand(0, 0, bytes({0x10, 0x01})), "CA001L01"
                                                           "A346" +
                                                               repeat(kSpaceCode, 27) + "\r\n");
    // The highest glyph code and the first one whose low byte is NUL.
    EXPECT_EQ(titleLineCommand(0, 0, bytes({0x13, 0x39, 0x11, 0x00})), "CA001L01"
                                                                       "A67E"
                                                                       "A445" +
                                                                           repeat(kSpaceCode, 26) +
                                                                           "\r\n");
}

TEST(TitlePageCommand, ModelFRunsTheTenLinesTogether) {
    auto s = makeAppState(Product::F);
    s->model.titleText[2][0].assign("\x82\x60");
    s->model.titleText[2][9].assign("\x82\x61");
    const auto cmd = titlePageCommand(s->model, Product::F, 2);
    ASSERT_TRUE(cmd.has_value());
    EXPECT_EQ(*cmd, "CA003"
                    "2341" +
                        repeat(kSpaceCode, 27) + repeat(kSpaceCode, 28 * 8) + "2342" +
                        repeat(kSpaceCode, 27) + "\r\n");
    EXPECT_EQ(cmd->size(), 5u + 1120u + 2u);
}

TEST(TitlePageCommand, OneBadLineFailsTheWholePage) {
    auto s = makeAppState(Product::F);
    s->model.titleText[0][0].assign("\x82\x60");
    s->model.titleText[0][4].assign("A");
    EXPECT_FALSE(titlePageCommand(s->model, Product::F, 0).has_value());
    s->model.titleText[0][4].assign("\x82\x60");
    s->model.titleText[0][7].assign("\xFC\x4C");
    EXPECT_FALSE(titlePageCommand(s->model, Product::F, 0).has_value());
}

TEST(TitlePageCommand, ModelSUsesThePageString) {
    auto s = makeAppState(Product::S);
    s->model.titlePageText[511].assign("\x82\x60\x82\x61");
    EXPECT_EQ(titlePageCommand(s->model, Product::S, 511), "CA512"
                                                           "23412342" +
                                                               repeat(kSpaceCode, 278) + "\r\n");
    s->model.titlePageText[0].assign(repeat("\x82\x60", 281));
    EXPECT_FALSE(titlePageCommand(s->model, Product::S, 0).has_value());
}

TEST(TitleDisplay, EveryGlyphUnitShowsAsAFullWidthSpace) {
    const std::string space = "\x81\x40";
    // Glyphs 1 (0x1020), 63 (0x1100), 73 (0x110A), 76 (0x110D) and the last.
    EXPECT_EQ(titleDisplayText(bytes({0x10, 0x20, 0x11, 0x00, 0x11, 0x0A, 0x11, 0x0D, 0x13, 0x39})),
              repeat(space, 5));
    // Shift-JIS characters pass unchanged, also a trail byte that looks like
    // nothing special, and a half-width letter before a glyph keeps its place.
    EXPECT_EQ(titleDisplayText("\x82\x60\x88\x9F"), "\x82\x60\x88\x9F");
    EXPECT_EQ(titleDisplayText("A" + bytes({0x12, 0x0D}) + "\x82\x61"), "A" + space + "\x82\x61");
    EXPECT_EQ(titleDisplayText(""), "");
}

// The glyphs whose stored form holds a NUL, LF or CR byte, and their wire codes.
struct GlyphCase {
    int number;
    std::uint16_t wire;
};
constexpr GlyphCase kControlByteGlyphs[] = {
    {63, 0xA445},  {157, 0xA545}, {251, 0xA645}, {73, 0xA44F},
    {167, 0xA54F}, {76, 0xA452},  {170, 0xA552},
};

// Page codes with the glyph at position pos of line 2; line 3 holds a letter
// when more is set, so that the spaces after the glyph are not trailing.
std::vector<std::uint16_t> pageWithGlyph(std::uint16_t wire, std::size_t pos, bool more) {
    std::vector<std::uint16_t> codes(280, 0x2121);
    codes[0] = 0x2341; // line 1 starts with Ａ
    for (std::size_t i = 0; i < pos; ++i) {
        codes[28 + i] = 0x2343; // Ｃ before the glyph
    }
    codes[28 + pos] = wire;
    if (more) {
        codes[56] = 0x2344;
    }
    return codes;
}

TEST(TitleGlyphRoundTrip, ControlByteGlyphsComeBackOutUnchanged) {
    for (const GlyphCase& g : kControlByteGlyphs) {
        for (std::size_t pos : {std::size_t{0}, std::size_t{13}, std::size_t{27}}) {
            for (bool more : {false, true}) {
                SCOPED_TRACE("glyph " + std::to_string(g.number) + " at " + std::to_string(pos) +
                             (more ? " with text after" : " last in page"));
                const auto codes = pageWithGlyph(g.wire, pos, more);
                const std::vector<std::uint16_t> line2Codes(codes.begin() + 28, codes.begin() + 56);

                auto f = makeAppState(Product::F);
                applyReply(*f, caReply(1, codes));
                const TitleLine& stored = f->model.titleText[0][1];
                // Only the page's trailing spaces are dropped.
                ASSERT_EQ(stored.size(), more ? 56 : 2 * pos + 2);
                const auto v = static_cast<std::uint16_t>(g.wire - 37701);
                EXPECT_EQ(stored.byteAt(2 * pos), v >> 8);
                EXPECT_EQ(stored.byteAt(2 * pos + 1), v & 0xFF);
                const std::string shown = titleDisplayText(stored.view());
                EXPECT_EQ(shown.size(), stored.size());
                EXPECT_EQ(shown.substr(0, 2 * pos), repeat("\x82\x62", pos)); // the Ｃs
                EXPECT_EQ(shown.substr(2 * pos, 2), "\x81\x40");

                EXPECT_EQ(titleLineCommand(0, 1, stored.view()),
                          "CA001L02" + hexCodes(line2Codes) + "\r\n");
                EXPECT_EQ(titlePageCommand(f->model, Product::F, 0),
                          "CA001" + hexCodes(codes) + "\r\n");

                auto s = makeAppState(Product::S);
                applyReply(*s, caReply(1, codes));
                EXPECT_EQ(titlePageCommand(s->model, Product::S, 0),
                          "CA001" + hexCodes(codes) + "\r\n");
            }
        }
    }
}

} // namespace
} // namespace tlx
