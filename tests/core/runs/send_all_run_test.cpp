#include "core/runs/run_harness.h"
#include "runs/send_all_run.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tlx {
namespace {

using std::chrono::milliseconds;
using test::FirmwareCase;
using Bench = test::RunBench<SendAllRun>;

constexpr FirmwareCase kFirmwareCases[] = {
    {Product::F, "1.20", 4656, "TSDSL"}, {Product::F, "1.10", 4655, "RVN"},
    {Product::F, "2.00", 5168, "TSDSL"}, {Product::S, "1.20", 1079, "TSDSL"},
    {Product::S, "1.10", 1078, "RVN"},   {Product::S, "2.00", 1080, "TSDSL"},
};

TEST(SendAllRun, FirmwareDecidesTheEndOnBothLinks) {
    test::expectFirmwareEnds<SendAllRun>(kFirmwareCases, "CA001" + test::repeat("2121", 280),
                                         "     ");
}

TEST(SendAllRun, TitleFailingTheCheckStopsAfterTheEarlierPages) {
    Bench b(Product::F);
    b.s->model.titleText[199][0].assign("\x82\x60"
                                        "A");
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.drive();
    EXPECT_EQ(b.run.end(), RunEnd::Rejected);
    ASSERT_EQ(b.device.received.size(), 199u);
    EXPECT_EQ(b.device.received.back().substr(0, 5), "CA199");
    EXPECT_EQ(b.host.messages.size(), 1u);
    EXPECT_EQ(b.host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(b.host.messages[0].text, "ＪＩＳ第１水準,第２水準以外の字が選択されてます\n"
                                       "「A」 ページ 200 ライン 01 の 2 文字目");
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_FALSE(b.s->link.abortFlag);
}

TEST(SendAllRun, RejectedTitleStopsEvenWhenALateReplyClearsTheFlag) {
    Bench b(Product::F);
    b.s->model.titleText[1][0].assign("AB");
    b.s->connection.rsControl = 1;
    b.s->connection.slaveAddress = kSlaveBroadcast; // nothing is awaited
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    b.run.tick();                                  // page 2 fails
    dispatchSerialReply(*b.s, b.host, "FFGO\r\n"); // any reply clears abortFlag
    b.run.tick();
    EXPECT_EQ(b.run.end(), RunEnd::Rejected);
    EXPECT_EQ(b.serial.serialWrites.size(), 1u);
}

TEST(SendAllRun, ShortHoldTimeIsReportedAndTheRunGoesOn) {
    Bench b(Product::F);
    b.s->model.alarmHoldTime = "002";
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.drive();
    EXPECT_EQ(b.run.end(), RunEnd::Completed);
    ASSERT_EQ(b.host.messages.size(), 1u);
    EXPECT_EQ(b.host.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(b.host.messages[0].text, "3秒以上を設定してください。");
    const std::vector<std::string>& got = b.device.received;
    const auto at = std::find(got.begin(), got.end(), "ADON");
    ASSERT_NE(at, got.end());
    EXPECT_EQ(*(at + 1), "AMI");
    EXPECT_EQ(got.size(), 5167u);
}

// A broadcast awaits no answer: the timer alone paces the run, and with no
// version answer every font type is sent.
TEST(SendAllRun, BroadcastFollowsTheTimerAlone) {
    struct Case {
        Product product;
        std::vector<std::pair<int, milliseconds>> pace; // after that many ticks
        int ticks;
        std::size_t writes;
    };
    const Case cases[] = {
        {Product::F,
         {{0, milliseconds{300}}, {513, milliseconds{80}}, {4654, milliseconds{200}}},
         5170,
         5168},
        {Product::S,
         {{512, milliseconds{300}}, {513, milliseconds{80}}, {1070, milliseconds{500}}},
         1593,
         1080},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(traits(c.product).letter);
        Bench b(c.product);
        b.s->connection.rsControl = 1;
        b.s->connection.slaveAddress = kSlaveBroadcast;
        ASSERT_EQ(b.run.start(), RunStart::Started);
        int ticks = 0;
        auto pace = c.pace.begin();
        while (b.run.running() && ticks < 6000) {
            if (pace != c.pace.end() && pace->first == ticks) {
                EXPECT_EQ(b.run.nextInterval(), pace->second) << "after tick " << ticks;
                ++pace;
            }
            b.run.tick();
            ++ticks;
        }
        EXPECT_EQ(pace, c.pace.end());
        EXPECT_EQ(ticks, c.ticks);
        EXPECT_EQ(b.run.end(), RunEnd::Completed);
        EXPECT_EQ(b.serial.serialWrites.size(), c.writes);
        EXPECT_EQ(b.serial.serialWrites.front().substr(0, 7), "FFCA001");
        EXPECT_EQ(b.serial.serialWrites.back(), "FFTSDSL\r\n");
        EXPECT_FALSE(b.s->link.awaitingAnswer);
    }
}

TEST(SendAllRun, OnlyAnAcknowledgementOrARefusalAnswersAWrite) {
    struct Case {
        std::string answer;
        RunEnd end;
        const char* message; // the one message, where one is looked for
    };
    const Case cases[] = {{"CBS003FFFFFFFFFF\r\n", RunEnd::Unexpected, nullptr},
                          {"\x13\r\n", RunEnd::Unexpected, nullptr},
                          {"GN\r\n", RunEnd::Stopped, nullptr},
                          {"E3\r\n", RunEnd::Stopped, "Socket Command"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        Bench b(Product::F, true);
        b.device.answerWith("CBS003", c.answer);
        ASSERT_EQ(b.run.start(), RunStart::Started);
        b.drive();
        EXPECT_EQ(b.run.end(), c.end);
        EXPECT_EQ(b.device.received.back().substr(0, 6), "CBS003");
        EXPECT_EQ(b.run.failedStep(), c.end == RunEnd::Unexpected ? 1028 : 0);
        EXPECT_EQ(b.s->model.busyStep, 0);
        EXPECT_FALSE(b.s->link.abortFlag);
        if (c.message != nullptr) {
            EXPECT_EQ(b.host.texts(), std::vector<std::string>{c.message});
        }
    }
}

TEST(SendAllRun, SilentDeviceEndsTheRunAfterNoConnect) {
    Bench b(Product::S);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    for (int i = 0; i < 27; ++i) {
        tickWork(*b.s, b.host);
        b.run.tick();
    }
    EXPECT_EQ(b.host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_EQ(b.run.end(), RunEnd::CutShort);
    EXPECT_EQ(b.serial.serialWrites.size(), 1u);
    EXPECT_EQ(b.s->model.busyStep, 0);
}

TEST(SendAllRun, EachStepUsesTheModelAsItIsThen) {
    Bench b(Product::F, true);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    b.s->model.titleText[1][0].assign("\x82\x61"); // edited while the run goes on
    b.run.tick();
    ASSERT_EQ(b.device.received.size(), 2u);
    EXPECT_EQ(b.device.received[1].substr(0, 9), "CA0022342");
}

} // namespace
} // namespace tlx
