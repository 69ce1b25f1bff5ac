#include "dialogs/title_caption.h"
#include "dialogs/title_entry.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"
#include "support/reply_lines.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;
using test::bytes;
using test::kJisMessage;
using test::repeat;

// A line command: the given codes, then full-width spaces up to 28 codes.
std::string lineCommand(std::string_view fixed, std::string_view codes) {
    return std::string(fixed) + std::string(codes) + repeat("2121", 28 - codes.size() / 4) + "\r\n";
}

struct Fixture {
    explicit Fixture(Product p) : state(makeAppState(p)), entry(*state, host, link) {}

    std::unique_ptr<AppState> state;
    FakeHost host;
    FakeTransport link;
    TitleEntry entry;

    SettingsModel& model() { return state->model; }
};

TEST(TitleEntryEditing, ModelFTakesTheLineAndMarksTheModel) {
    Fixture f(Product::F);
    EXPECT_TRUE(f.entry.perLine());
    EXPECT_EQ(f.entry.inputLimit(), 56u);
    f.entry.chooseLine(2);
    f.model().dataModified = false;
    EXPECT_EQ(f.entry.edit("\x82\x60\x82\x61"), TitleEditResult::Stored);
    EXPECT_EQ(f.model().titleText[0][2].view(), "\x82\x60\x82\x61");
    EXPECT_TRUE(f.model().dataModified);
    EXPECT_EQ(f.entry.inputText(), "\x82\x60\x82\x61");
    // Half-width characters are taken: the check comes with the send.
    EXPECT_EQ(f.entry.edit("\x82\x60"
                           "A"),
              TitleEditResult::Stored);
    EXPECT_EQ(f.model().titleText[0][2].view(), "\x82\x60"
                                                "A");
}

TEST(TitleEntryEditing, InputLimitRefusesGrowthOnly) {
    Fixture f(Product::F);
    const std::string full = repeat("\x82\x60", 28);
    EXPECT_EQ(f.entry.edit(full), TitleEditResult::Stored);
    EXPECT_EQ(f.entry.edit(full + "A"), TitleEditResult::TooLong);
    EXPECT_EQ(f.model().titleText[0][0].view(), full);

    Fixture s(Product::S);
    EXPECT_FALSE(s.entry.perLine());
    EXPECT_EQ(s.entry.inputLimit(), 560u);
    EXPECT_EQ(s.entry.edit(repeat("\x82\x60", 280)), TitleEditResult::Stored);
    EXPECT_EQ(s.entry.edit(repeat("\x82\x60", 280) + "A"), TitleEditResult::TooLong);
    // A page text longer than the input (from a file) can still be shortened.
    s.model().titlePageText[1].assign(repeat("\x82\x60", 300));
    s.entry.choosePage(1);
    EXPECT_EQ(s.entry.edit(repeat("\x82\x60", 299)), TitleEditResult::Stored);
    EXPECT_EQ(s.model().titlePageText[1].size(), 598u);
    EXPECT_EQ(s.entry.edit(repeat("\x82\x60", 300)), TitleEditResult::TooLong);
}

TEST(TitleEntryEditing, GlyphUnitsWithControlBytesAreKept) {
    Fixture f(Product::F);
    // Glyphs 63 (0x1100), 73 (0x110A) and 76 (0x110D) around a letter.
    const std::string text = bytes({0x11, 0x00, 0x82, 0x60, 0x11, 0x0A, 0x11, 0x0D});
    EXPECT_EQ(f.entry.edit(text), TitleEditResult::Stored);
    EXPECT_EQ(f.model().titleText[0][0].view(), text);
    EXPECT_EQ(f.entry.inputText(), text);
    EXPECT_TRUE(f.entry.sendLine());
    ASSERT_EQ(f.link.serialWrites.size(), 1u);
    EXPECT_EQ(f.link.serialWrites[0], lineCommand("CA001L01", "A4452341A44FA452"));
}

TEST(TitleEntrySelection, ModelFCountsAChoiceAsAnEditThatKeepsTheText) {
    Fixture f(Product::F);
    f.model().titleText[4][7].assign("\x82\x60");
    f.entry.tick(); // the opening repaint
    f.model().dataModified = false;
    f.entry.choosePage(4);
    EXPECT_EQ(f.entry.currentPage(), 4);
    EXPECT_EQ(f.state->dialogs.currentPage, 4);
    EXPECT_TRUE(f.model().dataModified);
    EXPECT_TRUE(f.entry.previewPending()); // a page choice repaints later
    f.entry.tick();
    f.model().dataModified = false;
    f.entry.chooseLine(7);
    EXPECT_EQ(f.entry.inputText(), "\x82\x60");
    EXPECT_EQ(f.model().titleText[4][7].view(), "\x82\x60");
    EXPECT_TRUE(f.model().dataModified);
    EXPECT_FALSE(f.entry.previewPending()); // a line choice repaints at once
    f.entry.choosePage(512);
    f.entry.chooseLine(-1);
    f.entry.chooseLine(10);
    EXPECT_EQ(f.entry.currentPage(), 4);
    EXPECT_EQ(f.entry.currentLine(), 7);
}

TEST(TitleEntrySelection, ModelSFieldReportsNoChangeAndOpensOnTheLastPage) {
    auto state = makeAppState(Product::S);
    state->dialogs.currentPage = 9;
    state->model.titlePageText[9].assign("\x82\x61");
    FakeHost host;
    FakeTransport link;
    TitleEntry entry(*state, host, link);
    EXPECT_EQ(entry.inputText(), "\x82\x61");
    entry.choosePage(3);
    EXPECT_FALSE(state->model.dataModified);
    EXPECT_EQ(entry.inputText(), "");
}

TEST(TitleEntrySend, LineCommandsOfTheDocumentedCharacters) {
    struct Case {
        const char* name;
        std::string text;
        std::string codes;
    };
    const Case cases[] = {
        {"full-width A and B", "\x82\x60\x82\x61", "23412342"},
        {"hiragana and katakana", "\x82\xA0\x83\x41\x83\x93", "242225222573"},
        {"first and last kanji of level 1", "\x88\x9F\x98\x72", "30214F53"},
        {"first and last kanji of level 2", "\x98\x9F\xEA\xA4", "50217426"},
        {"symbols and digits", "\x81\x40\x81\x60\x82\x4F", "212121412330"},
        {"IBM extension 0xFA40 goes as 0xEEEF", "\xFA\x40", "7C71"},
        {"IBM extension 0xFB9C goes as 0xEE80", "\xFB\x9C", "7B60"},
        {"IBM extension 0xFC4B goes as 0xEEEC", "\xFC\x4B", "7C6E"},
        {"glyph 0x1001", bytes({0x10, 0x01}), "A346"},
        {"28 characters, no padding", repeat("\x82\x60", 28), repeat("2341", 28)},
        {"empty line", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(Product::F);
        f.entry.edit(c.text);
        EXPECT_TRUE(f.entry.sendLine());
        ASSERT_EQ(f.link.serialWrites.size(), 1u);
        EXPECT_EQ(f.link.serialWrites[0], lineCommand("CA001L01", c.codes));
        EXPECT_TRUE(f.host.messages.empty());
    }
}

TEST(TitleEntrySend, CharactersTheDeviceCannotShowAreRefused) {
    struct Case {
        const char* name;
        std::string text;
        std::string where; // the message's second line
    };
    const Case cases[] = {
        {"half-width letter",
         "\x82\x60"
         "A",
         "「A」 ページ 001 ライン 01 の 2 文字目"},
        {"half-width pair", "AB", "「A」 ページ 001 ライン 01 の 1 文字目"},
        {"half-width katakana", "\xB1\xB2", "「ｱ」 ページ 001 ライン 01 の 1 文字目"},
        {"IBM extension past the table", "\xFC\x4C",
         "「Shift-JIS FC4C」 ページ 001 ライン 01 の 1 文字目"},
        {"user-defined area", "\xF0\x40", "「Shift-JIS F040」 ページ 001 ライン 01 の 1 文字目"},
        {"half-width space and letter", "\x82\x60 A",
         "「半角スペース」 ページ 001 ライン 01 の 2 文字目"},
        {"after a glyph", "\x10\x01\x82\x60\xDF", "「ﾟ」 ページ 001 ライン 01 の 3 文字目"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(Product::F);
        f.entry.edit(c.text);
        EXPECT_FALSE(f.entry.sendLine());
        EXPECT_TRUE(f.link.serialWrites.empty());
        ASSERT_EQ(f.host.messages.size(), 1u);
        EXPECT_EQ(f.host.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(f.host.messages[0].text, kJisMessage + "\n" + c.where);
        EXPECT_EQ(f.host.messages[0].caption, "Error");
    }
}

TEST(TitleEntrySend, CharacterWithoutShiftJisCodeIsRefusedWithTheJisMessage) {
    Fixture f(Product::F);
    f.entry.refuseCharacter();
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(f.host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(f.host.messages[0].text, kJisMessage);
}

TEST(TitleEntrySend, PageWithABadFifthLineSendsNothingAndWarnsOnce) {
    Fixture f(Product::F);
    f.entry.choosePage(6);
    f.model().titleText[6][0].assign("\x82\x60");
    f.model().titleText[6][4].assign("A");
    EXPECT_FALSE(f.entry.sendPage());
    EXPECT_TRUE(f.link.serialWrites.empty());
    EXPECT_EQ(f.host.texts(),
              std::vector<std::string>{kJisMessage + "\n「A」 ページ 007 ライン 05 の 1 文字目"});
    f.model().titleText[6][4].assign("\x82\x61");
    EXPECT_TRUE(f.entry.sendPage());
    ASSERT_EQ(f.link.serialWrites.size(), 1u);
    EXPECT_EQ(f.link.serialWrites[0], "CA007"
                                      "2341" +
                                          repeat("2121", 27 + 3 * 28) + "2342" +
                                          repeat("2121", 27 + 5 * 28) + "\r\n");
}

TEST(TitleEntrySend, ModelSSendsThePageStringWithItsGlyphs) {
    Fixture s(Product::S);
    s.entry.choosePage(1);
    s.entry.edit(bytes({0x82, 0x60, 0x12, 0x0D, 0x13, 0x00}));
    EXPECT_FALSE(s.entry.sendLine()); // model S has no line send
    EXPECT_TRUE(s.entry.sendPage());
    ASSERT_EQ(s.link.serialWrites.size(), 1u);
    EXPECT_EQ(s.link.serialWrites[0], "CA002"
                                      "2341A552A645" +
                                          repeat("2121", 277) + "\r\n");
    s.entry.edit(repeat("\x82\x60", 10) + "A");
    EXPECT_FALSE(s.entry.sendPage());
    EXPECT_EQ(s.host.texts(),
              std::vector<std::string>{kJisMessage + "\n「A」 ページ 002 の 11 文字目"});
}

TEST(TitleEntrySend, RS485AddressGoesInFront) {
    Fixture f(Product::F);
    f.state->connection.rsControl = 1;
    f.entry.slaveAddress().choose(5);
    f.entry.edit("\x82\x60");
    f.entry.sendLine();
    ASSERT_EQ(f.link.serialWrites.size(), 1u);
    EXPECT_EQ(f.link.serialWrites[0], "05" + lineCommand("CA001L01", "2341"));
}

TEST(TitleEntryAllPages, ConfirmationThenOnePagePerTick) {
    Fixture f(Product::F);
    f.model().titleText[255][0].assign("\x82\x60");
    f.entry.tick(); // the opening repaint
    f.host.answers.push_back(false);
    EXPECT_FALSE(f.entry.sendAll());
    ASSERT_EQ(f.host.questions.size(), 1u);
    EXPECT_EQ(f.host.questions[0].text, "本機が自動切換えでない事を確認してください");
    EXPECT_EQ(f.host.questions[0].caption, "本機の確認");
    EXPECT_EQ(f.model().busyStep, 0);

    ASSERT_TRUE(f.entry.sendAll());
    EXPECT_TRUE(f.entry.sending());
    EXPECT_EQ(f.model().busyStep, 1);
    // The line and page sends do nothing meanwhile.
    EXPECT_FALSE(f.entry.sendLine());
    EXPECT_FALSE(f.entry.sendPage());
    EXPECT_TRUE(f.link.serialWrites.empty());
    // Nor does a second press.
    EXPECT_FALSE(f.entry.sendAll());

    int ticks = 0;
    while (f.entry.sending() && ticks < 600) {
        const int step = f.model().busyStep;
        const TitleTick t = f.entry.tick();
        ++ticks;
        EXPECT_TRUE(t.progressChanged);
        EXPECT_EQ(static_cast<int>(f.link.serialWrites.size()), ticks);
        if (step == 256) {
            EXPECT_EQ(f.entry.progress().percent, " 50.0");
            EXPECT_EQ(f.link.serialWrites.back(), "CA256"
                                                  "2341" +
                                                      repeat("2121", 279) + "\r\n");
        }
        EXPECT_EQ(t.keepTimer, f.entry.sending());
    }
    EXPECT_EQ(ticks, 512);
    EXPECT_EQ(f.entry.runEnd(), RunEnd::Completed);
    EXPECT_EQ(f.link.serialWrites.back().substr(0, 5), "CA512");
    EXPECT_EQ(f.model().busyStep, 0);
    EXPECT_EQ(f.entry.progress().percent, "      ");
    EXPECT_EQ(f.entry.progress().bar, 0);
    EXPECT_EQ(f.entry.progress().activity, 0);
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(TitleEntryAllPages, APendingPreviewTickSendsNothingAndTheRunGoesOn) {
    Fixture f(Product::F);
    f.entry.tick();
    ASSERT_TRUE(f.entry.sendAll());
    f.entry.tick();
    f.entry.tick();
    ASSERT_EQ(f.link.serialWrites.size(), 2u);
    // Covering and uncovering the dialog, or choosing a page.
    f.entry.schedulePreview();
    TitleTick t = f.entry.tick();
    EXPECT_TRUE(t.repaintPreview);
    EXPECT_FALSE(t.progressChanged);
    EXPECT_TRUE(t.keepTimer);
    EXPECT_EQ(f.link.serialWrites.size(), 2u);
    f.entry.choosePage(20);
    t = f.entry.tick();
    EXPECT_TRUE(t.repaintPreview);
    EXPECT_EQ(f.link.serialWrites.size(), 2u);
    int ticks = 0;
    while (f.entry.sending() && ticks < 600) {
        f.entry.tick();
        ++ticks;
    }
    EXPECT_EQ(f.link.serialWrites.size(), 512u);
    EXPECT_EQ(f.entry.runEnd(), RunEnd::Completed);
    // Idle, a repaint tick stops the timer.
    f.entry.schedulePreview();
    t = f.entry.tick();
    EXPECT_TRUE(t.repaintPreview);
    EXPECT_FALSE(t.keepTimer);
}

TEST(TitleEntryAllPages, ARefusalStopsAtTheNextTickAndABadPageEndsTheRun) {
    Fixture f(Product::F);
    f.entry.tick();
    ASSERT_TRUE(f.entry.sendAll());
    f.entry.tick();
    f.state->link.abortFlag = true; // "E3" from the device
    const TitleTick t = f.entry.tick();
    EXPECT_FALSE(t.keepTimer);
    EXPECT_EQ(f.entry.runEnd(), RunEnd::Stopped);
    EXPECT_EQ(f.link.serialWrites.size(), 1u);
    EXPECT_EQ(f.model().busyStep, 0);
    EXPECT_FALSE(f.state->link.abortFlag);

    Fixture g(Product::F);
    g.model().titleText[2][3].assign("A");
    g.entry.tick();
    ASSERT_TRUE(g.entry.sendAll());
    while (g.entry.sending()) {
        g.entry.tick();
    }
    EXPECT_EQ(g.link.serialWrites.size(), 2u);
    EXPECT_EQ(g.entry.runEnd(), RunEnd::Rejected);
    EXPECT_EQ(g.host.texts(),
              std::vector<std::string>{kJisMessage + "\n「A」 ページ 003 ライン 04 の 1 文字目"});
    EXPECT_EQ(g.model().busyStep, 0);
}

TEST(TitleEntryAllPages, NotConnectedOverTcpIsReportedBeforeAnything) {
    Fixture f(Product::F);
    f.state->connection.interfaceKind = InterfaceKind::Tcp;
    f.state->link.socketConnected = false;
    EXPECT_FALSE(f.entry.sendAll());
    EXPECT_EQ(f.host.questions.size(), 1u);
    EXPECT_EQ(f.host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_EQ(f.model().busyStep, 0);
}

TEST(TitleEntryClose, ModelFAbandonsTheSendModelSWaitsForIt) {
    Fixture f(Product::F);
    f.entry.tick();
    ASSERT_TRUE(f.entry.sendAll());
    f.entry.tick();
    EXPECT_TRUE(f.entry.closeEnabled());
    EXPECT_TRUE(f.entry.close());
    EXPECT_FALSE(f.entry.sending());
    EXPECT_EQ(f.model().busyStep, 0);
    f.entry.tick();
    EXPECT_EQ(f.link.serialWrites.size(), 1u);

    Fixture s(Product::S);
    s.entry.tick();
    ASSERT_TRUE(s.entry.sendAll());
    s.entry.tick();
    EXPECT_FALSE(s.entry.closeEnabled());
    EXPECT_FALSE(s.entry.close());
    EXPECT_TRUE(s.entry.sending());
    while (s.entry.sending()) {
        s.entry.tick();
    }
    EXPECT_EQ(s.link.serialWrites.size(), 512u);
    EXPECT_EQ(s.entry.progress().percent, "  ");
    EXPECT_TRUE(s.entry.closeEnabled());
    EXPECT_TRUE(s.entry.close());

    // Only its own send holds model S open, not a busyStep left by others.
    Fixture held(Product::S);
    held.model().busyStep = held.state->traits().busyStepPastEnd;
    EXPECT_TRUE(held.entry.closeEnabled());
    EXPECT_TRUE(held.entry.close());
}

// A send refused because another transfer holds busyStep says so.
TEST(TitleEntrySend, RefusedWhileAnotherTransferHoldsTheLinkAndSaysSo) {
    Fixture f(Product::F);
    f.model().busyStep = 7;
    EXPECT_FALSE(f.entry.sendLine());
    EXPECT_FALSE(f.entry.sendPage());
    EXPECT_FALSE(f.entry.sendAll());
    EXPECT_TRUE(f.link.serialWrites.empty());
    EXPECT_EQ(f.host.texts(), std::vector<std::string>(3, "他の転送を実行中です。"));
    EXPECT_EQ(f.host.messages[0].kind, MessageKind::Warning);
}

TEST(TitleEntryPreview, RowsShowGlyphsAsSpacesAndFillTheField) {
    Fixture f(Product::F);
    f.entry.choosePage(41);
    f.model().titleText[41][0].assign(bytes({0x82, 0x60, 0x11, 0x00, 0x82, 0x61}));
    f.model().titleText[41][9].assign(repeat("\x88\x9F", 28));
    f.model().titleText[41][2].assign("A");
    const auto rows = f.entry.previewRows();
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0], "Page 042");
    EXPECT_EQ(rows[1], "Line01 = \x82\x60\x81\x40\x82\x61" + repeat("\x81\x40", 25));
    EXPECT_EQ(rows[2], "Line02 = " + repeat("\x81\x40", 28));
    EXPECT_EQ(rows[3], "Line03 = A " + repeat("\x81\x40", 27));
    EXPECT_EQ(rows[10], "Line10 = " + repeat("\x88\x9F", 28));
}

TEST(TitleCaption, AddressReplacesTheTitleWithTheTcpWord) {
    EXPECT_EQ(captionWithAddress("タイトルの設定", "タイトル入力", ""), "タイトルの設定");
    EXPECT_EQ(captionWithAddress("タイトルの設定", "タイトル入力", "192.168.0.7"),
              "タイトル入力 192.168.0.7");
}

} // namespace
} // namespace tlx
