// Line assembly, line ends, RS-485 addressing and the fault plan.
#include "device/device_bus.h"
#include "device/link_session.h"
#include "device_test_support.h"

#include <gtest/gtest.h>

namespace tlx::device::test {
namespace {

std::unique_ptr<Device> freshDevice(Product p = Product::F) {
    return std::make_unique<Device>(makeDeviceState(p));
}

DeviceBus busOf(std::initializer_list<int> addresses) {
    std::vector<DeviceBus::Member> members;
    for (int a : addresses) {
        members.push_back({a, freshDevice()});
    }
    return DeviceBus(std::move(members));
}

struct Link {
    explicit Link(DeviceBus& b) : session(b, plan, counters) {}
    Link(DeviceBus& b, FaultPlan p) : plan(std::move(p)), session(b, plan, counters) {}

    std::vector<std::string> feed(std::string_view bytes) {
        LinkSession::Output out;
        session.receive(bytes, out);
        closed = closed || out.close;
        return out.replies;
    }

    FaultPlan plan;
    LinkCounters counters;
    LinkSession session;
    bool closed = false;
};

using Lines = std::vector<std::string>;

TEST(PointToPoint, EveryLineIsAnsweredWithCrLf) {
    DeviceBus bus(freshDevice());
    Link link(bus);
    EXPECT_EQ(link.feed("CBS001L01ON\r\nRCBS001\r\n"), (Lines{"GO\r\n", "CBS001NFFFFFFFFF\r\n"}));
}

TEST(PointToPoint, ALineSplitAcrossReadsIsAnsweredOnceWhenItsLfArrives) {
    DeviceBus bus(freshDevice());
    Link link(bus);
    EXPECT_EQ(link.feed("R"), Lines{});
    EXPECT_EQ(link.feed("AM"), Lines{});
    EXPECT_EQ(link.feed("\r"), Lines{});
    EXPECT_EQ(link.feed("\n"), Lines{"AMI\r\n"});
}

TEST(PointToPoint, LinesWithoutCrGarbageAndOverlongLinesGetE3) {
    DeviceBus bus(freshDevice());
    Link link(bus);
    EXPECT_EQ(link.feed("RAM\n"), Lines{"E3\r\n"});
    EXPECT_EQ(link.feed("\r\n"), Lines{"E3\r\n"});
    EXPECT_EQ(link.feed(std::string("R\0AM\r\n", 6)), Lines{"E3\r\n"});
    EXPECT_EQ(link.feed(std::string("\xFF\xFE\x01\r\n", 5)), Lines{"E3\r\n"});
    // A line far beyond the longest command is cut by the framer and refused;
    // the line after it is read normally.
    EXPECT_EQ(link.feed(std::string(5000, 'A') + "\r\nRAM\r\n"), (Lines{"E3\r\n", "AMI\r\n"}));
    // An overlong line that would be a valid command once cut is refused too.
    EXPECT_EQ(link.feed("CA001" + repeat("2121", 280) + repeat("2121", 100) + "\r\n"),
              Lines{"E3\r\n"});
}

TEST(PointToPoint, BytesWithoutLfNeverGrowTheBuffer) {
    DeviceBus bus(freshDevice());
    LinkCounters counters;
    FaultPlan plan;
    LinkSession session(bus, plan, counters);
    LinkSession::Output out;
    for (int i = 0; i < 1000; ++i) {
        session.receive(std::string(1000, 'x'), out);
    }
    EXPECT_TRUE(out.replies.empty());
    session.receive("\r\nRAM\r\n", out);
    EXPECT_EQ(out.replies, (Lines{"E3\r\n", "AMI\r\n"}));
}

TEST(Rs485, OnlyTheAddressedDeviceAnswersWithItsAddressInFront) {
    DeviceBus bus = busOf({3, 5, 7});
    Link link(bus);
    EXPECT_EQ(link.feed("05CBS001L01ON\r\n"), Lines{"05GO\r\n"});
    EXPECT_EQ(bus.device(1).state().model.blink[0][0], 1);
    EXPECT_EQ(bus.device(0).state().model.blink[0][0], 0);
    EXPECT_EQ(bus.device(2).state().model.blink[0][0], 0);
    EXPECT_EQ(link.feed("05RCBS001\r\n"), Lines{"05CBS001NFFFFFFFFF\r\n"});
    EXPECT_EQ(link.feed("03RCBS001\r\n"), Lines{"03CBS001FFFFFFFFFF\r\n"});
    EXPECT_EQ(link.feed("04RAM\r\n"), Lines{});
    EXPECT_EQ(link.feed("31RAM\r\n"), Lines{});
}

TEST(Rs485, BroadcastIsCarriedOutByAllAndAnsweredByNone) {
    DeviceBus bus = busOf({3, 5, 7});
    Link link(bus);
    EXPECT_EQ(link.feed("FFCBS001L01ON\r\n"), Lines{});
    for (std::size_t i = 0; i < bus.size(); ++i) {
        EXPECT_EQ(bus.device(i).state().model.blink[0][0], 1);
    }
    EXPECT_EQ(link.feed("FFRAM\r\n"), Lines{});
    EXPECT_EQ(link.feed("FFXYZ\r\n"), Lines{});
}

TEST(Rs485, MalformedLinesForOwnAddressGetE3OthersStaySilent) {
    DeviceBus bus = busOf({0, 31});
    Link link(bus);
    EXPECT_EQ(link.feed("00RAM\n"), Lines{"00E3\r\n"});
    EXPECT_EQ(link.feed("31XYZ\r\n"), Lines{"31E3\r\n"});
    EXPECT_EQ(link.feed("31\r\n"), Lines{"31E3\r\n"});
    EXPECT_EQ(link.feed("0\r\n"), Lines{});
    EXPECT_EQ(link.feed("\r\n"), Lines{});
    EXPECT_EQ(link.feed("3XRAM\r\n"), Lines{});
    EXPECT_EQ(link.feed("RAM\r\n"), Lines{}); // "RA" is nobody's address
}

TEST(Faults, SilentAfterStopsAnsweringAndCarryingOut) {
    DeviceBus bus(freshDevice());
    FaultPlan plan;
    plan.silentAfter = 2;
    Link link(bus, plan);
    EXPECT_EQ(link.feed("RAM\r\nRAP\r\nAME\r\nRAM\r\n"), (Lines{"AMI\r\n", "APM\r\n"}));
    EXPECT_EQ(bus.device(0).state().model.alarmMode, 0);
}

TEST(Faults, ReplyAtAnswersThatLineWithTheTextInstead) {
    DeviceBus bus(freshDevice());
    FaultPlan plan;
    plan.replyAt = {{2, "E3"}, {3, "MENU"}, {4, "GN"}};
    Link link(bus, plan);
    EXPECT_EQ(link.feed("AME\r\nAPB\r\nAROF\r\nADOF\r\nRAP\r\n"),
              (Lines{"GO\r\n", "E3\r\n", "MENU\r\n", "GN\r\n", "APM\r\n"}));
    const SettingsModel& m = bus.device(0).state().model;
    EXPECT_EQ(m.alarmMode, 1);
    EXPECT_EQ(m.alarmPolarity, 0);
    EXPECT_EQ(m.alarmReturn, 1);
    EXPECT_EQ(m.alarmDisplay, 1);
}

TEST(Faults, ReplyAtOnABusKeepsTheAddressPrefix) {
    DeviceBus bus = busOf({5});
    FaultPlan plan;
    plan.replyAt = {{1, "E0"}};
    Link link(bus, plan);
    EXPECT_EQ(link.feed("05RAM\r\n05RAM\r\n"), (Lines{"05E0\r\n", "05AMI\r\n"}));
}

TEST(Faults, DropAfterClosesOnceThatManyLinesWereAnswered) {
    DeviceBus bus(freshDevice());
    FaultPlan plan;
    plan.dropAfter = 2;
    Link link(bus, plan);
    EXPECT_EQ(link.feed("RAM\r\n"), Lines{"AMI\r\n"});
    EXPECT_FALSE(link.closed);
    EXPECT_EQ(link.feed("RAP\r\nAME\r\n"), Lines{"APM\r\n"});
    EXPECT_TRUE(link.closed);
    EXPECT_EQ(link.feed("RAM\r\n"), Lines{});
    EXPECT_EQ(bus.device(0).state().model.alarmMode, 0);
}

TEST(Faults, LineNumbersCountAcrossConnectionsOfOneLink) {
    DeviceBus bus(freshDevice());
    FaultPlan plan;
    plan.silentAfter = 3;
    plan.dropAfter = 2;
    LinkCounters counters;
    LinkSession first(bus, plan, counters);
    LinkSession::Output out;
    first.receive("RAM\r\nRAM\r\n", out);
    EXPECT_TRUE(out.close);
    LinkSession second(bus, plan, counters);
    LinkSession::Output out2;
    second.receive("RAM\r\nRAM\r\n", out2);
    EXPECT_EQ(out2.replies, Lines{"AMI\r\n"}); // line 3 answered, line 4 not
}

TEST(AddressList, ParsesDistinctAddressesUpTo31) {
    EXPECT_EQ(parseAddressList("3"), (std::vector<int>{3}));
    EXPECT_EQ(parseAddressList("3,5,7"), (std::vector<int>{3, 5, 7}));
    EXPECT_EQ(parseAddressList("00,31"), (std::vector<int>{0, 31}));
    for (const char* bad : {"", "32", "3,3", "3,", ",3", "a", "3;5", "-1", "003"}) {
        EXPECT_FALSE(parseAddressList(bad).has_value()) << bad;
    }
}

} // namespace
} // namespace tlx::device::test
