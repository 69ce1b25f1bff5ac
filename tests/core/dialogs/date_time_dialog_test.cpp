#include "dialogs/date_time_dialog.h"
#include "dialogs/display_page.h"
#include "protocol/app_state.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>
#include <memory>

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;

struct Fixture {
    explicit Fixture(Product p = Product::F, ClockTime now = {2024, 3, 5, 7, 8, 9})
        : state(makeAppState(p)), entry(*state, host, link, now) {}

    std::unique_ptr<AppState> state;
    FakeHost host;
    FakeTransport link;
    DateTimeEntry entry;
};

TEST(DateTimeLists, EntriesOfEveryList) {
    const auto years = clockFieldItems(ClockField::Year);
    ASSERT_EQ(years.size(), 100u);
    EXPECT_EQ(years.front(), "2000");
    EXPECT_EQ(years.back(), "2099");
    EXPECT_EQ(clockFieldItems(ClockField::Month).back(), "12");
    EXPECT_EQ(clockFieldItems(ClockField::Day).size(), 31u);
    EXPECT_EQ(clockFieldItems(ClockField::Hour).front(), "0");
    EXPECT_EQ(clockFieldItems(ClockField::Hour).back(), "23");
    EXPECT_EQ(clockFieldItems(ClockField::Second).back(), "59");
    ASSERT_EQ(dateTimeRangeItems().size(), 8u);
    EXPECT_EQ(dateTimeRangeItems()[0], "年月日時分秒");
    EXPECT_EQ(dateTimeRangeItems()[6], "　　　時分秒");
    EXPECT_EQ(dateTimeRangeItems()[7], "　　　時分　");
    EXPECT_EQ(dateTimeSizeItems()[0], "LARGE ");
    EXPECT_EQ(dateTimeSizeItems()[1], "NORMAL");
    EXPECT_EQ(dateTimeDisplayItems()[0], "OFF");
    EXPECT_EQ(dateTimeDisplayItems()[1], "ON ");
}

TEST(DateTimeEntry, EveryButtonSendsThePcTimeOfTheOpening) {
    for (Product p : {Product::F, Product::S}) {
        Fixture f(p);
        for (ClockField field : {ClockField::Year, ClockField::Month, ClockField::Day,
                                 ClockField::Hour, ClockField::Minute, ClockField::Second}) {
            EXPECT_TRUE(f.entry.send(field));
        }
        EXPECT_EQ(f.link.serialWrites,
                  (std::vector<std::string>{"DSY24\r\n", "DSM03\r\n", "DSD05\r\n", "TSH07\r\n",
                                            "TSM08\r\n", "TSS09\r\n"}));
        EXPECT_TRUE(f.host.messages.empty());
    }
}

TEST(DateTimeEntry, ButtonsSendWhatTheListsShowNotTheClock) {
    Fixture f(Product::F, {2099, 12, 31, 23, 59, 59});
    EXPECT_EQ(f.entry.selection(ClockField::Year), 99);
    f.entry.choose(ClockField::Second, 1);
    f.entry.choose(ClockField::Minute, 60); // no such entry
    f.entry.choose(ClockField::Year, 0);
    f.entry.send(ClockField::Second);
    f.entry.send(ClockField::Minute);
    f.entry.send(ClockField::Year);
    f.entry.send(ClockField::Month);
    EXPECT_EQ(f.link.serialWrites,
              (std::vector<std::string>{"TSS01\r\n", "TSM59\r\n", "DSY00\r\n", "DSM12\r\n"}));
}

// Untouched lists follow the PC clock, so a later press sends the time of
// the press; a list the operator changed keeps the choice.
TEST(DateTimeEntry, UntouchedListsFollowThePcClock) {
    Fixture f(Product::F, {2024, 3, 5, 7, 8, 9});
    f.entry.choose(ClockField::Minute, 30);
    f.entry.follow({2024, 3, 6, 0, 1, 2});
    EXPECT_TRUE(f.entry.chosen(ClockField::Minute));
    EXPECT_FALSE(f.entry.chosen(ClockField::Second));
    for (ClockField field :
         {ClockField::Day, ClockField::Hour, ClockField::Minute, ClockField::Second}) {
        f.entry.send(field);
    }
    EXPECT_EQ(f.link.serialWrites,
              (std::vector<std::string>{"DSD06\r\n", "TSH00\r\n", "TSM30\r\n", "TSS02\r\n"}));
}

TEST(DateTimeEntry, PcYearOutsideTheListSendsNoYear) {
    Fixture f(Product::F, {2100, 1, 1, 0, 0, 0});
    EXPECT_EQ(f.entry.selection(ClockField::Year), -1);
    EXPECT_FALSE(f.entry.send(ClockField::Year));
    EXPECT_TRUE(f.link.serialWrites.empty());
    f.entry.choose(ClockField::Year, 26);
    EXPECT_TRUE(f.entry.send(ClockField::Year));
    EXPECT_EQ(f.link.serialWrites, std::vector<std::string>{"DSY26\r\n"});
    Fixture g(Product::F, {1999, 1, 1, 0, 0, 0});
    EXPECT_EQ(g.entry.selection(ClockField::Year), -1);
}

TEST(DateTimeEntry, DisplayChoicesGoToTheModelAtOnceAndOutWithTheirButtons) {
    Fixture f;
    f.state->model.dateTimeRange = 2;
    f.entry.chooseSize(1);
    EXPECT_EQ(f.state->model.dateTimeSize, 1);
    EXPECT_TRUE(f.link.serialWrites.empty());
    f.entry.sendSize();
    EXPECT_EQ(f.state->model.dateTimeSize, 1);
    f.entry.chooseSize(0);
    f.entry.sendSize();
    f.entry.chooseRange(6);
    EXPECT_EQ(f.state->model.dateTimeRange, 6);
    EXPECT_TRUE(f.entry.sendRange());
    f.entry.chooseRange(0);
    f.entry.sendRange();
    f.entry.chooseDisplay(1);
    f.entry.sendDisplay();
    f.entry.chooseDisplay(0);
    f.entry.sendDisplay();
    f.entry.adjustSeconds();
    EXPECT_EQ(f.link.serialWrites,
              (std::vector<std::string>{"TSDSN\r\n", "TSDSL\r\n", "TSDR7\r\n", "TSDR1\r\n",
                                        "TSDON\r\n", "TSDOF\r\n", "TSA\r\n"}));
    f.entry.chooseRange(8);
    f.entry.chooseSize(2);
    f.entry.chooseDisplay(-1);
    EXPECT_EQ(f.state->model.dateTimeRange, 0);
    EXPECT_EQ(f.state->model.dateTimeSize, 0);
    EXPECT_EQ(f.state->model.dateTimeDisplay, 0);
}

TEST(DateTimeEntry, RangeOutsideTheListIsNotSent) {
    Fixture f;
    f.state->model.dateTimeRange = 9;
    EXPECT_FALSE(f.entry.sendRange());
    EXPECT_TRUE(f.link.serialWrites.empty());
}

TEST(DateTimeEntry, RS485AddressAndBroadcast) {
    Fixture f;
    f.state->connection.rsControl = 1;
    f.entry.slaveAddress().choose(31);
    f.entry.adjustSeconds();
    f.entry.slaveAddress().choose(32);
    f.entry.adjustSeconds();
    EXPECT_EQ(f.link.serialWrites, (std::vector<std::string>{"31TSA\r\n", "FFTSA\r\n"}));
}

TEST(DateTimeEntry, NotConnectedOverTcpIsReportedByTheLink) {
    Fixture f;
    f.state->connection.interfaceKind = InterfaceKind::Tcp;
    f.entry.send(ClockField::Hour);
    EXPECT_TRUE(f.link.socketSends.empty());
    EXPECT_EQ(f.host.texts(), std::vector<std::string>{"Socket が接続されていません"});
}

TEST(DisplayPage, ListsAndFirstOpening) {
    const auto pages = displayPageItems();
    ASSERT_EQ(pages.size(), 513u);
    EXPECT_EQ(pages[0], "001");
    EXPECT_EQ(pages[511], "512");
    EXPECT_EQ(pages[512], "PAS ");
    EXPECT_EQ(displayOnOffItems(), (std::vector<std::string>{"OFF", "ON "}));
    DisplayPageMemory memory;
    EXPECT_EQ(memory.display, 1);
    EXPECT_EQ(memory.page, 0);
}

TEST(DisplayPage, ButtonsSendTheRememberedChoices) {
    for (Product p : {Product::F, Product::S}) {
        auto state = makeAppState(p);
        FakeHost host;
        FakeTransport link;
        DisplayPageMemory memory;
        {
            DisplayPageEntry entry(*state, host, link, memory);
            entry.sendDisplay();
            entry.sendPage();
            entry.choosePage(511);
            entry.sendPage();
            entry.choosePage(512);
            entry.chooseDisplay(0);
            entry.chooseDisplay(2);
            entry.choosePage(513);
        }
        resetToDefaults(*state);
        // The next opening finds the choices of the last one.
        DisplayPageEntry again(*state, host, link, memory);
        EXPECT_EQ(again.display(), 0);
        EXPECT_EQ(again.page(), 512);
        again.sendPage();
        again.sendDisplay();
        EXPECT_EQ(link.serialWrites, (std::vector<std::string>{"IDON\r\n", "P001\r\n", "P512\r\n",
                                                               "PAS\r\n", "IDOF\r\n"}));
    }
}

} // namespace
} // namespace tlx
