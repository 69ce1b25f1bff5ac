#include "dialogs/glyph_insert.h"
#include "protocol/app_state.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;

class GlyphInsertTest : public ::testing::Test {
  protected:
    std::unique_ptr<AppState> state = makeAppState(Product::F);
    FakeHost host;
    FakeTransport transport;

    GlyphInsertLogic insert() { return GlyphInsertLogic(*state, host, transport); }
};

TEST_F(GlyphInsertTest, SendsGlyphPageLineAndPosition) {
    auto g = insert();
    EXPECT_EQ(g.command(), "G001P001L01I01\r\n");
    g.chooseGlyph(11);
    g.choosePage(2);
    g.chooseLine(1);
    g.choosePosition(4);
    g.send();
    ASSERT_EQ(transport.serialWrites.size(), 1u);
    EXPECT_EQ(transport.serialWrites[0], "G012P003L02I05\r\n");
    EXPECT_TRUE(host.questions.empty());
    // The choices are the shared ones and stay for the next opening.
    EXPECT_EQ(state->dialogs.currentPage, 2);
    EXPECT_EQ(state->dialogs.currentLine, 1);
    EXPECT_EQ(insert().command(), "G012P003L02I05\r\n");
}

TEST_F(GlyphInsertTest, ListsFollowTheSize) {
    auto g = insert();
    EXPECT_EQ(GlyphInsertLogic::sizeItems(),
              (std::vector<std::string>{"LARGE ", "MEDIUM", "SMALL "}));
    EXPECT_EQ(g.size(), InsertSize::Large);
    EXPECT_EQ(g.glyphItems().size(), 70u);
    EXPECT_EQ(g.glyphItems().back(), "070");
    EXPECT_EQ(g.positionItems().size(), 20u);
    EXPECT_EQ(g.positionItems().back(), "20");
    EXPECT_EQ(g.pageItems().back(), "512");
    EXPECT_EQ(g.lineItems().back(), "10");
    g.chooseSize(InsertSize::Medium);
    EXPECT_EQ(g.glyphItems().back(), "160");
    EXPECT_EQ(g.positionItems().back(), "28");
    g.chooseSize(InsertSize::Small);
    EXPECT_EQ(g.glyphItems().back(), "256");
    EXPECT_EQ(g.positionItems().size(), 28u);
}

// Back to a shorter list: choices beyond it return to the first item.
TEST_F(GlyphInsertTest, SizeRuleResets) {
    auto g = insert();
    g.chooseSize(InsertSize::Small);
    g.chooseGlyph(199);
    g.choosePosition(25);
    g.chooseSize(InsertSize::Medium);
    EXPECT_EQ(g.glyph(), 0);
    EXPECT_EQ(g.position(), 25);
    g.chooseGlyph(150);
    g.chooseSize(InsertSize::Small);
    EXPECT_EQ(g.glyph(), 150);
    g.chooseSize(InsertSize::Large);
    EXPECT_EQ(g.glyph(), 0);
    EXPECT_EQ(g.position(), 0);
    EXPECT_EQ(state->glyphs.currentGlyph, 0);

    g.chooseSize(InsertSize::Medium);
    g.chooseGlyph(69);
    g.choosePosition(19);
    g.chooseSize(InsertSize::Large);
    EXPECT_EQ(g.glyph(), 69);
    EXPECT_EQ(g.position(), 19);
}

TEST_F(GlyphInsertTest, OpeningWithAGlyphBeyondTheListSelectsTheFirst) {
    state->glyphs.currentGlyph = 100;
    EXPECT_EQ(insert().glyph(), 0);
    state->glyphs.insertSize = 1;
    state->glyphs.currentGlyph = 100;
    EXPECT_EQ(insert().glyph(), 100);
}

TEST_F(GlyphInsertTest, ModelSHasNoLineAndThreeDigitPositions) {
    state = makeAppState(Product::S);
    auto g = insert();
    EXPECT_FALSE(g.hasLine());
    EXPECT_EQ(g.command(), "G001P001I001\r\n");
    EXPECT_EQ(g.positionItems().size(), 200u);
    EXPECT_EQ(g.positionItems().front(), "001");
    g.chooseSize(InsertSize::Small);
    EXPECT_EQ(g.positionItems().back(), "280");
    g.choosePosition(249);
    g.chooseGlyph(2);
    g.choosePage(511);
    EXPECT_EQ(g.command(), "G003P512I250\r\n");
    g.chooseSize(InsertSize::Large);
    EXPECT_EQ(g.position(), 0);
}

TEST_F(GlyphInsertTest, NotConnectedIsReportedByTheSend) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    insert().send();
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_TRUE(transport.socketSends.empty());
}

} // namespace
} // namespace tlx
