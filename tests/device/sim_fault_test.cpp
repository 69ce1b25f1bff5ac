// The fault options of tlx500-sim, seen from a TCP client.
#include "running_sim.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tlx::sim::test {
namespace {

// How long a test waits to be sure that nothing more comes.
constexpr int kQuietMs = 400;

TEST(SimFaults, SilentAfterAnswersTheFirstLinesOnly) {
    Running r({"--tcp-listen", "0", "--silent-after", "2"});
    ASSERT_TRUE(r.up());
    EXPECT_EQ(r.client.request("RAM"), "AMI\r\n");
    EXPECT_EQ(r.client.request("RAP"), "APM\r\n");
    ASSERT_TRUE(r.client.send("RAM\r\nRAR\r\n"));
    EXPECT_FALSE(r.client.anythingWithin(kQuietMs));
    // Also on a new connection: the count belongs to the device.
    LineClient again;
    ASSERT_TRUE(again.connectTo(r.sim.port()));
    ASSERT_TRUE(again.send("RAM\r\n"));
    EXPECT_FALSE(again.anythingWithin(kQuietMs));
}

TEST(SimFaults, ReplyAtReplacesTheAnswersOfThoseLines) {
    Running r(
        {"--tcp-listen", "0", "--reply-at", "2:E3", "--reply-at", "3:MENU", "--reply-at", "4:GN"});
    ASSERT_TRUE(r.up());
    EXPECT_EQ(r.client.request("AME"), "GO\r\n");
    EXPECT_EQ(r.client.request("APB"), "E3\r\n");
    EXPECT_EQ(r.client.request("AROF"), "MENU\r\n");
    EXPECT_EQ(r.client.request("ADOF"), "GN\r\n");
    // Replaced lines were not carried out.
    EXPECT_EQ(r.client.request("RAP"), "APM\r\n");
    EXPECT_EQ(r.client.request("RAR"), "ARON\r\n");
    EXPECT_EQ(r.client.request("RAM"), "AME\r\n");
}

TEST(SimFaults, SplitSendsEachReplyInTwoPiecesTheFirstWithoutLf) {
    Running r({"--tcp-listen", "0", "--split"});
    ASSERT_TRUE(r.up());
    int seenSplit = 0;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(r.client.send("RCBS001\r\n"));
        QByteArray got = r.client.readChunk();
        ASSERT_FALSE(got.isEmpty());
        if (!got.endsWith('\n')) {
            ++seenSplit;
        }
        while (!got.endsWith('\n')) {
            const QByteArray more = r.client.readChunk();
            ASSERT_FALSE(more.isEmpty()) << "the rest of the reply did not come";
            got += more;
        }
        EXPECT_EQ(got, "CBS001FFFFFFFFFF\r\n");
    }
    // The pieces are 20 ms apart; a loaded machine may read both at once
    // sometimes, but not every time.
    EXPECT_GT(seenSplit, 0);
}

TEST(SimFaults, DelayHoldsEachReply) {
    Running r({"--tcp-listen", "0", "--delay-ms", "300"});
    ASSERT_TRUE(r.up());
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(r.client.request("RAM"), "AMI\r\n");
    EXPECT_GE(t.elapsed(), 290);
    // Replies stay in order.
    ASSERT_TRUE(r.client.send("RAM\r\nAME\r\nRAM\r\n"));
    EXPECT_EQ(r.client.readLine(), "AMI\r\n");
    EXPECT_EQ(r.client.readLine(), "GO\r\n");
    EXPECT_EQ(r.client.readLine(), "AME\r\n");
}

TEST(SimFaults, DropAfterClosesEachConnectionAfterItsLines) {
    Running r({"--tcp-listen", "0", "--drop-after", "2"});
    ASSERT_TRUE(r.up());
    EXPECT_EQ(r.client.request("RAM"), "AMI\r\n");
    ASSERT_TRUE(r.client.send("RAP\r\nAME\r\n"));
    EXPECT_EQ(r.client.readLine(), "APM\r\n");
    EXPECT_TRUE(r.client.waitClosed());
    LineClient again;
    ASSERT_TRUE(again.connectTo(r.sim.port()));
    EXPECT_EQ(again.request("RAM"), "AMI\r\n"); // the dropped line was not carried out
    EXPECT_EQ(again.request("RAP"), "APM\r\n");
    EXPECT_TRUE(again.waitClosed());
}

TEST(SimFaults, DropAfterWithSplitAndDelayStillSendsTheLastReplyFirst) {
    Running r({"--tcp-listen", "0", "--drop-after", "1", "--split", "--delay-ms", "50"});
    ASSERT_TRUE(r.up());
    ASSERT_TRUE(r.client.send("RAM\r\n"));
    EXPECT_EQ(r.client.readLine(), "AMI\r\n");
    EXPECT_TRUE(r.client.waitClosed());
}

TEST(SimFaults, LogAppendsEveryReceivedLine) {
    QTemporaryDir dir;
    const QString log = dir.filePath("lines.log");
    SimProcess logged({"--tcp-listen", "0", "--log", log});
    ASSERT_TRUE(logged.start()) << logged.why().toStdString();
    LineClient c;
    ASSERT_TRUE(c.connectTo(logged.port()));
    EXPECT_EQ(c.request("RAM"), "AMI\r\n");
    ASSERT_TRUE(c.send(QByteArray("A\x01Z\r\n", 5)));
    EXPECT_EQ(c.readLine(), "E3\r\n");
    EXPECT_EQ(c.request("CBS001L01ON"), "GO\r\n");
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "RAM\nA\\x01Z\nCBS001L01ON\n");
}

} // namespace
} // namespace tlx::sim::test
