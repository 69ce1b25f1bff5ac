#include "model/send_all_run.h"
#include "run_harness.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tlx {
namespace {

using std::chrono::milliseconds;
using test::AnsweringTransport;
using test::FakeHost;
using test::FakeTransport;
using test::ScriptedDevice;

struct FirmwareCase {
    Product product;
    const char* version;
    int commands;
    const char* last;
};

constexpr FirmwareCase kFirmwareCases[] = {
    {Product::F, "1.20", 4656, "TSDSL"}, {Product::F, "1.10", 4655, "RVN"},
    {Product::F, "2.00", 5168, "TSDSL"}, {Product::S, "1.20", 1079, "TSDSL"},
    {Product::S, "1.10", 1078, "RVN"},   {Product::S, "2.00", 1080, "TSDSL"},
};

TEST(SendAllRun, FirmwareDecidesTheEndOnBothLinks) {
    for (bool tcp : {false, true}) {
        for (const FirmwareCase& c : kFirmwareCases) {
            SCOPED_TRACE(std::string(tcp ? "TCP " : "serial ") + traits(c.product).letter + " " +
                         c.version);
            auto s = makeAppState(c.product);
            FakeHost host;
            ScriptedDevice device;
            device.version = c.version;
            AnsweringTransport tcpLink(device);
            FakeTransport serialLink;
            SendAllRun run(*s, host, tcp ? static_cast<Transport&>(tcpLink) : serialLink);
            if (tcp) {
                test::useTcp(*s);
            }
            ASSERT_EQ(run.start(), RunStart::Started);
            if (tcp) {
                test::driveTcp(run);
            } else {
                test::driveSerial(run, *s, host, serialLink, device);
            }
            EXPECT_EQ(run.end(), RunEnd::Completed);
            EXPECT_EQ(run.commandsSent(), c.commands);
            ASSERT_EQ(static_cast<int>(device.received.size()), c.commands);
            EXPECT_EQ(device.received.front().substr(0, 5), "CA001");
            EXPECT_EQ(device.received.back(), c.last);
            EXPECT_EQ(s->model.busyStep, 0);
            EXPECT_TRUE(host.messages.empty());
            EXPECT_EQ(run.progress().percent, "     ");
        }
    }
}

TEST(SendAllRun, TitleFailingTheCheckStopsAfterTheEarlierPages) {
    auto s = makeAppState(Product::F);
    s->model.titleText[199][0].assign("\x82\x60"
                                      "A");
    FakeHost host;
    FakeTransport link;
    ScriptedDevice device;
    SendAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    test::driveSerial(run, *s, host, link, device);
    EXPECT_EQ(run.end(), RunEnd::Rejected);
    ASSERT_EQ(device.received.size(), 199u);
    EXPECT_EQ(device.received.back().substr(0, 5), "CA199");
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(host.messages[0].text, "ＪＩＳ第１水準,第２水準以外の字が選択されてます\n"
                                     "「A」 ページ 200 ライン 01 の 2 文字目");
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_FALSE(s->link.abortFlag);
}

TEST(SendAllRun, RejectedTitleStopsEvenWhenALateReplyClearsTheFlag) {
    auto s = makeAppState(Product::F);
    s->model.titleText[1][0].assign("AB");
    s->connection.rsControl = 1;
    s->connection.slaveAddress = kSlaveBroadcast; // nothing is awaited
    FakeHost host;
    FakeTransport link;
    SendAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    run.tick();                                // page 2 fails
    dispatchSerialReply(*s, host, "FFGO\r\n"); // any reply clears abortFlag
    run.tick();
    EXPECT_EQ(run.end(), RunEnd::Rejected);
    EXPECT_EQ(link.serialWrites.size(), 1u);
}

TEST(SendAllRun, ShortHoldTimeIsReportedAndTheRunGoesOn) {
    auto s = makeAppState(Product::F);
    s->model.alarmHoldTime = "002";
    FakeHost host;
    FakeTransport link;
    ScriptedDevice device;
    SendAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    test::driveSerial(run, *s, host, link, device);
    EXPECT_EQ(run.end(), RunEnd::Completed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(host.messages[0].text, "3秒以上を設定してください。");
    const auto at = std::find(device.received.begin(), device.received.end(), "ADON");
    ASSERT_NE(at, device.received.end());
    EXPECT_EQ(*(at + 1), "AMI");
    EXPECT_EQ(device.received.size(), 5167u);
}

TEST(SendAllRun, BroadcastFollowsTheTimerAlone) {
    auto s = makeAppState(Product::F);
    s->connection.rsControl = 1;
    s->connection.slaveAddress = kSlaveBroadcast;
    FakeHost host;
    FakeTransport link;
    SendAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    EXPECT_EQ(run.nextInterval(), milliseconds{300});
    int ticks = 0;
    while (run.running() && ticks < 6000) {
        run.tick();
        ++ticks;
        if (ticks == 513) {
            EXPECT_EQ(run.nextInterval(), milliseconds{80});
        }
        if (ticks == 4654) {
            EXPECT_EQ(run.nextInterval(), milliseconds{200});
        }
    }
    EXPECT_EQ(ticks, 5170);
    EXPECT_EQ(run.end(), RunEnd::Completed);
    // No version answer comes back, so every font type is sent.
    EXPECT_EQ(link.serialWrites.size(), 5168u);
    EXPECT_EQ(link.serialWrites.front().substr(0, 7), "FFCA001");
    EXPECT_EQ(link.serialWrites.back(), "FFTSDSL\r\n");
    EXPECT_FALSE(s->link.awaitingAnswer);
}

TEST(SendAllRun, ModelSPacing) {
    auto s = makeAppState(Product::S);
    s->connection.rsControl = 1;
    s->connection.slaveAddress = kSlaveBroadcast;
    FakeHost host;
    FakeTransport link;
    SendAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    int ticks = 0;
    while (run.running() && ticks < 2000) {
        run.tick();
        ++ticks;
        if (ticks == 512) {
            EXPECT_EQ(run.nextInterval(), milliseconds{300});
        }
        if (ticks == 513) {
            EXPECT_EQ(run.nextInterval(), milliseconds{80});
        }
        if (ticks == 1070) {
            EXPECT_EQ(run.nextInterval(), milliseconds{500});
        }
    }
    EXPECT_EQ(ticks, 1593);
    EXPECT_EQ(link.serialWrites.size(), 1080u);
}

TEST(SendAllRun, ErrorReplyStopsTheRunAtTheNextTick) {
    auto s = makeAppState(Product::F);
    FakeHost host;
    ScriptedDevice device;
    device.custom = [](std::string_view cmd) -> std::optional<std::string> {
        if (cmd.starts_with("CBS003")) {
            return "E3\r\n";
        }
        return std::nullopt;
    };
    AnsweringTransport link(device);
    test::useTcp(*s);
    SendAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    test::driveTcp(run);
    EXPECT_EQ(run.end(), RunEnd::Stopped);
    EXPECT_EQ(device.received.back().substr(0, 6), "CBS003");
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket Command"});
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_FALSE(s->link.abortFlag);
}

TEST(SendAllRun, OnlyAnAcknowledgementOrARefusalAnswersAWrite) {
    const std::pair<std::string, RunEnd> cases[] = {{"CBS003FFFFFFFFFF\r\n", RunEnd::Unexpected},
                                                    {"\x13\r\n", RunEnd::Unexpected},
                                                    {"GN\r\n", RunEnd::Stopped}};
    for (const auto& c : cases) {
        const std::string& answer = c.first;
        const RunEnd end = c.second;
        SCOPED_TRACE(answer);
        auto s = makeAppState(Product::F);
        FakeHost host;
        ScriptedDevice device;
        device.custom = [&](std::string_view cmd) -> std::optional<std::string> {
            return cmd.starts_with("CBS003") ? std::optional<std::string>(answer) : std::nullopt;
        };
        AnsweringTransport link(device);
        test::useTcp(*s);
        SendAllRun run(*s, host, link);
        ASSERT_EQ(run.start(), RunStart::Started);
        test::driveTcp(run);
        EXPECT_EQ(run.end(), end);
        EXPECT_EQ(device.received.back().substr(0, 6), "CBS003");
        EXPECT_EQ(run.failedStep(), end == RunEnd::Unexpected ? 1028 : 0);
    }
}

TEST(SendAllRun, SilentDeviceEndsTheRunAfterNoConnect) {
    auto s = makeAppState(Product::S);
    FakeHost host;
    FakeTransport link;
    SendAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    for (int i = 0; i < 27; ++i) {
        tickWork(*s, host);
        run.tick();
    }
    EXPECT_EQ(host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_EQ(run.end(), RunEnd::CutShort);
    EXPECT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(s->model.busyStep, 0);
}

TEST(SendAllRun, EachStepUsesTheModelAsItIsThen) {
    auto s = makeAppState(Product::F);
    test::useTcp(*s);
    FakeHost host;
    ScriptedDevice device;
    AnsweringTransport link(device);
    SendAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    s->model.titleText[1][0].assign("\x82\x61"); // edited while the run goes on
    run.tick();
    ASSERT_EQ(device.received.size(), 2u);
    EXPECT_EQ(device.received[1].substr(0, 9), "CA0022342");
}

} // namespace
} // namespace tlx
