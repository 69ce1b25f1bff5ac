#include "glyphs/glyph_store.h"
#include "protocol/apply_reply.h"

#include <gtest/gtest.h>

#include "protocol/link_state.h"

namespace tlx {
namespace {

TEST(GlyphCode, RunsThroughTheCellsOfEachRow) {
    EXPECT_EQ(glyphCode(0), 0xA365);
    EXPECT_EQ(glyphCode(25), 0xA37E);
    EXPECT_EQ(glyphCode(26), 0xA421);
    EXPECT_EQ(glyphCode(119), 0xA47E);
    EXPECT_EQ(glyphCode(120), 0xA521);
    EXPECT_EQ(glyphCode(213), 0xA57E);
    EXPECT_EQ(glyphCode(214), 0xA621);
    EXPECT_EQ(glyphCode(255), 0xA64A);
}

TEST(GlyphStore, StartsAllClearWithTheTableSizes) {
    GlyphStore store;
    EXPECT_EQ(store.table(GlyphFace::Gothic, GlyphSize::Large).size(), 70u);
    EXPECT_EQ(store.table(GlyphFace::Gothic, GlyphSize::Medium).size(), 160u);
    EXPECT_EQ(store.table(GlyphFace::Mincho, GlyphSize::Small).size(), 256u);
    EXPECT_EQ(store.glyph(GlyphFace::Gothic, GlyphSize::Large, 69), std::string(576, '0'));
    EXPECT_EQ(store.glyph(GlyphFace::Mincho, GlyphSize::Medium, 0), std::string(256, '0'));
    EXPECT_EQ(store.glyph(GlyphFace::Gothic, GlyphSize::Small, 255), std::string(144, '0'));
}

TEST(GlyphPixels, LeftmostPixelIsTheTopBit) {
    std::string hex(144, '0');
    setGlyphPixel(hex, GlyphSize::Small, 0, 0, true);
    EXPECT_EQ(hex[0], '8');
    setGlyphPixel(hex, GlyphSize::Small, 3, 0, true);
    EXPECT_EQ(hex[0], '9');
    setGlyphPixel(hex, GlyphSize::Small, 23, 23, true);
    EXPECT_EQ(hex[143], '1');
    setGlyphPixel(hex, GlyphSize::Small, 22, 1, true);
    EXPECT_EQ(hex[11], '2');
    EXPECT_TRUE(glyphPixel(hex, GlyphSize::Small, 22, 1));
    EXPECT_FALSE(glyphPixel(hex, GlyphSize::Small, 21, 1));
    setGlyphPixel(hex, GlyphSize::Small, 0, 0, false);
    EXPECT_EQ(hex[0], '1');
    // Outside the glyph: nothing happens.
    setGlyphPixel(hex, GlyphSize::Small, 24, 0, true);
    setGlyphPixel(hex, GlyphSize::Small, 0, -1, true);
    EXPECT_FALSE(glyphPixel(hex, GlyphSize::Small, 24, 0));
}

TEST(GlyphPixels, LowerCaseDigitsReadAsClearAndAreRewrittenUpperCase) {
    std::string hex(256, '0');
    hex[0] = 'f';
    EXPECT_FALSE(glyphPixel(hex, GlyphSize::Medium, 0, 0));
    setGlyphPixel(hex, GlyphSize::Medium, 1, 0, true);
    EXPECT_EQ(hex[0], '4');
}

// One rule for the list and the editor: a reply shorter than the glyph
// changes neither, and a list transfer asks for the same glyph again.
TEST(GlyphReply, ShortReplyIsRefusedWhole) {
    GlyphStore store;
    LinkState link;
    store.currentGlyph = 2;
    store.glyph(GlyphFace::Gothic, GlyphSize::Medium, 2).assign(256, '7');
    store.editBuffer.assign(256, '7');
    for (bool transfer : {false, true}) {
        link.glyphTransferBusy = transfer;
        link.glyphReplyWait = true;
        const std::string cut = "FBMMA367" + std::string(255, 'F') + "\r\n";
        EXPECT_FALSE(applyGlyphReply(store, link, GlyphFace::Gothic, GlyphSize::Medium, cut));
        EXPECT_EQ(store.glyph(GlyphFace::Gothic, GlyphSize::Medium, 2), std::string(256, '7'));
        EXPECT_EQ(store.editBuffer, std::string(256, '7'));
        EXPECT_EQ(store.currentGlyph, 2);
        EXPECT_FALSE(link.glyphReplyWait);
    }
}

TEST(GlyphReply, CurrentGlyphPastTheTableWritesOnlyTheEditor) {
    GlyphStore store;
    LinkState link;
    link.glyphTransferBusy = true;
    store.currentGlyph = 70;
    applyGlyphReply(store, link, GlyphFace::Gothic, GlyphSize::Large, "FBMLA365" + std::string(576, 'F'));
    EXPECT_EQ(store.editBuffer, std::string(576, 'F'));
    EXPECT_EQ(store.currentGlyph, 71);
    for (const auto& g : store.table(GlyphFace::Gothic, GlyphSize::Large)) {
        EXPECT_EQ(g, std::string(576, '0'));
    }
}

} // namespace
} // namespace tlx
