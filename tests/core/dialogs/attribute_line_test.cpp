#include "dialogs/line_attribute_dialog.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;

class LineAttributeTest : public ::testing::Test {
  protected:
    std::unique_ptr<AppState> state = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;

    std::unique_ptr<LineAttributeDialog> open(Feature f) {
        const LineAttributeDescriptor* d = lineAttributeDescriptor(Product::F, f);
        EXPECT_NE(d, nullptr);
        return std::make_unique<LineAttributeDialog>(*d, *state, host, link);
    }
};

TEST_F(LineAttributeTest, OnlyModelFHasTheFamily) {
    EXPECT_NE(lineAttributeDescriptor(Product::F, Feature::Blink), nullptr);
    EXPECT_EQ(lineAttributeDescriptor(Product::S, Feature::Blink), nullptr);
    EXPECT_EQ(lineAttributeDescriptor(Product::F, Feature::AutoSwitch), nullptr);
    EXPECT_EQ(lineAttributeDescriptors().size(), 9u);
}

// Every template is as long as its mnemonic, the page digits and ten fields,
// so the fields of lines 1..10 land where the device reads them.
TEST_F(LineAttributeTest, TemplatesHoldTenFields) {
    for (const LineAttributeDescriptor& d : lineAttributeDescriptors()) {
        std::size_t line = 0;
        std::size_t page = 0;
        for (int w = 0; w < d.valueCount; ++w) {
            line +=
                static_cast<std::size_t>(d.value[static_cast<std::size_t>(w)].lineField.width());
            page +=
                static_cast<std::size_t>(d.value[static_cast<std::size_t>(w)].pageField.width());
        }
        EXPECT_EQ(d.lineLiteral.size(), d.mnemonic.size() + 6 + line) << d.titleWord;
        EXPECT_EQ(d.pageTemplate.size(), d.mnemonic.size() + 3 + 10 * page) << d.titleWord;
        EXPECT_EQ(d.lineLiteral.substr(0, d.mnemonic.size()), d.mnemonic);
        EXPECT_EQ(d.pageTemplate.substr(0, d.mnemonic.size()), d.mnemonic);
    }
}

TEST_F(LineAttributeTest, BlinkLineAndPageCommands) {
    auto dialog = open(Feature::Blink);
    dialog->choosePage(511);
    dialog->chooseLine(9);
    dialog->chooseValue(0, 1);
    EXPECT_EQ(state->model.blink[511][9], 1);
    EXPECT_TRUE(link.serialWrites.empty()); // a value choice sends nothing
    dialog->sendLine();
    dialog->choosePage(0);
    dialog->sendPage();
    dialog->choosePage(511);
    dialog->sendPage();
    ASSERT_EQ(link.serialWrites.size(), 3u);
    EXPECT_EQ(link.serialWrites[0], "CBS512L10ON\r\n");
    EXPECT_EQ(link.serialWrites[1], "CBS001FFFFFFFFFF\r\n");
    EXPECT_EQ(link.serialWrites[2], "CBS512FFFFFFFFFN\r\n");
}

// The model's defaults give each member's line command for page 1 line 1 and
// its page command for page 1.
TEST_F(LineAttributeTest, CommandsOfEveryMemberFromTheDefaults) {
    struct Case {
        Feature f;
        const char* line;
        const char* page;
    };
    const Case cases[] = {
        {Feature::Blink, "CBS001L01OF", "CBS001FFFFFFFFFF"},
        {Feature::CharSize, "CFS001L01M", "CFS001MMMMMMMMMM"},
        {Feature::Centering, "IDP001L01L", "IDP001LLLLLLLLLL"},
        {Feature::EraseTime, "IDRT001L01000", "IDRT001000000000000000000000000000000"},
        {Feature::BackgroundFill, "FB001L01OF", "FB001FFFFFFFFFF"},
        {Feature::FontType, "CFT001L01G", "CFT001GGGGGGGGGG"},
        {Feature::LineSpacing, "IDLS001L0100", "IDLS00100000000000000000000"},
        {Feature::Colours, "CABC001L0170", "CABC00170707070707070707070"},
        {Feature::HorizontalOffset, "IDOH001L0100", "IDOH00100000000000000000000"},
    };
    for (const Case& c : cases) {
        auto dialog = open(c.f);
        EXPECT_EQ(dialog->lineCommand(0, 0), std::string(c.line) + "\r\n");
        EXPECT_EQ(dialog->pageCommand(0), std::string(c.page) + "\r\n");
    }
}

TEST_F(LineAttributeTest, FieldsOfEachLineInOrder) {
    for (std::size_t l = 0; l < kLines; ++l) {
        state->model.eraseTime[6][l] = static_cast<std::int32_t>(l) * 24 + 24; // 24..240
        state->model.lineSpacing[6][l] = static_cast<std::int32_t>(l) + 54;    // 54..63
        state->model.charColour[6][l] = static_cast<std::int32_t>(l % 9);
        state->model.outlineColour[6][l] = 8 - static_cast<std::int32_t>(l % 9);
        state->model.charSize[6][l] = static_cast<std::int32_t>(l % 4);
        state->model.centering[6][l] = static_cast<std::int32_t>(l % 3);
    }
    EXPECT_EQ(open(Feature::EraseTime)->pageCommand(6),
              "IDRT007024048072096120144168192216240\r\n");
    EXPECT_EQ(open(Feature::LineSpacing)->pageCommand(6), "IDLS00754555657585960616263\r\n");
    EXPECT_EQ(open(Feature::Colours)->pageCommand(6), "CABC00708172635445362718008\r\n");
    EXPECT_EQ(open(Feature::Colours)->lineCommand(6, 9), "CABC007L1008\r\n");
    EXPECT_EQ(open(Feature::CharSize)->pageCommand(6), "CFS007ELMSELMSEL\r\n");
    EXPECT_EQ(open(Feature::Centering)->pageCommand(6), "IDP007LCRLCRLCRL\r\n");
    EXPECT_EQ(open(Feature::EraseTime)->lineCommand(6, 9), "IDRT007L10240\r\n");
}

// A value read from the device that the list does not offer is shown as its
// digits, leaves the box without a selection and goes out unchanged.
TEST_F(LineAttributeTest, ValueOutsideTheListGoesOutUnchanged) {
    state->model.lineSpacing[0][0] = 70;
    auto dialog = open(Feature::LineSpacing);
    EXPECT_EQ(dialog->value(0), -1);
    EXPECT_EQ(dialog->preview()[1].text, "Line01 = 70");
    EXPECT_EQ(dialog->lineCommand(0, 0), "IDLS001L0170\r\n");
    EXPECT_EQ(dialog->pageCommand(0), "IDLS00170000000000000000000\r\n");
}

TEST_F(LineAttributeTest, AllPagesChangesEveryLineOfEveryPageAndIsRemembered) {
    {
        auto dialog = open(Feature::CharSize);
        dialog->chooseAllPages(0, 3);
        for (std::size_t p = 0; p < kPages; ++p) {
            for (std::size_t l = 0; l < kLines; ++l) {
                ASSERT_EQ(state->model.charSize[p][l], 3);
            }
        }
        EXPECT_EQ(dialog->value(0), 3);
        // The box already shows SMALL: choosing it again is no change.
        state->model.charSize[5][5] = 1;
        dialog->chooseAllPages(0, 3);
        EXPECT_EQ(state->model.charSize[5][5], 1);
    }
    EXPECT_TRUE(link.serialWrites.empty());
    auto again = open(Feature::CharSize);
    EXPECT_EQ(again->allPagesChoice(0), 3);
    EXPECT_EQ(state->dialogs.of(Attribute::CharSize).allPages, 3);
    // Another attribute keeps its own memory.
    EXPECT_EQ(state->dialogs.of(Attribute::LineSpacing).allPages, 0);
}

TEST_F(LineAttributeTest, AllLinesChangesTheCurrentPageOnly) {
    auto dialog = open(Feature::Colours);
    dialog->choosePage(40);
    dialog->chooseAllLines(1, 4);
    dialog->chooseAllLines(0, 2);
    for (std::size_t l = 0; l < kLines; ++l) {
        EXPECT_EQ(state->model.charColour[40][l], 2);
        EXPECT_EQ(state->model.outlineColour[40][l], 4);
    }
    EXPECT_EQ(state->model.charColour[39][0], 7);
    EXPECT_EQ(state->model.outlineColour[41][9], 0);
    EXPECT_EQ(state->dialogs.of(Attribute::CharColour).allLines, 2);
    EXPECT_EQ(state->dialogs.of(Attribute::OutlineColour).allLines, 4);
    EXPECT_EQ(dialog->allLinesChoice(0), 2);
    EXPECT_EQ(dialog->allLinesChoice(1), 4);
    EXPECT_TRUE(link.serialWrites.empty());
}

TEST_F(LineAttributeTest, PageAndLineAreSharedBetweenDialogs) {
    open(Feature::Blink)->choosePage(99);
    state->dialogs.currentLine = 4;
    state->model.centering[99][4] = 2;
    auto centering = open(Feature::Centering);
    EXPECT_EQ(centering->page(), 99);
    EXPECT_EQ(centering->line(), 4);
    EXPECT_EQ(centering->value(0), 2);
    centering->choosePage(512); // not a page: ignored
    EXPECT_EQ(centering->page(), 99);
}

TEST_F(LineAttributeTest, PreviewTexts) {
    state->dialogs.currentPage = 122;
    state->model.outlineColour[122][1] = 5;
    state->model.charColour[122][1] = 6;
    const std::vector<PreviewText> colour = open(Feature::Colours)->preview();
    ASSERT_EQ(colour.size(), 12u);
    EXPECT_EQ(colour[0], (PreviewText{10, 1, "Page 123 "}));
    EXPECT_EQ(colour[1], (PreviewText{80, 1, "文字色　　縁取り色"}));
    EXPECT_EQ(colour[2], (PreviewText{20, 20, "Line01 = 白　　　　黒　　　　"}));
    EXPECT_EQ(colour[3], (PreviewText{20, 43, "Line02 = シアン　　マゼンタ　"}));
    EXPECT_EQ(colour[11].y, 20 + 23 * 9);

    state->model.backgroundFill[122][9] = 1;
    const std::vector<PreviewText> fill = open(Feature::BackgroundFill)->preview();
    ASSERT_EQ(fill.size(), 11u);
    EXPECT_EQ(fill[1].text, "Line01  = OFF");
    EXPECT_EQ(fill[10].text, "Line10  = ON ");

    state->model.eraseTime[122][2] = 240;
    EXPECT_EQ(open(Feature::EraseTime)->preview()[3].text, "Line03 = 240 秒");
    EXPECT_EQ(open(Feature::EraseTime)->preview()[1].text, "Line01 = 000 秒");
    EXPECT_EQ(open(Feature::FontType)->preview()[1].text, "Line01 = ゴシック体");
    EXPECT_EQ(open(Feature::CharSize)->preview()[1].text, "Line01 = MEDIUM  ");
    EXPECT_EQ(open(Feature::HorizontalOffset)->preview()[10].text, "Line10 = 00");
}

TEST_F(LineAttributeTest, ValueListsOfTheMembers) {
    EXPECT_EQ(open(Feature::EraseTime)->descriptor().values.size(), 241);
    EXPECT_EQ(open(Feature::EraseTime)->descriptor().values.item(240), "240");
    EXPECT_EQ(open(Feature::LineSpacing)->descriptor().values.item(63), "63");
    EXPECT_EQ(open(Feature::LineSpacing)->descriptor().values.size(), 64);
    EXPECT_EQ(open(Feature::HorizontalOffset)->descriptor().values.size(), 39);
    EXPECT_EQ(open(Feature::Colours)->descriptor().values.item(8), "ブランク");
    EXPECT_EQ(open(Feature::FontType)->descriptor().values.item(1), "明朝体　　");
}

// --- the paced run of all pages ---

TEST_F(LineAttributeTest, AllPagesRunSendsEveryPageWithProgress) {
    state->model.blink[0][0] = 1;
    auto dialog = open(Feature::Blink);
    ASSERT_TRUE(dialog->pressSendAll());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "本機が自動切換えでない事を確認してください");
    EXPECT_EQ(host.questions[0].caption, "本機の確認");
    EXPECT_EQ(state->model.busyStep, 1);
    EXPECT_FALSE(dialog->closeEnabled());
    EXPECT_EQ(dialog->interval(), std::chrono::milliseconds(40));
    EXPECT_TRUE(link.serialWrites.empty()); // the first page goes at the first tick

    ASSERT_TRUE(dialog->tick());
    EXPECT_EQ(dialog->progress().percent, "0");
    EXPECT_EQ(dialog->progress().bar, 1);
    EXPECT_EQ(state->model.busyStep, 2);
    // An edit during the run reaches the pages not yet sent.
    state->model.blink[1][9] = 1;
    int ticks = 1;
    while (dialog->tick()) {
        ++ticks;
        if (ticks == 511) {
            EXPECT_EQ(dialog->progress().percent, "99");
        }
    }
    EXPECT_EQ(ticks, 511); // and the 512th tick ends the run
    ASSERT_EQ(link.serialWrites.size(), 512u);
    EXPECT_EQ(link.serialWrites[0], "CBS001NFFFFFFFFF\r\n");
    EXPECT_EQ(link.serialWrites[1], "CBS002FFFFFFFFFN\r\n");
    EXPECT_EQ(link.serialWrites[511], "CBS512FFFFFFFFFF\r\n");
    EXPECT_EQ(dialog->run().end(), RunEnd::Completed);
    EXPECT_EQ(dialog->progress().percent, "  ");
    EXPECT_EQ(dialog->progress().bar, 0);
    EXPECT_EQ(state->model.busyStep, 0);
    EXPECT_TRUE(dialog->closeEnabled());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LineAttributeTest, ColourRunIsPacedAt100ms) {
    EXPECT_EQ(open(Feature::Colours)->interval(), std::chrono::milliseconds(100));
}

TEST_F(LineAttributeTest, LastPageShows100BeforeTheEnd) {
    auto dialog = open(Feature::Centering);
    ASSERT_TRUE(dialog->pressSendAll());
    state->model.busyStep = 512; // as if 511 pages had gone
    EXPECT_FALSE(dialog->tick());
    ASSERT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(link.serialWrites[0], "IDP512LLLLLLLLLL\r\n");
    EXPECT_EQ(dialog->run().end(), RunEnd::Completed);
}

TEST_F(LineAttributeTest, NoAtTheQuestionSendsNothing) {
    host.answers.push_back(false);
    auto dialog = open(Feature::Blink);
    EXPECT_FALSE(dialog->pressSendAll());
    EXPECT_EQ(state->model.busyStep, 0);
    EXPECT_TRUE(dialog->closeEnabled());
}

TEST_F(LineAttributeTest, NotConnectedOverTcpIsWarned) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    auto dialog = open(Feature::Blink);
    EXPECT_FALSE(dialog->pressSendAll());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              (test::ShownMessage{MessageKind::Warning, "Socket が接続されていません", "Error"}));
    EXPECT_EQ(state->model.busyStep, 0);
    EXPECT_TRUE(link.socketSends.empty());
}

TEST_F(LineAttributeTest, RefusedWhileAnotherTransferRunsAndSaysSo) {
    state->model.busyStep = 17;
    auto dialog = open(Feature::Blink);
    EXPECT_FALSE(dialog->pressSendAll());
    EXPECT_EQ(state->model.busyStep, 17);
    EXPECT_EQ(host.texts(), std::vector<std::string>{std::string(kMsgOtherTransferRuns)});
    EXPECT_TRUE(dialog->closeEnabled());
}

TEST_F(LineAttributeTest, DeviceErrorStopsAfterThePageInFlight) {
    auto dialog = open(Feature::FontType);
    ASSERT_TRUE(dialog->pressSendAll());
    ASSERT_TRUE(dialog->tick());
    ASSERT_TRUE(dialog->tick());
    dispatchSerialReply(*state, host, "E1\r\n");
    ASSERT_TRUE(state->link.abortFlag);
    EXPECT_FALSE(dialog->tick());
    EXPECT_EQ(link.serialWrites.size(), 2u);
    EXPECT_EQ(dialog->run().end(), RunEnd::Stopped);
    EXPECT_EQ(state->model.busyStep, 0);
    EXPECT_FALSE(state->link.abortFlag);
    EXPECT_TRUE(dialog->closeEnabled());
    EXPECT_EQ(dialog->progress().percent, "  ");
    // A new run is accepted.
    EXPECT_TRUE(dialog->pressSendAll());
}

TEST_F(LineAttributeTest, NoSerialAnswerEndsTheRunWithoutSending) {
    auto dialog = open(Feature::Blink);
    ASSERT_TRUE(dialog->pressSendAll());
    ASSERT_TRUE(dialog->tick());
    while (state->model.busyStep <= 512) {
        tickWork(*state, host); // the main window's tick: nobody answers
    }
    EXPECT_EQ(host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_FALSE(dialog->tick());
    EXPECT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(dialog->run().end(), RunEnd::CutShort);
    EXPECT_EQ(state->model.busyStep, 0);
}

TEST_F(LineAttributeTest, OverTcpEachPageWaitsForItsAnswer) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    state->connection.selectNumber = 0;
    state->link.socketConnected = true;
    auto dialog = open(Feature::LineSpacing);
    ASSERT_TRUE(dialog->pressSendAll());
    link.queueData("GO\r\n");
    ASSERT_TRUE(dialog->tick());
    link.queueData("E2\r\n");
    EXPECT_FALSE(dialog->tick()); // refused inside the send: stop at once
    ASSERT_EQ(link.socketSends.size(), 2u);
    EXPECT_EQ(link.socketSends[0].second, "IDLS00100000000000000000000\r\n");
    EXPECT_EQ(link.socketSends[1].second, "IDLS00200000000000000000000\r\n");
    EXPECT_EQ(dialog->run().end(), RunEnd::Stopped);
    EXPECT_EQ(state->model.busyStep, 0);
}

// A TCP/IP connection that drops during the run ends it with one warning,
// not one warning for every page left.
TEST_F(LineAttributeTest, ConnectionLostDuringTheRunStopsIt) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    state->link.socketConnected = true;
    auto dialog = open(Feature::Blink);
    ASSERT_TRUE(dialog->pressSendAll());
    link.queueData("GO\r\n");
    ASSERT_TRUE(dialog->tick());
    state->link.socketConnected = false;
    EXPECT_FALSE(dialog->tick());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_EQ(link.socketSends.size(), 1u);
    EXPECT_EQ(dialog->run().end(), RunEnd::Stopped);
    EXPECT_EQ(state->model.busyStep, 0);
    EXPECT_TRUE(dialog->closeEnabled());
}

TEST_F(LineAttributeTest, BroadcastOnRs485GoesOutWithFF) {
    state->connection.rsControl = 1;
    auto dialog = open(Feature::Blink);
    ASSERT_TRUE(dialog->slaveAddress().enabled());
    dialog->slaveAddress().choose(32);
    dialog->sendLine();
    ASSERT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(link.serialWrites[0], "FFCBS001L01OF\r\n");
}

TEST_F(LineAttributeTest, ClosingTheProgramDuringARunReleasesTheCounter) {
    {
        auto dialog = open(Feature::Blink);
        ASSERT_TRUE(dialog->pressSendAll());
        ASSERT_TRUE(dialog->tick());
    }
    EXPECT_EQ(state->model.busyStep, 0);
}

} // namespace
} // namespace tlx
