#include "core/runs/run_harness.h"
#include "runs/title_all_pages_run.h"
#include "runs/title_send.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using std::chrono::milliseconds;
using test::FakeHost;
using test::FakeTransport;
using test::kJisMessage;
using test::repeat;
using Bench = test::RunBench<TitleAllPagesRun>;

TEST(TitleSend, LineAndPageCommands) {
    auto s = makeAppState(Product::F);
    s->model.titleText[0][0].assign("\x82\x60\x82\x61");
    FakeHost host;
    FakeTransport link;
    EXPECT_TRUE(sendTitleLine(*s, host, link, 0, 0));
    ASSERT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(link.serialWrites[0], "CA001L01"
                                    "23412342" +
                                        repeat("2121", 26) + "\r\n");
    EXPECT_TRUE(sendTitlePage(*s, host, link, 0));
    ASSERT_EQ(link.serialWrites.size(), 2u);
    EXPECT_EQ(link.serialWrites[1], "CA001"
                                    "23412342" +
                                        repeat("2121", 278) + "\r\n");
    EXPECT_TRUE(host.messages.empty());
}

TEST(TitleSend, PageWithAnInvalidFifthLineSendsNothingAndWarnsOnce) {
    auto s = makeAppState(Product::F);
    s->model.titleText[0][0].assign("\x82\x60");
    s->model.titleText[0][4].assign("\x82\x60"
                                    "A");
    s->model.titleText[0][6].assign("B"); // a later bad line adds no second message
    FakeHost host;
    FakeTransport link;
    EXPECT_FALSE(sendTitlePage(*s, host, link, 0));
    EXPECT_TRUE(link.serialWrites.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(host.messages[0].text, kJisMessage + "\n「A」 ページ 001 ライン 05 の 2 文字目");
    EXPECT_EQ(host.messages[0].caption, "Error");

    EXPECT_FALSE(sendTitleLine(*s, host, link, 0, 4));
    EXPECT_TRUE(link.serialWrites.empty());
    EXPECT_EQ(host.messages.size(), 2u);
}

// A model S page longer than the device's (from a file) is named as such.
TEST(TitleSend, APageTooLongIsNamed) {
    auto s = makeAppState(Product::S);
    s->model.titlePageText[2].assign(repeat("\x82\x60", 281));
    FakeHost host;
    FakeTransport link;
    EXPECT_FALSE(sendTitlePage(*s, host, link, 2));
    EXPECT_EQ(host.texts(),
              std::vector<std::string>{kJisMessage + "\nページ 003 が 280 文字を超えています"});
}

TEST(TitleAllPagesRun, SendsEveryPageAtItsPace) {
    Bench b(Product::F);
    b.s->model.titleText[255][0].assign("\x82\x60");
    const std::vector<std::string>& sent = b.serial.serialWrites;
    ASSERT_EQ(b.run.start(), RunStart::Started);
    EXPECT_EQ(b.run.nextInterval(), milliseconds{300});
    EXPECT_EQ(b.run.progress().barMax, 512);
    int ticks = 0;
    while (b.run.running() && ticks < 600) {
        const int step = b.s->model.busyStep;
        b.run.tick();
        ++ticks;
        // The ticks never wait for an answer.
        EXPECT_EQ(static_cast<int>(sent.size()), ticks);
        if (step == 1) {
            EXPECT_EQ(b.run.progress().percent, " 00.1");
        }
        if (step == 256) {
            EXPECT_EQ(b.run.progress().percent, " 50.0");
            EXPECT_EQ(b.run.progress().bar, 256);
            EXPECT_EQ(sent.back(), "CA256"
                                   "2341" +
                                       repeat("2121", 279) + "\r\n");
        }
        if (step == 511) {
            EXPECT_EQ(b.run.progress().percent, " 99.8");
        }
    }
    EXPECT_EQ(ticks, 512);
    EXPECT_EQ(b.run.end(), RunEnd::Completed);
    EXPECT_EQ(b.run.pagesSent(), 512);
    EXPECT_EQ(sent.front().substr(0, 5), "CA001");
    EXPECT_EQ(sent.back().substr(0, 5), "CA512");
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_EQ(b.run.progress().percent, "      ");
    EXPECT_EQ(b.run.progress().bar, 0);
    EXPECT_TRUE(b.host.messages.empty());
}

TEST(TitleAllPagesRun, BadPageEndsTheRunAtOnce) {
    Bench b(Product::F);
    b.s->model.titleText[9][2].assign("\xFC\x4C");
    ASSERT_EQ(b.run.start(), RunStart::Started);
    for (int i = 0; i < 10; ++i) {
        b.run.tick();
    }
    EXPECT_FALSE(b.run.running());
    EXPECT_EQ(b.run.end(), RunEnd::Rejected);
    EXPECT_EQ(b.serial.serialWrites.size(), 9u);
    EXPECT_EQ(b.host.texts(),
              std::vector<std::string>{kJisMessage +
                                       "\n「Shift-JIS FC4C」 ページ 010 ライン 03 の 1 文字目"});
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_FALSE(b.s->link.abortFlag);
}

TEST(TitleAllPagesRun, ErrorReplyStopsAtTheNextTick) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    dispatchSerialReply(*b.s, b.host, "GO\r\n");
    b.run.tick();
    dispatchSerialReply(*b.s, b.host, "MENU\r\n");
    b.run.tick();
    EXPECT_EQ(b.run.end(), RunEnd::Stopped);
    EXPECT_EQ(b.serial.serialWrites.size(), 2u);
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_FALSE(b.s->link.abortFlag);
    // A fresh start begins at page 1 again.
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    EXPECT_EQ(b.serial.serialWrites.back().substr(0, 5), "CA001");
}

TEST(TitleAllPagesRun, RefusalOverTcpEndsTheRunOnTheSameTick) {
    Bench b(Product::F, true);
    b.device.answerWith("CA003", "E1\r\n");
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.drive();
    EXPECT_EQ(b.run.end(), RunEnd::Stopped);
    EXPECT_EQ(b.device.received.size(), 3u);
    EXPECT_EQ(b.host.texts(), std::vector<std::string>{"Parity Error"});
}

TEST(TitleAllPagesRun, NoConnectEndsTheRunWithoutSending) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    for (int i = 0; i < 22; ++i) {
        tickWork(*b.s, b.host);
    }
    EXPECT_EQ(b.s->model.busyStep, 5171);
    b.run.tick();
    EXPECT_EQ(b.run.end(), RunEnd::CutShort);
    EXPECT_EQ(b.serial.serialWrites.size(), 1u);
    EXPECT_EQ(b.s->model.busyStep, 0);
}

TEST(TitleAllPagesRun, ModelSSendsThePageStringsAndBlanksWithTwoSpaces) {
    Bench b(Product::S);
    b.s->model.titlePageText[1].assign("\x82\x60");
    ASSERT_EQ(b.run.start(), RunStart::Started);
    test::driveTcp(b.run, 600); // ticks alone: no answer is awaited
    EXPECT_EQ(b.run.end(), RunEnd::Completed);
    ASSERT_EQ(b.serial.serialWrites.size(), 512u);
    EXPECT_EQ(b.serial.serialWrites[1], "CA002"
                                        "2341" +
                                            repeat("2121", 279) + "\r\n");
    EXPECT_EQ(b.run.progress().percent, "  ");
}

TEST(TitleAllPagesRun, CloseAbandonsTheSend) {
    Bench b(Product::F);
    ASSERT_EQ(b.run.start(), RunStart::Started);
    b.run.tick();
    b.run.close();
    b.run.tick();
    EXPECT_EQ(b.run.end(), RunEnd::Cancelled);
    EXPECT_EQ(b.s->model.busyStep, 0);
    EXPECT_EQ(b.serial.serialWrites.size(), 1u);
}

} // namespace
} // namespace tlx
