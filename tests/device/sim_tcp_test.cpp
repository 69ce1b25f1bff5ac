// tlx500-sim as a process over loopback TCP: writes, refusals, the reply
// layouts of reads, bad input, the dial-in role and the option errors.
#include "device/read_table.h"
#include "running_sim.h"
#include "support/reply_lines.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tlx::sim::test {
namespace {

using tlx::test::repeat;

TEST(SimTcp, ValidWriteGoesMalformedLinesGetE3) {
    Running r({"--tcp-listen", "0"});
    ASSERT_TRUE(r.up());
    auto& c = r.client;
    EXPECT_EQ(c.request("CBS512L10ON"), "GO\r\n");
    EXPECT_EQ(c.request("RCBS512"), "CBS512FFFFFFFFFN\r\n");
    EXPECT_EQ(c.request("CBS512L10XX"), "E3\r\n");
    EXPECT_EQ(c.request("HELLO"), "E3\r\n");
    // A title holding Shift-JIS instead of a JIS code, and one with a code
    // outside the font.
    EXPECT_EQ(c.request("CA001L01"
                        "8260" +
                        repeat("2121", 27)),
              "E3\r\n");
    EXPECT_EQ(c.request("CA001L01"
                        "2921" +
                        repeat("2121", 27)),
              "E3\r\n");
    EXPECT_EQ(c.request("CA001L01"
                        "2341"
                        "A445" +
                        repeat("2121", 26)),
              "GO\r\n");
    EXPECT_EQ(c.request("RCA001"), "CA001"
                                   "2341A445" +
                                       repeat("2121", 278) + "\r\n");
    ASSERT_TRUE(c.send("RAM\n"));
    EXPECT_EQ(c.readLine(), "E3\r\n");
}

TEST(SimTcp, LongLinesOfTheSpecifiedLayouts) {
    Running r({"--tcp-listen", "0"});
    ASSERT_TRUE(r.up());
    auto& c = r.client;
    const std::string past = "PAST" + repeat("10", 512);
    EXPECT_EQ(c.request(past), "GO\r\n");
    const auto reply = c.request("RPAST");
    ASSERT_TRUE(reply);
    EXPECT_EQ(*reply, past + "\r\n");
    EXPECT_EQ(reply->size(), 1030u);

    std::string day = "SD05"
                      "0830PAS";
    for (int e = 1; e < 24; ++e) {
        day += (e < 10 ? "0" : "") + std::to_string(e) + "00000";
    }
    ASSERT_EQ(day.size(), 172u);
    EXPECT_EQ(c.request(day), "GO\r\n");
    EXPECT_EQ(c.request("RSD05"), day + "\r\n");

    EXPECT_EQ(c.request("ACA512002003004005006007008"), "GO\r\n");
    EXPECT_EQ(c.request("RACA"), "ACA512002003004005006007008\r\n");
    EXPECT_EQ(c.request("RRCA"), "RCA512002003004005006007008\r\n");
    EXPECT_EQ(c.request("EIA010.000.000.001"), "GO\r\n");
    EXPECT_EQ(c.request("REIA"), "EIA010.000.000.001\r\n");

    const std::string glyph = repeat("0123456789ABCDEF", 36);
    EXPECT_EQ(c.request("GRL001" + glyph), "GO\r\n");
    EXPECT_EQ(c.request("RFBMLA365"), "FBMLA365" + glyph + "\r\n");
}

TEST(SimTcp, EveryReadOfTheHelpTableAnswersInItsLayout) {
    for (const char* model : {"F", "S"}) {
        Running r({"--tcp-listen", "0", "--model", model});
        ASSERT_TRUE(r.up());
        const Product p = model[0] == 'F' ? Product::F : Product::S;
        for (const auto& row : device::readTable(p)) {
            const auto reply = r.client.request(std::string(row.sample));
            ASSERT_TRUE(reply) << row.sample;
            EXPECT_EQ(reply->size(), row.sampleReplyChars + 2) << model << " " << row.sample;
        }
    }
}

TEST(SimTcp, ModelSTakesItsOwnForms) {
    Running r({"--tcp-listen", "0", "--model", "S"});
    ASSERT_TRUE(r.up());
    auto& c = r.client;
    EXPECT_EQ(c.request("CBS" + repeat("F", 511) + "N"), "GO\r\n");
    EXPECT_EQ(c.request("RCBS"), "CBS" + repeat("F", 511) + "N\r\n");
    EXPECT_EQ(c.request("CBS512L10ON"), "E3\r\n");
    EXPECT_EQ(c.request("G001P001I280"), "GO\r\n");
}

TEST(SimTcp, GarbageNulsAndEndlessLinesNeitherCrashNorStopIt) {
    Running r({"--tcp-listen", "0"});
    ASSERT_TRUE(r.up());
    auto& c = r.client;
    ASSERT_TRUE(c.send(QByteArray(200000, 'x')));
    ASSERT_TRUE(c.send(QByteArray("\r\n")));
    EXPECT_EQ(c.readLine(), "E3\r\n");
    ASSERT_TRUE(c.send(QByteArray("R\0AM\r\n\x01\x02\xFF\r\nRAM\r\n", 16)));
    EXPECT_EQ(c.readLine(), "E3\r\n");
    EXPECT_EQ(c.readLine(), "E3\r\n");
    EXPECT_EQ(c.readLine(), "AMI\r\n");

    // Half a line, then the peer goes away: the next connection is served.
    ASSERT_TRUE(c.send("CBS001L0"));
    c.socket().disconnectFromHost();
    LineClient again;
    ASSERT_TRUE(again.connectTo(r.sim.port()));
    EXPECT_EQ(again.request("RCBS001"), "CBS001FFFFFFFFFF\r\n");
    EXPECT_TRUE(r.sim.running());
}

// Resident memory of a process in kB, from /proc.
long residentKb(qint64 pid) {
    QFile f(QString("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST(SimTcp, APeerThatNeverReadsIsHeldBackNotBuffered) {
    // AddressSanitizer keeps freed memory in quarantine, which would count as
    // held answers; the emulator under test runs without it.
    const QByteArray asanOptions = qgetenv("ASAN_OPTIONS");
    if (kAddressSanitizer) {
        qputenv("ASAN_OPTIONS", asanOptions + ":quarantine_size_mb=0");
    }
    Running r({"--tcp-listen", "0"});
    const bool up = r.up();
    if (kAddressSanitizer) {
        qputenv("ASAN_OPTIONS", asanOptions);
    }
    ASSERT_TRUE(up);
    // Each 11-byte read asks for a 586-byte glyph line: 6 MB of them would
    // be over 300 MB of answers. Sent without reading a single answer (most
    // of it may sit in the kernel's socket buffers), the emulator must stop
    // reading instead of holding the answers.
    const QByteArray chunk = QByteArray("RFBMLA365\r\n").repeated(8192);
    const qint64 total = 6 * 1024 * 1024;
    QTcpSocket& s = r.client.socket();
    qint64 queued = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    qint64 lastWaiting = 0;
    long peakKb = 0;
    while (sinceProgress.elapsed() < 1500) {
        if (queued < total && s.bytesToWrite() < 2 * chunk.size()) {
            s.write(chunk);
            queued += chunk.size();
        }
        s.waitForBytesWritten(20);
        if (s.bytesToWrite() != lastWaiting) {
            lastWaiting = s.bytesToWrite();
            sinceProgress.restart();
        }
        peakKb = std::max(peakKb, residentKb(r.sim.pid()));
    }
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1000) {
        peakKb = std::max(peakKb, residentKb(r.sim.pid()));
        QThread::msleep(50);
    }
    EXPECT_GT(peakKb, 0);
    EXPECT_LT(peakKb, 100 * 1024);
    // Reading again lets it go on.
    for (int i = 0; i < 100; ++i) {
        const auto line = r.client.readLine();
        ASSERT_TRUE(line);
        ASSERT_EQ(line->size(), 586u);
    }
    EXPECT_TRUE(r.sim.running());
}

TEST(SimTcp, SeveralConnectionsShareTheOneDevice) {
    Running r({"--tcp-listen", "0"});
    ASSERT_TRUE(r.up());
    LineClient second;
    ASSERT_TRUE(second.connectTo(r.sim.port()));
    EXPECT_EQ(r.client.request("AME"), "GO\r\n");
    EXPECT_EQ(second.request("RAM"), "AME\r\n");
}

TEST(SimTcp, FirmwareAndSeedShowInTheReplies) {
    Running a({"--tcp-listen", "0", "--seed", "12", "--firmware", "1.20"});
    ASSERT_TRUE(a.up());
    Running b({"--tcp-listen", "0", "--seed", "12"});
    ASSERT_TRUE(b.up());
    EXPECT_EQ(a.client.request("RVN"), "VN1.20\r\n");
    EXPECT_EQ(b.client.request("RVN"), "VN2.00\r\n");
    for (const char* read : {"RCA001", "RCA512", "RCFS100", "RSD31", "REMA", "RPAST"}) {
        const auto x = a.client.request(read);
        ASSERT_TRUE(x) << read;
        EXPECT_EQ(x, b.client.request(read)) << read;
        EXPECT_NE(x->substr(0, 2), "E3");
    }
    EXPECT_NE(a.client.request("RCA001"), "CA001" + repeat("2121", 280) + "\r\n");
}

TEST(SimTcp, DialsInAndRetriesUntilTheServerListens) {
    // Find a free port, then start the emulator before anything listens on it.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();

    SimProcess sim({"--tcp-connect", "127.0.0.1:" + QString::number(port), "--count", "3"});
    ASSERT_TRUE(sim.launch()) << sim.why().toStdString();
    // Give the first dials time to be refused; the test holds either way.
    QThread::msleep(300);
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, port));
    // The ready file comes once every device has got through.
    ASSERT_TRUE(sim.waitReady()) << sim.why().toStdString();
    EXPECT_EQ(sim.readyText(), "127.0.0.1:" + QString::number(port));

    std::vector<std::unique_ptr<QTcpSocket>> devices;
    while (devices.size() < 3) {
        if (!server.hasPendingConnections()) {
            ASSERT_TRUE(server.waitForNewConnection(kWaitMs));
        }
        devices.emplace_back(server.nextPendingConnection());
    }
    auto ask = [](QTcpSocket& s, const QByteArray& line) {
        s.write(line + "\r\n");
        s.waitForBytesWritten(kWaitMs);
        QByteArray got;
        while (!got.endsWith('\n') && s.waitForReadyRead(kWaitMs)) {
            got += s.readAll();
        }
        return got;
    };
    // Each device has its own state.
    EXPECT_EQ(ask(*devices[0], "AME"), "GO\r\n");
    EXPECT_EQ(ask(*devices[0], "RAM"), "AME\r\n");
    EXPECT_EQ(ask(*devices[1], "RAM"), "AMI\r\n");
    EXPECT_EQ(ask(*devices[2], "RAM"), "AMI\r\n");

    // A device whose connection is closed dials again.
    devices[1]->disconnectFromHost();
    ASSERT_TRUE(server.waitForNewConnection(kWaitMs));
    std::unique_ptr<QTcpSocket> back(server.nextPendingConnection());
    EXPECT_EQ(ask(*back, "RVN"), "VN2.00\r\n");
}

TEST(SimOptions, HelpListsOptionsAndTheReadTable) {
    QByteArray out, err;
    ASSERT_EQ(runSimToEnd({"--help"}, &out, &err), 0);
    for (const char* text :
         {"--tcp-listen", "--tcp-connect",  "--count",    "--pty",   "--serial",   "--rs485",
          "--model",      "--state",        "--save",     "--seed",  "--firmware", "--log",
          "--ready-file", "--silent-after", "--reply-at", "--split", "--delay-ms", "--drop-after",
          "RCA ppp",      "RPAST",          "RISS",       "RSD dd",  "FBML cccc"}) {
        EXPECT_TRUE(out.contains(text)) << text;
    }
}

TEST(SimOptions, BadOptionsAreRefusedWithExitCode2) {
    const QStringList bad[] = {
        {},
        {"--tcp-listen", "0", "--pty", "/tmp/x"},
        {"--tcp-listen", "70000"},
        {"--tcp-connect", "nohostport"},
        {"--tcp-listen", "0", "--count", "2"},
        {"--tcp-listen", "0", "--rs485", "32"},
        {"--tcp-listen", "0", "--rs485", "3,3"},
        {"--tcp-listen", "0", "--model", "X"},
        {"--tcp-listen", "0", "--firmware", "2.000"},
        {"--tcp-listen", "0", "--seed", "-1"},
        {"--tcp-listen", "0", "--silent-after", "0"},
        {"--tcp-listen", "0", "--reply-at", "E3"},
        {"--tcp-listen", "0", "--reply-at", "0:E3"},
        {"--tcp-listen", "0", "--delay-ms", "x"},
        {"--pty", "/tmp/x", "--drop-after", "3"},
        {"--tcp-listen", "0", "stray"},
    };
    for (const auto& args : bad) {
        QByteArray out, err;
        EXPECT_EQ(runSimToEnd(args, &out, &err), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(err.startsWith("tlx500-sim: ")) << args.join(' ').toStdString();
    }
}

TEST(SimOptions, UnreadableStateFileIsAFileError) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.dat"); // would block an ordinary open
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {QString("/nonexistent/x.dat"), fifo}) {
        QByteArray out, err;
        EXPECT_EQ(runSimToEnd({"--tcp-listen", "0", "--state", path}, &out, &err), 2);
        EXPECT_TRUE(err.contains(QFile::encodeName(path))) << err.toStdString();
    }
}

} // namespace
} // namespace tlx::sim::test
