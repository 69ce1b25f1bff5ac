#include "model/read_all_run.h"
#include "run_harness.h"

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

// 1.2x ends after the version read with the date/time size read; other 1.x
// firmware ends at the version read; later firmware reads every font type.
constexpr FirmwareCase kFirmwareCases[] = {
    {Product::F, "1.20", 4656, "RTSDS"}, {Product::F, "1.10", 4655, "RVN"},
    {Product::F, "2.00", 5168, "RTSDS"}, {Product::S, "1.20", 1079, "RTSDS"},
    {Product::S, "1.10", 1078, "RVN"},   {Product::S, "2.00", 1591, "RTSDS"},
};

TEST(ReadAllRun, FirmwareDecidesTheEndOverSerial) {
    for (const FirmwareCase& c : kFirmwareCases) {
        SCOPED_TRACE(std::string(1, traits(c.product).letter) + " " + c.version);
        auto s = makeAppState(c.product);
        FakeHost host;
        FakeTransport link;
        ScriptedDevice device;
        device.version = c.version;
        ReadAllRun run(*s, host, link);
        ASSERT_EQ(run.start(), RunStart::Started);
        test::driveSerial(run, *s, host, link, device);
        EXPECT_FALSE(run.running());
        EXPECT_EQ(run.end(), RunEnd::Completed);
        EXPECT_EQ(run.commandsSent(), c.commands);
        ASSERT_EQ(static_cast<int>(device.received.size()), c.commands);
        EXPECT_EQ(device.received.front(), "RCA001");
        EXPECT_EQ(device.received.back(), c.last);
        EXPECT_EQ(s->model.busyStep, 0);
        EXPECT_EQ(s->model.firmwareVersion, c.version);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(run.progress().percent, "      ");
        EXPECT_EQ(run.progress().bar, 0);
    }
}

TEST(ReadAllRun, FirmwareDecidesTheEndOverTcpAsOverSerial) {
    // Over TCP/IP the version answer is applied inside the send; the run must
    // still perform the step it chose (the date/time size read of 1.2x).
    for (const FirmwareCase& c : kFirmwareCases) {
        SCOPED_TRACE(std::string(1, traits(c.product).letter) + " " + c.version);
        auto s = makeAppState(c.product);
        test::useTcp(*s);
        FakeHost host;
        ScriptedDevice device;
        device.version = c.version;
        AnsweringTransport link(device);
        ReadAllRun run(*s, host, link);
        ASSERT_EQ(run.start(), RunStart::Started);
        test::driveTcp(run);
        EXPECT_EQ(run.end(), RunEnd::Completed);
        EXPECT_EQ(run.commandsSent(), c.commands);
        ASSERT_FALSE(device.received.empty());
        EXPECT_EQ(device.received.back(), c.last);
        EXPECT_EQ(s->model.busyStep, 0);
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(ReadAllRun, SendsOnlyWhenThePreviousAnswerHasCome) {
    auto s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    ASSERT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(link.serialWrites[0], "RCA001\r\n");
    EXPECT_TRUE(s->link.awaitingAnswer);
    run.tick();
    run.tick();
    EXPECT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(s->model.busyStep, 2);
    dispatchSerialReply(*s, host, test::caReply(1, {0x2341}));
    run.tick();
    ASSERT_EQ(link.serialWrites.size(), 2u);
    EXPECT_EQ(link.serialWrites[1], "RCA002\r\n");
    EXPECT_EQ(s->model.titleText[0][0].view(), "\x82\x60");
}

TEST(ReadAllRun, RepliesFillTheModelAndRs485AddressesEveryRead) {
    auto s = makeAppState(Product::F);
    s->connection.rsControl = 1;
    s->connection.slaveAddress = 5;
    FakeHost host;
    FakeTransport link;
    ScriptedDevice device;
    device.custom = [](std::string_view cmd) -> std::optional<std::string> {
        std::string a;
        if (cmd == "05RCA005") {
            a = test::caReply(5, {0x2341, 0x2342});
        } else if (cmd == "05RCFS001") {
            a = "CFS001ELMSELMSEL\r\n";
        } else if (cmd == "05RSD16") {
            a = "SD16" + test::repeat("0830PAS", 24) + "\r\n";
        } else if (cmd == "05RVN") {
            a = "VN2.00\r\n";
        } else if (cmd == "05RTSDS") {
            a = "TSDSN\r\n";
        } else {
            a = test::readAnswer(cmd.substr(2)).value_or("GO\r\n");
        }
        return "05" + a;
    };
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    test::driveSerial(run, *s, host, link, device);
    EXPECT_EQ(run.end(), RunEnd::Completed);
    EXPECT_EQ(link.serialWrites.size(), 5168u);
    EXPECT_EQ(link.serialWrites[4624 - 1], "05RSD16\r\n"); // step 4625, the 4624th read
    EXPECT_EQ(s->model.titleText[4][0].view(), "\x82\x60\x82\x61");
    EXPECT_EQ(s->model.charSize[0][3], 3);
    EXPECT_EQ(s->model.charSize[0][9], 1);
    EXPECT_EQ(s->model.scheduleHour[15][0], 8);
    EXPECT_EQ(s->model.schedulePage[15][23], kPagePas);
    EXPECT_EQ(s->model.dateTimeSize, 1);
    EXPECT_FALSE(s->model.dataModified);
    EXPECT_TRUE(host.messages.empty());
    // The answer to the last read comes after the run has released busyStep,
    // so it raises the one ordinary "Success" notice.
    EXPECT_TRUE(s->link.successPending);
}

TEST(ReadAllRun, PacingAndPercentage) {
    auto s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
    ScriptedDevice device;
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    EXPECT_EQ(run.nextInterval(), milliseconds{200});
    EXPECT_EQ(run.progress().barMax, 5170);

    std::size_t answered = 0;
    auto stepOnce = [&] {
        run.tick();
        while (answered < link.serialWrites.size()) {
            dispatchSerialReply(*s, host, device.answer(link.serialWrites[answered++]));
        }
    };
    stepOnce();
    EXPECT_EQ(run.progress().percent, " 00.01");
    EXPECT_EQ(run.progress().bar, 1);
    EXPECT_EQ(run.progress().activity, 1);
    while (s->model.busyStep <= 512) {
        stepOnce();
    }
    EXPECT_EQ(run.nextInterval(), milliseconds{200});
    stepOnce(); // step 513 only changes the pace
    EXPECT_EQ(run.nextInterval(), milliseconds{60});
    EXPECT_EQ(link.serialWrites.size(), 512u);
    EXPECT_EQ(run.progress().percent, " 09.92");
    while (s->model.busyStep <= 2585) {
        stepOnce();
    }
    EXPECT_EQ(run.progress().percent, " 50.00");
    EXPECT_EQ(run.progress().activity, 2585 % 21);
    while (s->model.busyStep <= 4654) {
        stepOnce();
    }
    EXPECT_EQ(run.nextInterval(), milliseconds{200});
}

TEST(ReadAllRun, ModelSPacing) {
    auto s = makeAppState(Product::S);
    FakeHost host;
    FakeTransport link;
    ScriptedDevice device;
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    std::size_t answered = 0;
    auto stepOnce = [&] {
        run.tick();
        while (answered < link.serialWrites.size()) {
            dispatchSerialReply(*s, host, device.answer(link.serialWrites[answered++]));
        }
    };
    stepOnce();
    EXPECT_EQ(run.progress().percent, " 00.06");
    EXPECT_EQ(run.progress().barMax, 1593);
    while (s->model.busyStep <= 513) {
        stepOnce();
    }
    EXPECT_EQ(run.nextInterval(), milliseconds{60});
    while (s->model.busyStep <= 1070) {
        stepOnce();
    }
    EXPECT_EQ(run.nextInterval(), milliseconds{500});
}

TEST(ReadAllRun, SilentDeviceEndsTheRunAfterNoConnect) {
    auto s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    for (int i = 0; i < 21; ++i) {
        tickWork(*s, host);
        run.tick();
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(run.running());
    tickWork(*s, host); // the 22nd tick without an answer
    ASSERT_EQ(host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_EQ(s->model.busyStep, 5171);
    run.tick();
    EXPECT_FALSE(run.running());
    EXPECT_EQ(run.end(), RunEnd::CutShort);
    EXPECT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(run.progress().percent, "      ");
}

TEST(ReadAllRun, ErrorReplyStopsAndAFreshStartBeginsAtStepOne) {
    auto s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
    ScriptedDevice device;
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    for (int i = 0; i < 3; ++i) {
        run.tick();
        dispatchSerialReply(*s, host, test::caReply(i + 1, {0x2341}));
    }
    run.tick(); // RCA004
    dispatchSerialReply(*s, host, "E3\r\n");
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Command Error"});
    run.tick();
    EXPECT_FALSE(run.running());
    EXPECT_EQ(run.end(), RunEnd::Stopped);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_FALSE(s->link.abortFlag);
    EXPECT_EQ(run.progress().percent, " 00.07"); // the last shown value stays
    EXPECT_EQ(link.serialWrites.size(), 4u);
    EXPECT_EQ(s->model.titleText[2][0].view(), "\x82\x60"); // what was read stays

    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    ASSERT_EQ(link.serialWrites.size(), 5u);
    EXPECT_EQ(link.serialWrites[4], "RCA001\r\n");
}

TEST(ReadAllRun, AStepEndsOnlyWithItsOwnReply) {
    struct Case {
        const char* what;
        std::string command; // the read whose answer goes wrong
        std::string answer;
        RunEnd end;
        int step;
    };
    const std::string cut = "CA003" + std::string(1300, '0') + "\r\n";
    const Case cases[] = {
        {"garbage", "RCA003", std::string("\x01\xFE\x00\x9F\r\n", 6), RunEnd::Unexpected, 3},
        {"bytes before", "RCA003", "\xFE" + test::caReply(3, {}), RunEnd::Unexpected, 3},
        {"another kind", "RCA003", "GO\r\n", RunEnd::Unexpected, 3},
        {"cut for its length", "RCA003", cut, RunEnd::Unexpected, 3},
        {"two lines", "RCBS007", "CBS007FFFFFFFFFF\r\nCBS007FFFFFFFFFF\r\n", RunEnd::Unexpected,
         1032},
        {"refusal", "RCA003", "GN\r\n", RunEnd::Stopped, 0},
        {"last answer", "RTSDS", "XX\r\n", RunEnd::Unexpected, 5170},
    };
    for (const bool tcp : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (tcp ? " over TCP/IP" : " over serial"));
            auto s = makeAppState(Product::F);
            FakeHost host;
            ScriptedDevice device;
            device.custom = [&](std::string_view cmd) -> std::optional<std::string> {
                return cmd == c.command ? std::optional<std::string>(c.answer) : std::nullopt;
            };
            AnsweringTransport tcpLink(device);
            FakeTransport serialLink;
            if (tcp) {
                test::useTcp(*s);
            }
            ReadAllRun run(*s, host, tcp ? static_cast<FakeTransport&>(tcpLink) : serialLink);
            ASSERT_EQ(run.start(), RunStart::Started);
            std::size_t answered = 0;
            while (run.running()) {
                run.tick();
                for (; answered < serialLink.serialWrites.size(); ++answered) {
                    receiveSerialBytes(*s, host, device.answer(serialLink.serialWrites[answered]));
                }
            }
            run.checkLastAnswer();
            EXPECT_EQ(run.end(), c.end);
            EXPECT_EQ(run.failedStep(), c.step);
            EXPECT_EQ(s->model.busyStep, 0);
            if (c.end == RunEnd::Stopped) {
                EXPECT_EQ(host.texts(), std::vector<std::string>{tcp ? "Socket mode difference"
                                                                     : "Mode Difference"});
            }
            // The run stopped at the step that went wrong.
            EXPECT_EQ(device.received.back(), c.command);
        }
    }
}

TEST(ReadAllRun, StartIsRefusedWhileBusyOrNotConnected) {
    auto s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    EXPECT_EQ(run.start(), RunStart::Busy); // pressing start again does nothing
    EXPECT_EQ(s->model.busyStep, 2);
    EXPECT_EQ(link.serialWrites.size(), 1u);

    auto t = makeAppState(Product::F);
    t->connection.interfaceKind = InterfaceKind::Tcp;
    FakeTransport tcp;
    ReadAllRun other(*t, host, tcp);
    EXPECT_EQ(other.start(), RunStart::NotReady);
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_EQ(t->model.busyStep, 0);
    EXPECT_TRUE(tcp.socketSends.empty());
}

TEST(ReadAllRun, CloseAbandonsTheRunAndClearsTheWait) {
    auto s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    dispatchSerialReply(*s, host, test::caReply(1, {0x2342}));
    run.tick();
    s->link.noAnswerTicks = 4;
    run.close();
    EXPECT_FALSE(run.running());
    EXPECT_EQ(run.end(), RunEnd::Cancelled);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_FALSE(s->link.awaitingAnswer);
    EXPECT_EQ(s->link.noAnswerTicks, 0);
    EXPECT_EQ(s->model.titleText[0][0].view(), "\x82\x61");
    run.tick();
    EXPECT_EQ(link.serialWrites.size(), 2u);
}

TEST(ReadAllRun, RequestedStopEndsAtTheNextTick) {
    auto s = makeAppState(Product::F);
    test::useTcp(*s);
    FakeHost host;
    ScriptedDevice device;
    AnsweringTransport link(device);
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    run.requestStop();
    run.tick();
    EXPECT_EQ(run.end(), RunEnd::Cancelled);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(device.received.size(), 1u);
}

TEST(ReadAllRun, DroppedConnectionEndsTheRunWithOneWarning) {
    auto s = makeAppState(Product::F);
    test::useTcp(*s);
    FakeHost host;
    ScriptedDevice device;
    AnsweringTransport link(device);
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    run.tick();
    s->link.socketConnected = false;
    test::driveTcp(run, 100);
    EXPECT_EQ(run.end(), RunEnd::Stopped);
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_EQ(device.received.size(), 2u);
    EXPECT_EQ(s->model.busyStep, 0);
}

TEST(ReadAllRun, MissingSocketAnswerStopsAtTheNextTick) {
    auto s = makeAppState(Product::F);
    test::useTcp(*s);
    FakeHost host;
    FakeTransport link; // nothing queued: the answer never comes
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    EXPECT_TRUE(s->link.abortFlag);
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Answer が､きません"});
    run.tick();
    EXPECT_EQ(run.end(), RunEnd::Stopped);
    EXPECT_EQ(link.socketSends.size(), 1u);
}

TEST(ReadAllRun, RefusalLeftFromAnEarlierCommandDoesNotEndANewRun) {
    auto s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
    dispatchSerialReply(*s, host, "E3\r\n");
    ASSERT_TRUE(s->link.abortFlag);
    ReadAllRun run(*s, host, link);
    ASSERT_EQ(run.start(), RunStart::Started);
    run.tick();
    EXPECT_TRUE(run.running());
    EXPECT_EQ(link.serialWrites, std::vector<std::string>{"RCA001\r\n"});
}

} // namespace
} // namespace tlx
