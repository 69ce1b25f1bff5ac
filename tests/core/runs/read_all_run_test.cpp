#include "core/runs/run_harness.h"
#include "runs/read_all_run.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using std::chrono::milliseconds;
using test::FirmwareCase;
using Bench = test::RunBench<ReadAllRun>;

// 1.2x ends after the version read with the date/time size read; other 1.x
// firmware ends at the version read; later firmware reads every font type.
constexpr FirmwareCase kFirmwareCases[] = {
    {Product::F, "1.20", 4656, "RTSDS"}, {Product::F, "1.10", 4655, "RVN"},
    {Product::F, "2.00", 5168, "RTSDS"}, {Product::S, "1.20", 1079, "RTSDS"},
    {Product::S, "1.10", 1078, "RVN"},   {Product::S, "2.00", 1591, "RTSDS"},
};

// Over TCP/IP the version answer is applied inside the send; the run must
// still perform the step it chose (the date/time size read of 1.2x).
TEST(ReadAllRun, FirmwareDecidesTheEndOnBothLinks) {
    test::expectFirmwareEnds<ReadAllRun>(kFirmwareCases, "RCA001", "      ");
}

TEST(ReadAllRun, SendsOnlyWhenThePreviousAnswerHasCome) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    ASSERT_EQ(b.serial.serialWrites.size(), 1u);
    EXPECT_EQ(b.serial.serialWrites[0], "RCA001\r\n");
    EXPECT_TRUE(b.s->link.awaitingAnswer);
    b.run.tick();
    b.run.tick();
    EXPECT_EQ(b.serial.serialWrites.size(), 1u);
    EXPECT_EQ(b.s->model.busyStep, 2);
    dispatchSerialReply(*b.s, b.host, test::caReply(1, {0x2341}));
    b.run.tick();
    ASSERT_EQ(b.serial.serialWrites.size(), 2u);
    EXPECT_EQ(b.serial.serialWrites[1], "RCA002\r\n");
    EXPECT_EQ(b.s->model.titleText[0][0].view(), "\x82\x60");
}

TEST(ReadAllRun, RepliesFillTheModelAndRs485AddressesEveryRead) {
    Bench b(Product::F);
    b.s->connection.rsControl = 1;
    b.s->connection.slaveAddress = 5;
    b.device.custom = [](std::string_view cmd) -> std::optional<std::string> {
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
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.drive();
    const SettingsModel& m = b.s->model;
    EXPECT_EQ(b.run.end(), RunEnd::Completed);
    EXPECT_EQ(b.serial.serialWrites.size(), 5168u);
    EXPECT_EQ(b.serial.serialWrites[4624 - 1], "05RSD16\r\n"); // step 4625, the 4624th read
    EXPECT_EQ(m.titleText[4][0].view(), "\x82\x60\x82\x61");
    EXPECT_EQ(m.charSize[0][3], 3);
    EXPECT_EQ(m.charSize[0][9], 1);
    EXPECT_EQ(m.scheduleHour[15][0], 8);
    EXPECT_EQ(m.schedulePage[15][23], kPagePas);
    EXPECT_EQ(m.dateTimeSize, 1);
    EXPECT_FALSE(m.dataModified);
    EXPECT_TRUE(b.host.messages.empty());
    // The answer to the last read comes after the run has released busyStep,
    // so it raises the one ordinary "Success" notice.
    EXPECT_TRUE(b.s->link.successPending);
}

TEST(ReadAllRun, PacingAndPercentage) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    const int& step = b.s->model.busyStep;
    EXPECT_EQ(b.run.nextInterval(), milliseconds{200});
    EXPECT_EQ(b.run.progress().barMax, 5170);
    b.step();
    EXPECT_EQ(b.run.progress().percent, " 00.01");
    EXPECT_EQ(b.run.progress().bar, 1);
    EXPECT_EQ(b.run.progress().activity, 1);
    while (step <= 512) {
        b.step();
    }
    EXPECT_EQ(b.run.nextInterval(), milliseconds{200});
    b.step(); // step 513 only changes the pace
    EXPECT_EQ(b.run.nextInterval(), milliseconds{60});
    EXPECT_EQ(b.serial.serialWrites.size(), 512u);
    EXPECT_EQ(b.run.progress().percent, " 09.92");
    while (step <= 2585) {
        b.step();
    }
    EXPECT_EQ(b.run.progress().percent, " 50.00");
    EXPECT_EQ(b.run.progress().activity, 2585 % 21);
    while (step <= 4654) {
        b.step();
    }
    EXPECT_EQ(b.run.nextInterval(), milliseconds{200});
}

TEST(ReadAllRun, ModelSPacing) {
    Bench b(Product::S);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.step();
    EXPECT_EQ(b.run.progress().percent, " 00.06");
    EXPECT_EQ(b.run.progress().barMax, 1593);
    while (b.s->model.busyStep <= 513) {
        b.step();
    }
    EXPECT_EQ(b.run.nextInterval(), milliseconds{60});
    while (b.s->model.busyStep <= 1070) {
        b.step();
    }
    EXPECT_EQ(b.run.nextInterval(), milliseconds{500});
}

TEST(ReadAllRun, SilentDeviceEndsTheRunAfterNoConnect) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    for (int i = 0; i < 21; ++i) {
        tickWork(*b.s, b.host);
        b.run.tick();
    }
    EXPECT_TRUE(b.host.messages.empty());
    EXPECT_TRUE(b.run.running());
    tickWork(*b.s, b.host); // the 22nd tick without an answer
    ASSERT_EQ(b.host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_EQ(b.s->model.busyStep, 5171);
    b.run.tick();
    EXPECT_FALSE(b.run.running());
    EXPECT_EQ(b.run.end(), RunEnd::CutShort);
    EXPECT_EQ(b.serial.serialWrites.size(), 1u);
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_EQ(b.run.progress().percent, "      ");
}

TEST(ReadAllRun, ErrorReplyStopsAndAFreshStartBeginsAtStepOne) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    for (int i = 0; i < 3; ++i) {
        b.run.tick();
        dispatchSerialReply(*b.s, b.host, test::caReply(i + 1, {0x2341}));
    }
    b.run.tick(); // RCA004
    dispatchSerialReply(*b.s, b.host, "E3\r\n");
    EXPECT_EQ(b.host.texts(), std::vector<std::string>{"Command Error"});
    b.run.tick();
    EXPECT_FALSE(b.run.running());
    EXPECT_EQ(b.run.end(), RunEnd::Stopped);
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_FALSE(b.s->link.abortFlag);
    EXPECT_EQ(b.run.progress().percent, " 00.07"); // the last shown value stays
    EXPECT_EQ(b.serial.serialWrites.size(), 4u);
    EXPECT_EQ(b.s->model.titleText[2][0].view(), "\x82\x60"); // what was read stays

    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    ASSERT_EQ(b.serial.serialWrites.size(), 5u);
    EXPECT_EQ(b.serial.serialWrites[4], "RCA001\r\n");
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
            Bench b(Product::F, tcp);
            b.device.answerWith(c.command, c.answer);
            ASSERT_EQ(b.run.start(), RunStart::Started);
            // Serial answers go through the framer, as the port's bytes do.
            std::size_t answered = 0;
            while (b.run.running()) {
                b.run.tick();
                for (; answered < b.serial.serialWrites.size(); ++answered) {
                    receiveSerialBytes(*b.s, b.host,
                                       b.device.answer(b.serial.serialWrites[answered]));
                }
            }
            b.run.checkLastAnswer();
            EXPECT_EQ(b.run.end(), c.end);
            EXPECT_EQ(b.run.failedStep(), c.step);
            EXPECT_EQ(b.s->model.busyStep, 0);
            if (c.end == RunEnd::Stopped) {
                EXPECT_EQ(b.host.texts(), std::vector<std::string>{tcp ? "Socket mode difference"
                                                                       : "Mode Difference"});
            }
            // The run stopped at the step that went wrong.
            EXPECT_EQ(b.device.received.back(), c.command);
        }
    }
}

TEST(ReadAllRun, StartIsRefusedWhileBusyOrNotConnected) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    EXPECT_EQ(b.run.start(), RunStart::Busy); // pressing start again does nothing
    EXPECT_EQ(b.s->model.busyStep, 2);
    EXPECT_EQ(b.serial.serialWrites.size(), 1u);
    EXPECT_TRUE(b.host.messages.empty());

    Bench t(Product::F);
    t.s->connection.interfaceKind = InterfaceKind::Tcp;
    EXPECT_EQ(t.run.start(), RunStart::NotReady);
    EXPECT_EQ(t.host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_EQ(t.s->model.busyStep, 0);
    EXPECT_TRUE(t.serial.socketSends.empty());
}

TEST(ReadAllRun, CloseAbandonsTheRunAndClearsTheWait) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    dispatchSerialReply(*b.s, b.host, test::caReply(1, {0x2342}));
    b.run.tick();
    b.s->link.noAnswerTicks = 4;
    b.run.close();
    EXPECT_FALSE(b.run.running());
    EXPECT_EQ(b.run.end(), RunEnd::Cancelled);
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_FALSE(b.s->link.awaitingAnswer);
    EXPECT_EQ(b.s->link.noAnswerTicks, 0);
    EXPECT_EQ(b.s->model.titleText[0][0].view(), "\x82\x61");
    b.run.tick();
    EXPECT_EQ(b.serial.serialWrites.size(), 2u);
}

TEST(ReadAllRun, RequestedStopEndsAtTheNextTick) {
    Bench b(Product::F, true);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    b.run.requestStop();
    b.run.tick();
    EXPECT_EQ(b.run.end(), RunEnd::Cancelled);
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_EQ(b.device.received.size(), 1u);
}

TEST(ReadAllRun, DroppedConnectionEndsTheRunWithOneWarning) {
    Bench b(Product::F, true);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    b.run.tick();
    b.s->link.socketConnected = false;
    b.drive(100);
    EXPECT_EQ(b.run.end(), RunEnd::Stopped);
    EXPECT_EQ(b.host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_EQ(b.device.received.size(), 2u);
    EXPECT_EQ(b.s->model.busyStep, 0);
}

TEST(ReadAllRun, MissingSocketAnswerStopsAtTheNextTick) {
    Bench b(Product::F); // over the plain fake: the answer never comes
    test::useTcp(*b.s);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    EXPECT_TRUE(b.s->link.abortFlag);
    EXPECT_EQ(b.host.texts(), std::vector<std::string>{"Answer が､きません"});
    b.run.tick();
    EXPECT_EQ(b.run.end(), RunEnd::Stopped);
    EXPECT_EQ(b.serial.socketSends.size(), 1u);
}

TEST(ReadAllRun, RefusalLeftFromAnEarlierCommandDoesNotEndANewRun) {
    Bench b(Product::F);
    dispatchSerialReply(*b.s, b.host, "E3\r\n");
    ASSERT_TRUE(b.s->link.abortFlag);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    EXPECT_TRUE(b.run.running());
    EXPECT_EQ(b.serial.serialWrites, std::vector<std::string>{"RCA001\r\n"});
}

} // namespace
} // namespace tlx
