#include "settings/title_code.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

TEST(ShiftJisToJis, CodePage932Arithmetic) {
    EXPECT_EQ(sjisToJis(0x8140), 0x2121); // full-width space
    EXPECT_EQ(sjisToJis(0x8260), 0x2341); // Ａ
    EXPECT_EQ(sjisToJis(0x8261), 0x2342); // Ｂ
    EXPECT_EQ(sjisToJis(0x889F), 0x3021); // 亜, first kanji of level 1
    EXPECT_EQ(sjisToJis(0x9872), 0x4F53); // last kanji of level 1
    EXPECT_EQ(sjisToJis(0xEAA4), 0x7426); // last kanji of level 2
    EXPECT_EQ(sjisToJis(0x829F), 0x2421); // ぁ: trail byte above 0x9E moves to the even row
}

TEST(ShiftJisToJis, RejectsWhatIsNotALeadAndTrailPairOrOutsideTheRows) {
    EXPECT_EQ(sjisToJis(0x4142), 0);   // "AB": not a lead byte
    EXPECT_EQ(sjisToJis(0x81B1), 0x2233);
    EXPECT_EQ(sjisToJis(0x817F), 0);   // 0x7F is no trail byte
    EXPECT_EQ(sjisToJis(0x8130), 0);   // nor is 0x30
    EXPECT_EQ(sjisToJis(0xA0A0), 0);   // 0xA0 is no lead byte
    EXPECT_EQ(sjisToJis(0xF040), 0);   // user area: row 0x7F
    EXPECT_EQ(sjisToJis(0xFC4C), 0);
}

TEST(ShiftJisToJis, IbmExtensionGoesToTheNecSelectedBlock) {
    EXPECT_EQ(replaceIbmExtension(0xFA40), 0xEEEF);
    EXPECT_EQ(replaceIbmExtension(0xFA49), 0xEEF8);
    EXPECT_EQ(replaceIbmExtension(0xFA55), 0xEEFA);
    EXPECT_EQ(replaceIbmExtension(0xFA5C), 0xED40);
    EXPECT_EQ(replaceIbmExtension(0xFA80), 0xED63);
    EXPECT_EQ(replaceIbmExtension(0xFA9C), 0xED80);
    EXPECT_EQ(replaceIbmExtension(0xFB40), 0xEDE1);
    EXPECT_EQ(replaceIbmExtension(0xFC4B), 0xEEEC);
    EXPECT_EQ(replaceIbmExtension(0xFC4C), 0);
    EXPECT_EQ(replaceIbmExtension(0xFAFD), 0);
    EXPECT_EQ(replaceIbmExtension(0x8140), 0x8140); // ordinary characters pass
    EXPECT_EQ(replaceIbmExtension(0xFA4A), 0xFA4A); // below the block's tail: unchanged, and unsendable
    ASSERT_TRUE(titleWireCode(0xFA40).has_value());
    EXPECT_EQ(*titleWireCode(0xFA40), sjisToJis(0xEEEF));
    EXPECT_FALSE(titleWireCode(0xFC4C).has_value());
    EXPECT_FALSE(titleWireCode(0xFA4A).has_value());
}

TEST(TitleWireCode, GlyphsAreShiftedBothWays) {
    EXPECT_EQ(*titleWireCode(0x1001), 0xA346);
    EXPECT_EQ(*titleWireCode(0x1020), 0xA365); // glyph 1
    EXPECT_EQ(*titleWireCode(0x1339), 0xA67E);
    EXPECT_EQ(titleStoredValue(0xA346), 0x1001);
    EXPECT_EQ(titleStoredValue(0xA445), 0x1100); // glyph 63: its low byte is 0x00
    EXPECT_EQ(titleStoredValue(0xA44F), 0x110A);
    EXPECT_EQ(titleStoredValue(0xA552), 0x120D);
    // The smallest glyph wire code wraps around below zero.
    EXPECT_EQ(titleStoredValue(0x7C7F), static_cast<std::uint16_t>(31871 - 37701 + 65536));
}

TEST(TitleWireCode, JisCodesComeBackAsShiftJis) {
    EXPECT_EQ(titleStoredValue(0x2121), 0x8140);
    EXPECT_EQ(titleStoredValue(0x2341), 0x8260);
    EXPECT_EQ(titleStoredValue(0x3021), 0x889F);
    EXPECT_EQ(titleStoredValue(0x2421), 0x829F);
    EXPECT_EQ(titleStoredValue(0x7426), 0xEAA4);
    // No Shift-JIS equivalent: stored as 0x0000.
    EXPECT_EQ(titleStoredValue(0x2020), 0);
    EXPECT_EQ(titleStoredValue(0x217F), 0);
    EXPECT_EQ(titleStoredValue(0x0000), 0);
    // Every JIS code round-trips.
    for (unsigned hi = 0x21; hi <= 0x7C; ++hi) {
        for (unsigned lo = 0x21; lo <= 0x7E; ++lo) {
            const auto jis = static_cast<std::uint16_t>(hi << 8 | lo);
            if (jis >= kGlyphWireMin) {
                continue;
            }
            const std::uint16_t sjis = titleStoredValue(jis);
            ASSERT_EQ(sjisToJis(sjis), jis) << std::hex << jis;
        }
    }
}

} // namespace
} // namespace tlx
