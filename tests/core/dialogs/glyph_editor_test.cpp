#include "dialogs/glyph_editor.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;

class GlyphEditorTest : public ::testing::Test {
  protected:
    std::unique_ptr<AppState> state = makeAppState(Product::F);
    FakeHost host;
    FakeTransport transport;

    GlyphEditorLogic editor(GlyphSize size) {
        return GlyphEditorLogic(glyphEditorDescriptor(size), *state, host, transport);
    }
    std::string& stored(GlyphSize size, int index) {
        return state->glyphs.glyph(GlyphFace::Gothic, size, index);
    }
};

TEST_F(GlyphEditorTest, OpeningCopiesTheStoredGlyphAndFillsTheNumberList) {
    stored(GlyphSize::Medium, 9).assign(256, 'A');
    state->glyphs.currentGlyph = 9;
    auto e = editor(GlyphSize::Medium);
    EXPECT_EQ(e.workingGlyph(), std::string(256, 'A'));
    EXPECT_EQ(e.currentNumber(), 9);
    const auto items = e.numberItems();
    ASSERT_EQ(items.size(), 160u);
    EXPECT_EQ(items.front(), "001");
    EXPECT_EQ(items.back(), "160");
    const auto large = editor(GlyphSize::Large).numberItems();
    ASSERT_EQ(large.size(), 70u);
    EXPECT_EQ(large.front(), "01");
    EXPECT_EQ(large.back(), "70");
}

TEST_F(GlyphEditorTest, TitlesOfBothModels) {
    auto e = editor(GlyphSize::Large);
    EXPECT_EQ(e.title(""), "外字登録設定（大文字）");
    EXPECT_EQ(e.title("192.168.0.7"), "外字登録（大文字）の設定 192.168.0.7");
    EXPECT_EQ(editor(GlyphSize::Small).title(""), "外字登録（小文字）の設定");
    state = makeAppState(Product::S);
    EXPECT_EQ(editor(GlyphSize::Medium).title(""), "外字登録（ゴシック体 中文字）の設定");
    EXPECT_EQ(editor(GlyphSize::Medium).title("10.0.0.1"), "外字登録（中文字）の設定 10.0.0.1");
}

// The outermost ring of pixels cannot be changed; (22, 20) is pixel column
// 1 of row 1 of the large grid: digit 12, bit 4.
TEST_F(GlyphEditorTest, MouseMapsToPixelsInsideTheEditableRanges) {
    auto e = editor(GlyphSize::Large);
    EXPECT_FALSE(e.leftDown(21, 20));
    e.leftUp();
    EXPECT_FALSE(e.leftDown(22, 19));
    e.leftUp();
    EXPECT_EQ(e.workingGlyph(), std::string(576, '0'));
    EXPECT_TRUE(state->glyphs.glyphDirty);

    EXPECT_TRUE(e.leftDown(22, 20));
    e.leftUp();
    EXPECT_EQ(e.workingGlyph()[12], '4');
    EXPECT_TRUE(e.pixel(1, 1));
    EXPECT_EQ(stored(GlyphSize::Large, 0)[12], '4');
    // The far edge: x 481 and y 387 are the last editable points.
    EXPECT_TRUE(e.leftDown(481, 387));
    EXPECT_TRUE(e.pixel(46, 46));
    EXPECT_FALSE(e.move(482, 387));
    EXPECT_FALSE(e.move(481, 388));
    e.leftUp();
    EXPECT_FALSE(e.pixel(47, 46));
    EXPECT_FALSE(e.pixel(46, 47));
}

TEST_F(GlyphEditorTest, EditableRangesOfMediumAndSmall) {
    auto m = editor(GlyphSize::Medium);
    EXPECT_FALSE(m.leftDown(26, 24));
    EXPECT_TRUE(m.move(27, 24));
    EXPECT_TRUE(m.pixel(1, 1));
    EXPECT_TRUE(m.move(476, 383));
    EXPECT_TRUE(m.pixel(30, 30));
    EXPECT_FALSE(m.move(477, 383));
    m.leftUp();
    auto s = editor(GlyphSize::Small);
    EXPECT_FALSE(s.rightDown(31, 28));
    EXPECT_FALSE(s.rightDown(32, 27));
    s.rightUp();
    EXPECT_TRUE(s.leftDown(471, 379));
    EXPECT_TRUE(s.pixel(22, 22));
    EXPECT_EQ(s.workingGlyph()[22 * 6 + 5], '2');
}

// A drag over pixels it has just lit redraws nothing; both buttons set then
// clear, so the pixel ends unlit.
TEST_F(GlyphEditorTest, DragRedrawsOnlyOnChangeAndBothButtonsEndUnlit) {
    auto e = editor(GlyphSize::Large);
    EXPECT_TRUE(e.leftDown(22, 20));
    EXPECT_FALSE(e.move(25, 22));
    EXPECT_TRUE(e.move(32, 20));
    EXPECT_EQ(e.workingGlyph()[12], '6');
    EXPECT_FALSE(e.move(22, 20));
    EXPECT_FALSE(e.move(32, 20));
    EXPECT_TRUE(e.leftDragging());
    e.leftUp();
    EXPECT_FALSE(e.leftDragging());
    EXPECT_FALSE(e.move(42, 20));
    EXPECT_EQ(e.workingGlyph()[12], '6');

    EXPECT_TRUE(e.leftDown(52, 20)); // column 4: digit 13, bit 8
    EXPECT_TRUE(e.pixel(4, 1));
    EXPECT_TRUE(e.rightDown(52, 20));
    EXPECT_FALSE(e.pixel(4, 1));
    EXPECT_TRUE(e.move(52, 20));
    EXPECT_FALSE(e.pixel(4, 1));
    EXPECT_EQ(stored(GlyphSize::Large, 0)[13], '0');
}

// A quick drag reports only far-apart positions: the line between them is
// drawn whole, one pixel in each column, each touching the one before.
TEST_F(GlyphEditorTest, AQuickDragDrawsAContinuousLine) {
    auto e = editor(GlyphSize::Large); // cells 10 x 8 from (12, 12)
    EXPECT_TRUE(e.leftDown(37, 30));   // pixel (2, 2)
    EXPECT_TRUE(e.move(137, 72));      // pixel (12, 7)
    e.leftUp();
    int lit = 0;
    int lastRow = 2;
    for (int x = 2; x <= 12; ++x) {
        int rows = 0;
        for (int y = 0; y < 48; ++y) {
            if (e.pixel(x, y)) {
                ++rows;
                EXPECT_LE(std::abs(y - lastRow), 1) << "column " << x;
                lastRow = y;
            }
        }
        EXPECT_EQ(rows, 1) << "column " << x;
        lit += rows;
    }
    EXPECT_EQ(lit, 11);
    EXPECT_EQ(lastRow, 7);
    // Erasing with the right button follows the same line.
    EXPECT_TRUE(e.rightDown(37, 30));
    EXPECT_TRUE(e.move(137, 72));
    e.rightUp();
    EXPECT_EQ(e.workingGlyph(), std::string(576, '0'));
}

TEST_F(GlyphEditorTest, ChosenNumberReceivesTheWholeWorkingGlyphAtTheNextPixel) {
    stored(GlyphSize::Large, 0).assign(576, '1');
    auto e = editor(GlyphSize::Large);
    e.chooseNumber(4);
    EXPECT_EQ(state->glyphs.currentGlyph, 4);
    EXPECT_EQ(e.workingGlyph(), std::string(576, '1'));
    EXPECT_EQ(stored(GlyphSize::Large, 4), std::string(576, '0'));
    e.leftDown(22, 20);
    std::string expected(576, '1');
    expected[12] = '5';
    EXPECT_EQ(stored(GlyphSize::Large, 4), expected);
    EXPECT_EQ(stored(GlyphSize::Large, 0), std::string(576, '1'));
}

TEST_F(GlyphEditorTest, BufferClearAsksOnlyAfterDrawing) {
    stored(GlyphSize::Small, 0).assign(144, 'F');
    auto e = editor(GlyphSize::Small);
    EXPECT_TRUE(e.clearBuffer());
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(stored(GlyphSize::Small, 0), std::string(144, '0'));

    e.leftDown(32, 28);
    e.leftUp();
    host.answers = {false};
    EXPECT_FALSE(e.clearBuffer());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "データを保存せずにクリアしますか？");
    EXPECT_EQ(host.questions[0].caption, "バッファクリア");
    EXPECT_TRUE(e.pixel(1, 1));
    EXPECT_TRUE(state->glyphs.glyphDirty);

    // Ignored while a read is awaited.
    state->link.glyphReplyWait = true;
    EXPECT_FALSE(e.clearBuffer());
    EXPECT_EQ(host.questions.size(), 1u);
    state->link.glyphReplyWait = false;

    EXPECT_TRUE(e.clearBuffer());
    EXPECT_FALSE(state->glyphs.glyphDirty);
    EXPECT_EQ(e.workingGlyph(), std::string(144, '0'));
    EXPECT_EQ(stored(GlyphSize::Small, 0), std::string(144, '0'));
}

TEST_F(GlyphEditorTest, RegisterSendsNumberAndDigitsAfterTheConfirmation) {
    state->glyphs.currentGlyph = 0;
    auto e = editor(GlyphSize::Large);
    e.leftDown(22, 20);
    host.answers = {false};
    e.registerGlyph();
    EXPECT_TRUE(transport.serialWrites.empty());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "本機が自動切換えでない事を確認してください");
    EXPECT_EQ(host.questions[0].caption, "本機の確認");

    e.registerGlyph();
    std::string digits(576, '0');
    digits[12] = '4';
    ASSERT_EQ(transport.serialWrites.size(), 1u);
    EXPECT_EQ(transport.serialWrites[0], "GRL001" + digits + "\r\n");

    state->glyphs.currentGlyph = 159;
    auto m = editor(GlyphSize::Medium);
    m.registerGlyph();
    EXPECT_EQ(transport.serialWrites[1], "GRM160" + std::string(256, '0') + "\r\n");
}

TEST_F(GlyphEditorTest, ReadByNumberWaitsForItsReplyWhichReplacesTheGlyph) {
    state->glyphs.currentGlyph = 26;
    auto e = editor(GlyphSize::Large);
    e.readByNumber();
    ASSERT_EQ(transport.serialWrites.size(), 1u);
    EXPECT_EQ(transport.serialWrites[0], "RFBMLA421\r\n");
    EXPECT_TRUE(state->link.glyphReplyWait);
    e.readByNumber();
    EXPECT_EQ(transport.serialWrites.size(), 1u);

    // Whatever code the reply carries, it lands at currentGlyph.
    dispatchSerialReply(*state, host, "FBMLA365" + std::string(576, 'C') + "\r\n");
    EXPECT_FALSE(state->link.glyphReplyWait);
    EXPECT_EQ(e.workingGlyph(), std::string(576, 'C'));
    EXPECT_EQ(stored(GlyphSize::Large, 26), std::string(576, 'C'));
    EXPECT_EQ(host.glyphEditorRefreshes, 1);
    e.readByNumber();
    EXPECT_EQ(transport.serialWrites.size(), 2u);
}

TEST_F(GlyphEditorTest, ReadWithoutTcpConnectionIsAnError) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    auto e = editor(GlyphSize::Small);
    e.readByNumber();
    e.setSample("\x88\x9F");
    e.readSample();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(host.messages[0].text, "Socket が接続されていません");
    EXPECT_TRUE(transport.socketSends.empty());
    EXPECT_FALSE(state->link.glyphReplyWait);
}

TEST_F(GlyphEditorTest, ReadOverTcpNeverLeavesTheWaitBehind) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    state->link.socketConnected = true;
    auto e = editor(GlyphSize::Small);
    transport.queueData("FBMSA365" + std::string(144, '9') + "\r\n");
    e.readByNumber();
    ASSERT_EQ(transport.socketSends.size(), 1u);
    EXPECT_EQ(transport.socketSends[0].second, "RFBMSA365\r\n");
    EXPECT_EQ(e.workingGlyph(), std::string(144, '9'));
    // No answer: the warning, and the next read goes out.
    e.readByNumber();
    EXPECT_FALSE(state->link.glyphReplyWait);
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Answer が､きません"});
    e.readByNumber();
    EXPECT_EQ(transport.socketSends.size(), 3u);
}

// The sample character goes out by its JIS code; IBM extension characters
// by their NEC-selected equivalents; no sample reads the full-width space.
TEST_F(GlyphEditorTest, SampleReadSendsTheCharactersJisCode) {
    auto e = editor(GlyphSize::Small);
    e.setSample("\x88\x9F"); // 亜
    EXPECT_EQ(e.sample(), "\x88\x9F");
    e.readSample();
    dispatchSerialReply(*state, host, "GO\r\n");
    e.setSample("\xFA\x40"); // small roman numeral one, IBM extension
    e.readSample();
    dispatchSerialReply(*state, host, "GO\r\n");
    e.setSample("A");
    EXPECT_EQ(e.sample(), "");
    e.readSample();
    ASSERT_EQ(transport.serialWrites.size(), 3u);
    EXPECT_EQ(transport.serialWrites[0], "RFBMS3021\r\n");
    EXPECT_EQ(transport.serialWrites[1], "RFBMS7C71\r\n");
    EXPECT_EQ(transport.serialWrites[2], "RFBMS2121\r\n");
    EXPECT_EQ(sampleJisCode("\x82\xA0"), 0x2422); // あ
}

// A read nobody answers ends with the no-answer rule; the editor can read
// again and busyStep is not left marked.
TEST_F(GlyphEditorTest, UnansweredSerialReadIsGivenUp) {
    auto e = editor(GlyphSize::Medium);
    e.readByNumber();
    EXPECT_FALSE(endUnansweredGlyphRead(*state));
    for (int i = 0; i < 30; ++i) {
        tickWork(*state, host);
    }
    EXPECT_EQ(host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_TRUE(endUnansweredGlyphRead(*state));
    EXPECT_FALSE(state->link.glyphReplyWait);
    EXPECT_EQ(state->model.busyStep, 0);
    e.readByNumber();
    EXPECT_EQ(transport.serialWrites.size(), 2u);
}

TEST_F(GlyphEditorTest, DeriveAsksThenBuildsTheOtherSizes) {
    state->glyphs.currentGlyph = 99;
    auto m = editor(GlyphSize::Medium);
    m.leftDown(27, 24);
    host.answers = {false};
    EXPECT_FALSE(m.deriveSizes());
    EXPECT_EQ(stored(GlyphSize::Small, 99), std::string(144, '0'));
    EXPECT_TRUE(m.deriveSizes());
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[1].text, "この外字をベースに他のサイズを作成しますか？");
    EXPECT_EQ(host.questions[1].caption, "他サイズ作成");
    // Medium pixel (1, 1) is digit 0 of row 1; small row 1 reads medium row
    // 4 * 1 / 3 = 1, small row 0 reads medium row 0.
    EXPECT_EQ(stored(GlyphSize::Small, 99).substr(0, 12), "000000400000");
    for (const auto& g : state->glyphs.table(GlyphFace::Gothic, GlyphSize::Large)) {
        EXPECT_EQ(g, std::string(576, '0'));
    }
    EXPECT_TRUE(transport.serialWrites.empty());
}

TEST_F(GlyphEditorTest, CloseGivesUpTheWait) {
    auto e = editor(GlyphSize::Large);
    e.readByNumber();
    e.leftDown(30, 30);
    e.close();
    EXPECT_FALSE(state->link.glyphReplyWait);
    EXPECT_FALSE(e.leftDragging());
}

} // namespace
} // namespace tlx
