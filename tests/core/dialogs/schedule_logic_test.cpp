#include "dialogs/schedule_logic.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;

// "SD" + day, then per entry hour "00".."23", minute "00" and the page field.
std::string initialDay(const char* day, const char* page = "000") {
    std::string line = std::string("SD") + day;
    for (int h = 0; h < 24; ++h) {
        line += (h < 10 ? "0" : "") + std::to_string(h) + "00" + page;
    }
    return line + "\r\n";
}

struct Schedule : ::testing::Test {
    std::unique_ptr<AppState> s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
    ScheduleLogic logic{*s, host, link};
};

TEST_F(Schedule, DayThirtyOneAtItsInitialValues) {
    logic.chooseDay(30);
    logic.pressDaySet();
    ASSERT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(link.serialWrites[0], initialDay("31"));
    EXPECT_EQ(link.serialWrites[0].size(), 172u + 2u);
}

TEST_F(Schedule, PageFieldsForPageAutomaticSwitchingAndNoEntry) {
    logic.chooseEntry(0);
    logic.choosePage(511);
    logic.chooseEntry(1);
    logic.choosePage(512); // "PAS"
    logic.chooseEntry(2);
    logic.choosePage(4);
    logic.chooseHour(23);
    logic.chooseMinute(59);
    logic.chooseEntry(3);
    logic.choosePage(513); // "---"
    EXPECT_TRUE(link.serialWrites.empty());
    logic.pressDaySet();
    const std::string& line = link.serialWrites.at(0);
    EXPECT_EQ(line.substr(0, 4 + 28), "SD01"
                                      "0000512"
                                      "0100PAS"
                                      "2359005"
                                      "0300000");
    EXPECT_EQ(s->model.schedulePage[0][1], kPagePas);
    EXPECT_EQ(s->model.schedulePage[0][3], kPageNoEntry);
}

TEST_F(Schedule, EditsGoToTheChosenDayAndEntryAndAreRemembered) {
    logic.chooseDay(4);
    logic.chooseEntry(7);
    logic.chooseHour(12);
    logic.chooseMinute(30);
    logic.choosePage(9);
    EXPECT_EQ(s->model.scheduleHour[4][7], 12);
    EXPECT_EQ(s->model.scheduleMinute[4][7], 30);
    EXPECT_EQ(s->model.schedulePage[4][7], 9);
    // Out of the lists: nothing changes.
    logic.chooseHour(24);
    logic.chooseMinute(60);
    logic.choosePage(514);
    logic.chooseDay(31);
    logic.chooseEntry(24);
    EXPECT_EQ(logic.hour(), 12);
    EXPECT_EQ(logic.minute(), 30);
    EXPECT_EQ(logic.page(), 9);

    ScheduleLogic reopened(*s, host, link);
    EXPECT_EQ(reopened.day(), 4);
    EXPECT_EQ(reopened.entry(), 7);
    EXPECT_EQ(reopened.hour(), 12);
    EXPECT_EQ(reopened.page(), 9);
    reopened.chooseEntry(0);
    EXPECT_EQ(reopened.hour(), 0);
    EXPECT_EQ(reopened.page(), kPageNoEntry);
}

TEST_F(Schedule, ItemLists) {
    EXPECT_EQ(scheduleDayItems().size(), 31u);
    EXPECT_EQ(scheduleDayItems().front(), "01");
    EXPECT_EQ(scheduleEntryItems().back(), "24");
    EXPECT_EQ(scheduleHourItems().front(), "00");
    EXPECT_EQ(scheduleHourItems().back(), "23");
    EXPECT_EQ(scheduleMinuteItems().back(), "59");
    const auto pages = schedulePageItems();
    ASSERT_EQ(pages.size(), 514u);
    EXPECT_EQ(pages[0], "001");
    EXPECT_EQ(pages[511], "512");
    EXPECT_EQ(pages[512], "PAS");
    EXPECT_EQ(pages[513], "---");
}

TEST_F(Schedule, PreviewTexts) {
    s->model.schedulePage[0][1] = kPagePas;
    s->model.schedulePage[0][2] = 41;
    s->model.scheduleMinute[0][2] = 5;
    EXPECT_EQ(logic.entryText(0), "01 = 00:00 --- ");
    EXPECT_EQ(logic.entryText(1), "02 = 01:00 PAS  ");
    EXPECT_EQ(logic.entryText(2), "03 = 02:05 P042  ");
    EXPECT_EQ(logic.entryText(23), "24 = 23:00 --- ");
}

TEST_F(Schedule, ClearingPagesTouchesOnlyTheChosenDaysPages) {
    for (auto& day : s->model.schedulePage) {
        day.fill(7);
    }
    logic.chooseDay(2);
    logic.chooseEntry(5);
    logic.chooseHour(9);
    logic.clearDayPages();
    for (std::size_t d = 0; d < kDays; ++d) {
        for (std::size_t e = 0; e < kScheduleEntries; ++e) {
            EXPECT_EQ(s->model.schedulePage[d][e], d == 2 ? kPageNoEntry : 7);
        }
    }
    EXPECT_EQ(s->model.scheduleHour[2][5], 9);
    EXPECT_TRUE(link.serialWrites.empty());
}

TEST_F(Schedule, AllDaysOnePerTickWithPercent) {
    EXPECT_EQ(logic.run().interval(), std::chrono::milliseconds{100});
    ASSERT_TRUE(logic.pressAllSet());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "本機が自動切換えでない事を確認してください");
    EXPECT_EQ(host.questions[0].caption, "本機の確認");
    EXPECT_FALSE(logic.closeEnabled());
    EXPECT_EQ(s->model.busyStep, 1);
    EXPECT_EQ(logic.tick(), ScheduleTick::Continue);
    EXPECT_EQ(logic.run().percent(), "3");
    EXPECT_EQ(logic.run().bar(), 1);
    for (int day = 2; day <= 30; ++day) {
        ASSERT_EQ(logic.tick(), ScheduleTick::Continue);
    }
    EXPECT_EQ(logic.run().percent(), "93");
    EXPECT_EQ(logic.run().bar(), 30);
    EXPECT_EQ(logic.tick(), ScheduleTick::Completed);
    EXPECT_EQ(logic.run().percent(), "   ");
    EXPECT_EQ(logic.run().bar(), 0);
    EXPECT_TRUE(logic.closeEnabled());
    EXPECT_EQ(s->model.busyStep, 0);
    ASSERT_EQ(link.serialWrites.size(), 31u);
    EXPECT_EQ(link.serialWrites[0], initialDay("01"));
    EXPECT_EQ(link.serialWrites[30], initialDay("31"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Schedule, EditsDuringTheRunReachTheDaysNotYetSent) {
    ASSERT_TRUE(logic.pressAllSet());
    logic.tick();
    logic.chooseDay(1);
    logic.chooseEntry(0);
    logic.choosePage(0);
    logic.tick();
    EXPECT_EQ(link.serialWrites[1].substr(0, 11), "SD020000001");
}

TEST_F(Schedule, NoOnTheConfirmationSendsNothing) {
    host.answers.push_back(false);
    EXPECT_FALSE(logic.pressAllSet());
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_FALSE(logic.run().running());
}

TEST_F(Schedule, RefusedWhileAnotherTransferRunsAndSaysSo) {
    s->model.busyStep = 17;
    EXPECT_FALSE(logic.pressAllSet());
    EXPECT_EQ(s->model.busyStep, 17);
    EXPECT_TRUE(logic.closeEnabled());
    EXPECT_EQ(host.texts(), std::vector<std::string>{std::string(kMsgOtherTransferRuns)});
}

TEST_F(Schedule, RefusalStopsAtTheNextTickKeepingTheProgress) {
    ASSERT_TRUE(logic.pressAllSet());
    logic.tick();
    logic.tick();
    logic.tick();
    dispatchSerialReply(*s, host, "E2\r\n");
    EXPECT_EQ(logic.tick(), ScheduleTick::Stopped);
    EXPECT_EQ(link.serialWrites.size(), 3u);
    EXPECT_EQ(logic.run().percent(), "9");
    EXPECT_EQ(logic.run().bar(), 3);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_FALSE(s->link.abortFlag);
    EXPECT_TRUE(logic.closeEnabled());
    // A new run starts at day 1.
    ASSERT_TRUE(logic.pressAllSet());
    logic.tick();
    EXPECT_EQ(link.serialWrites.back().substr(0, 4), "SD01");
}

TEST_F(Schedule, SilentDeviceEndsTheRunWithoutFurtherDays) {
    ASSERT_TRUE(logic.pressAllSet());
    logic.tick();
    for (int i = 0; i < 30; ++i) {
        tickWork(*s, host);
    }
    EXPECT_EQ(host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_EQ(logic.tick(), ScheduleTick::Completed);
    EXPECT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(logic.run().percent(), "   ");
}

TEST_F(Schedule, OverTcpARefusalInsideTheSendStopsAtTheNextTick) {
    s->connection.interfaceKind = InterfaceKind::Tcp;
    s->link.socketConnected = true;
    link.queueData("GO\r\n");
    link.queueData("E3\r\n");
    ASSERT_TRUE(logic.pressAllSet());
    EXPECT_EQ(logic.tick(), ScheduleTick::Continue);
    EXPECT_EQ(logic.tick(), ScheduleTick::Continue);
    EXPECT_EQ(logic.tick(), ScheduleTick::Stopped);
    EXPECT_EQ(link.socketSends.size(), 2u);
    EXPECT_EQ(host.texts().size(), 1u); // the refusal, no per-day notice
    EXPECT_EQ(s->model.busyStep, 0);
}

TEST_F(Schedule, ModelSPacesAt200Ms) {
    auto sState = makeAppState(Product::S);
    ScheduleLogic sLogic(*sState, host, link);
    EXPECT_EQ(sLogic.run().interval(), std::chrono::milliseconds{200});
}

TEST_F(Schedule, ClosingAbandonsTheRun) {
    ASSERT_TRUE(logic.pressAllSet());
    logic.tick();
    logic.close();
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(logic.tick(), ScheduleTick::Stopped);
    EXPECT_EQ(link.serialWrites.size(), 1u);
}

} // namespace
} // namespace tlx
