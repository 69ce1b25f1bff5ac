#include "dialogs/page_attribute_dialog.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;

class PageAttributeTest : public ::testing::Test {
  protected:
    std::unique_ptr<AppState> state = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;

    void useModel(Product p) { state = makeAppState(p); }

    std::unique_ptr<PageAttributeDialog> open(Feature f) {
        const PageAttributeDescriptor* d = pageAttributeDescriptor(state->product, f);
        EXPECT_NE(d, nullptr);
        return std::make_unique<PageAttributeDialog>(*d, *state, host, link);
    }
};

TEST_F(PageAttributeTest, FamilyMembersOfEachModel) {
    EXPECT_NE(pageAttributeDescriptor(Product::F, Feature::AutoSwitch), nullptr);
    EXPECT_NE(pageAttributeDescriptor(Product::F, Feature::Levels), nullptr);
    EXPECT_EQ(pageAttributeDescriptor(Product::F, Feature::Blink), nullptr);
    EXPECT_EQ(pageAttributeDescriptor(Product::F, Feature::ScrollSpeed), nullptr);
    for (Feature f :
         {Feature::CharSize, Feature::TitlePosition, Feature::VerticalOffset, Feature::ScrollSpeed,
          Feature::Blink, Feature::AutoSwitch, Feature::Colours, Feature::BackgroundFill,
          Feature::EraseTime, Feature::FontType, Feature::Levels}) {
        EXPECT_NE(pageAttributeDescriptor(Product::S, f), nullptr);
    }
    EXPECT_EQ(pageAttributeDescriptor(Product::S, Feature::Centering), nullptr);
}

// Each literal is mnemonic + page + the fields of one page.
TEST_F(PageAttributeTest, LiteralsHoldOnePage) {
    for (const PageAttributeDescriptor& d : pageAttributeDescriptors()) {
        std::size_t width = 0;
        for (int w = 0; w < d.valueCount; ++w) {
            width +=
                static_cast<std::size_t>(d.value[static_cast<std::size_t>(w)].pageField.width());
        }
        EXPECT_EQ(d.pageLiteral.size(), d.mnemonic.size() + 3 + width) << d.titleWord;
        EXPECT_EQ(d.pageLiteral.substr(0, d.mnemonic.size()), d.mnemonic);
    }
}

TEST_F(PageAttributeTest, AutoSwitchPageAndAllPagesCommands) {
    auto dialog = open(Feature::AutoSwitch);
    dialog->choosePage(6);
    dialog->chooseValue(0, 45);
    EXPECT_EQ(state->model.autoSwitchTime[6], 45);
    dialog->sendPage();
    ASSERT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(link.serialWrites[0], "PAST00745\r\n");

    dialog->chooseAllPages(0, 10);
    EXPECT_EQ(link.serialWrites.size(), 1u); // choosing sends nothing
    EXPECT_FALSE(dialog->pressSendAll());
    ASSERT_EQ(link.serialWrites.size(), 2u);
    std::string expected = "PAST";
    for (std::size_t p = 0; p < kPages; ++p) {
        expected += "10";
    }
    expected += "\r\n";
    EXPECT_EQ(link.serialWrites[1], expected);
    EXPECT_EQ(link.serialWrites[1].size(), 1030u);
    EXPECT_TRUE(host.questions.empty()); // one line: no confirmation
}

// Automatic switching does not keep the all-pages choice: reopened, its box
// shows the memory's first value again.
TEST_F(PageAttributeTest, AllPagesChoiceRememberedOnlyWhereTheDialogKeepsIt) {
    open(Feature::AutoSwitch)->chooseAllPages(0, 30);
    EXPECT_EQ(state->model.autoSwitchTime[511], 30);
    EXPECT_EQ(open(Feature::AutoSwitch)->allPagesChoice(0), 0);

    open(Feature::Levels)->chooseAllPages(1, 4);
    EXPECT_EQ(state->model.blackLevel[0], 4);
    EXPECT_EQ(state->model.whiteLevel[0], 2);
    EXPECT_EQ(open(Feature::Levels)->allPagesChoice(1), 4);
    EXPECT_EQ(open(Feature::Levels)->allPagesChoice(0), 0);
}

TEST_F(PageAttributeTest, LevelsCommands) {
    state->model.whiteLevel[0] = 4;
    state->model.blackLevel[0] = 1;
    auto dialog = open(Feature::Levels);
    EXPECT_EQ(dialog->descriptor().pageButtonLabel, "設定");
    EXPECT_EQ(dialog->pageCommand(0), "CL00141\r\n");
    EXPECT_EQ(dialog->pageCommand(511), "CL51222\r\n");
    const std::string all = dialog->allPagesCommand();
    ASSERT_EQ(all.size(), 2u + 1024u + 2u);
    EXPECT_EQ(all.substr(0, 8), "CL412222");
}

TEST_F(PageAttributeTest, PreviewShowsTheBlockOf32Pages) {
    auto dialog = open(Feature::AutoSwitch);
    dialog->choosePage(32); // page 33
    state->model.autoSwitchTime[32] = 7;
    std::vector<PreviewText> view = dialog->preview();
    ASSERT_EQ(view.size(), 32u);
    EXPECT_EQ(view[0], (PreviewText{20, 10, "P033 = 07 秒"}));
    EXPECT_EQ(view[31], (PreviewText{20 + 390, 10 + 23 * 7, "P064 = 03 秒"}));
    EXPECT_EQ(view[8].x, 150);
    dialog->choosePage(31); // page 32
    view = dialog->preview();
    EXPECT_EQ(view[0].text, "P001 = 03 秒");
    EXPECT_EQ(view[31].text, "P032 = 03 秒");
}

TEST_F(PageAttributeTest, LevelsPreviewHasColumnHeaders) {
    state->model.whiteLevel[8] = 0;
    const std::vector<PreviewText> view = open(Feature::Levels)->preview();
    ASSERT_EQ(view.size(), 36u);
    EXPECT_EQ(view[0], (PreviewText{72, 2, "W  B"}));
    EXPECT_EQ(view[3], (PreviewText{72 + 390, 2, "W  B"}));
    EXPECT_EQ(view[4], (PreviewText{20, 20, "P001 = 2  2"}));
    EXPECT_EQ(view[12], (PreviewText{150, 20, "P009 = 0  2"}));
}

// --- model S ---

TEST_F(PageAttributeTest, ModelSBlinkSendsWordsPerPageAndLettersForAll) {
    useModel(Product::S);
    auto dialog = open(Feature::Blink);
    dialog->choosePage(2);
    dialog->chooseValue(0, 1);
    EXPECT_EQ(state->model.blink[2][0], 1);
    EXPECT_EQ(state->model.blink[2][1], 0); // the other lines stay
    dialog->sendPage();
    dialog->chooseValue(0, 0);
    dialog->pressSendAll();
    ASSERT_EQ(link.serialWrites.size(), 2u);
    EXPECT_EQ(link.serialWrites[0], "CBS003ON\r\n");
    EXPECT_EQ(link.serialWrites[1], "CBS" + std::string(512, 'F') + "\r\n");
    EXPECT_EQ(link.serialWrites[1].size(), 517u);
}

TEST_F(PageAttributeTest, ModelSScrollSpeedSendsTheDigitPlusOne) {
    useModel(Product::S);
    auto dialog = open(Feature::ScrollSpeed);
    dialog->chooseValue(0, 0);
    EXPECT_EQ(dialog->pageCommand(0), "ISS0011\r\n");
    dialog->chooseValue(0, 3);
    EXPECT_EQ(dialog->pageCommand(0), "ISS0014\r\n");
    EXPECT_EQ(dialog->allPagesCommand().substr(0, 6), "ISS433");
    EXPECT_EQ(dialog->preview()[0].text, "P001 4 ");
}

TEST_F(PageAttributeTest, ModelSCommandsFromTheDefaults) {
    useModel(Product::S);
    struct Case {
        Feature f;
        const char* page;
        const char* preview;
    };
    const Case cases[] = {
        {Feature::CharSize, "CFS001M", "P001 MEDIUM  "},
        {Feature::TitlePosition, "IDP001B", "P001 BOTTOM"},
        {Feature::VerticalOffset, "IDO00100", "P001 00"},
        {Feature::AutoSwitch, "PAS001L", "P001 LIVE "},
        {Feature::BackgroundFill, "FB001OF", "P001 OFF"},
        {Feature::EraseTime, "IDRT001000", "P001 000 秒"},
        {Feature::FontType, "CFT001G", "P001 ゴシック体"},
    };
    for (const Case& c : cases) {
        auto dialog = open(c.f);
        EXPECT_EQ(dialog->pageCommand(0), std::string(c.page) + "\r\n");
        EXPECT_EQ(dialog->preview()[0].text, c.preview);
    }
    state->model.titlePosition[1] = 0;
    auto position = open(Feature::TitlePosition);
    EXPECT_EQ(position->preview()[1].text, "P002 TOP      ");
    EXPECT_EQ(position->allPagesCommand().substr(0, 6), "IDPBTB");
    state->model.lineSpacing[0][0] = 15;
    EXPECT_EQ(open(Feature::VerticalOffset)->allPagesCommand().substr(0, 7), "IDO1500");
    EXPECT_EQ(open(Feature::VerticalOffset)->allPagesCommand().size(), 3u + 1024u + 2u);
}

TEST_F(PageAttributeTest, ModelSColoursShowEightPages) {
    useModel(Product::S);
    state->dialogs.currentPage = 9;
    state->model.charColour[8][0] = 5;
    state->model.outlineColour[8][0] = 6;
    auto dialog = open(Feature::Colours);
    EXPECT_EQ(dialog->pageCommand(8), "CABC00956\r\n");
    const std::vector<PreviewText> view = dialog->preview();
    ASSERT_EQ(view.size(), 9u);
    EXPECT_EQ(view[0], (PreviewText{80, 1, "文字色　　縁取り色"}));
    EXPECT_EQ(view[1], (PreviewText{10, 20, "Page 009 マゼンタ　シアン　　"}));
    EXPECT_EQ(view[8], (PreviewText{10, 20 + 23 * 7, "Page 016 白　　　　黒　　　　"}));
    dialog->chooseAllPages(0, 1);
    EXPECT_EQ(dialog->allPagesCommand().substr(0, 8), "CABC1010");
    EXPECT_EQ(state->dialogs.of(Attribute::CharColour).allPages, 1);
}

// A letter value the list does not know keeps the literal's field.
TEST_F(PageAttributeTest, UnknownLetterValueKeepsTheLiteral) {
    useModel(Product::S);
    state->model.titlePosition[0] = 9;
    state->model.blink[0][0] = 7;
    EXPECT_EQ(open(Feature::TitlePosition)->pageCommand(0), "IDP001T\r\n");
    EXPECT_EQ(open(Feature::TitlePosition)->allPagesCommand().substr(0, 5), "IDPTB");
    EXPECT_EQ(open(Feature::TitlePosition)->value(0), -1);
    EXPECT_EQ(open(Feature::Blink)->pageCommand(0), "CBS001OF\r\n");
    EXPECT_EQ(open(Feature::Blink)->allPagesCommand().substr(0, 5), "CBSFF");
}

TEST_F(PageAttributeTest, ModelSEraseTimeIsAPacedRun) {
    useModel(Product::S);
    for (std::size_t p = 0; p < kPages; ++p) {
        state->model.eraseTime[p][0] = static_cast<std::int32_t>(p % 241);
    }
    auto dialog = open(Feature::EraseTime);
    ASSERT_TRUE(dialog->pressSendAll());
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_FALSE(dialog->closeEnabled());
    EXPECT_EQ(dialog->interval(), std::chrono::milliseconds(40));
    int ticks = 0;
    while (dialog->tick()) {
        ++ticks;
    }
    EXPECT_EQ(ticks, 511);
    ASSERT_EQ(link.serialWrites.size(), 512u);
    EXPECT_EQ(link.serialWrites[0], "IDRT001000\r\n");
    EXPECT_EQ(link.serialWrites[240], "IDRT241240\r\n");
    EXPECT_EQ(link.serialWrites[241], "IDRT242000\r\n");
    EXPECT_EQ(link.serialWrites[511], "IDRT512029\r\n");
    EXPECT_EQ(dialog->run().end(), RunEnd::Completed);
    EXPECT_EQ(state->model.busyStep, 0);
    EXPECT_EQ(dialog->progress().percent, "  ");
}

TEST_F(PageAttributeTest, SingleLineAllPagesOverTcpWithoutConnectionIsWarnedBySend) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    open(Feature::AutoSwitch)->pressSendAll();
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_TRUE(link.socketSends.empty());
}

} // namespace
} // namespace tlx
