// tlx500ctl against tlx500-sim: every link, both models, and the failures an
// operator meets.
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

#include "ctl_runner.h"
#include "sim_process.h"

namespace tlx::e2e {
namespace {

using sim::test::SimProcess;

constexpr const char* kFast = "0.001";

class CtlE2E : public ModelE2E {
protected:
    // Stops the emulator and loads the state it saved.
    std::optional<SettingsModel> savedState(SimProcess& sim, const QString& path) {
        EXPECT_EQ(sim.stop(SIGTERM), 0);
        return loadSettings(path, product());
    }
    // After a read-all into read.dat: the file holds what the emulator saved.
    void expectReadAsSaved(SimProcess& sim, const CtlResult& r) {
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const auto device = savedState(sim, file("device.dat"));
        const auto read = loadSettings(file("read.dat"), product());
        ASSERT_TRUE(device && read);
        EXPECT_EQ(readFieldsDiff(*device, *read, product()), "");
        EXPECT_EQ(read->firmwareVersion, "0.00"); // the version is not part of the file
    }
};

INSTANTIATE_TEST_SUITE_P(BothModels, CtlE2E, ::testing::Values(Product::F, Product::S),
                         modelName);

TEST_P(CtlE2E, ReadAllOverTcpMatchesTheDevice) {
    SimProcess sim({"--model", model(), "--tcp-listen", "0", "--seed", "11", "--save",
                    file("device.dat")});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    const auto r = runCtl(QStringList{"--model", model()} + sim.ctlLink() +
                          QStringList{"--pace-scale", kFast, "read-all", file("read.dat")});
    expectReadAsSaved(sim, r);
}

TEST_P(CtlE2E, SendAllOverTcpLeavesTheDeviceHoldingTheFile) {
    // The file: another seeded device's state.
    ASSERT_TRUE(saveSeededState(product(), "5", file("source.dat")));
    SimProcess sim({"--model", model(), "--tcp-listen", "0", "--seed", "99", "--save",
                    file("device.dat")});
    ASSERT_TRUE(sim.start());
    const auto r = runCtl(QStringList{"--model", model()} + sim.ctlLink() +
                          QStringList{"--pace-scale", kFast, "send-all", file("source.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const auto device = savedState(sim, file("device.dat"));
    const auto source = loadSettings(file("source.dat"), product());
    ASSERT_TRUE(device && source);
    EXPECT_EQ(sentFieldsDiff(*source, *device, product()), "");
}

TEST_P(CtlE2E, ReadAllAsServerWithTheDeviceDialingIn) {
    CtlProcess ctl({"--model", model(), "--listen", "0", "--pace-scale", kFast, "read-all",
                    file("read.dat")});
    const auto port = ctl.waitListeningPort();
    ASSERT_TRUE(port.has_value());
    SimProcess sim({"--model", model(), "--tcp-connect", "127.0.0.1:" + QString::number(*port),
                    "--seed", "3", "--save", file("device.dat")});
    ASSERT_TRUE(sim.launch());
    const auto r = ctl.finish();
    expectReadAsSaved(sim, r);
}

TEST_P(CtlE2E, ReadAllOverAPseudoTerminal) {
    SimProcess sim({"--model", model(), "--pty", file("tty"), "--seed", "21", "--save",
                    file("device.dat")});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    const auto r = runCtl({"--model", model(), "--serial", file("tty"), "--pace-scale", kFast,
                           "read-all", file("read.dat")});
    expectReadAsSaved(sim, r);
}

TEST_P(CtlE2E, SendAllToAddressFiveOnAnRs485Bus) {
    ASSERT_TRUE(saveSeededState(product(), "8", file("source.dat")));
    SimProcess bus({"--model", model(), "--pty", file("tty"), "--rs485", "3,5", "--save",
                    file("device.dat")});
    ASSERT_TRUE(bus.start()) << bus.why().toStdString();
    const auto r = runCtl({"--model", model(), "--serial", file("tty"), "--rs485", "5",
                           "--pace-scale", kFast, "send-all", file("source.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(bus.stop(SIGTERM), 0);
    const auto five = loadSettings(file("device-05.dat"), product());
    const auto three = loadSettings(file("device-03.dat"), product());
    const auto source = loadSettings(file("source.dat"), product());
    ASSERT_TRUE(five && three && source);
    EXPECT_EQ(sentFieldsDiff(*source, *five, product()), "");
    EXPECT_NE(sentFieldsDiff(*source, *three, product()), ""); // address 3 heard nothing
}

TEST_P(CtlE2E, BroadcastSendAllReachesEveryDevice) {
    ASSERT_TRUE(saveSeededState(product(), "4", file("source.dat")));
    SimProcess bus({"--model", model(), "--pty", file("tty"), "--rs485", "3,5", "--save",
                    file("device.dat")});
    ASSERT_TRUE(bus.start());
    const auto r = runCtl({"--model", model(), "--serial", file("tty"), "--rs485", "broadcast",
                           "--pace-scale", "0.02", "send-all", file("source.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(bus.stop(SIGTERM), 0);
    const auto source = loadSettings(file("source.dat"), product());
    for (const char* name : {"device-03.dat", "device-05.dat"}) {
        const auto device = loadSettings(file(name), product());
        ASSERT_TRUE(device && source) << name;
        EXPECT_EQ(sentFieldsDiff(*source, *device, product()), "") << name;
    }
}

TEST(CtlE2EFirmware, VersionDecidesWhereReadAllEnds) {
    const std::vector<std::pair<QString, int>> cases{{"1.20", 4656}, {"1.10", 4655}, {"2.00", 5168}};
    for (const auto& [firmware, commands] : cases) {
        SimProcess sim({"--tcp-listen", "0", "--firmware", firmware});
        ASSERT_TRUE(sim.start());
        QTemporaryDir dir;
        const auto r = runCtl(sim.ctlLink() + QStringList{"--pace-scale", kFast, "read-all", dir.filePath("a.dat")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(commandsReported(r.err), commands) << firmware.toStdString();
        const auto v = runCtl(sim.ctlLink() + QStringList{"version"});
        EXPECT_EQ(v.out.trimmed().toStdString(), firmware.toStdString());
    }
}

// A device that falls silent, refuses or drops the link ends read-all with
// the fault's exit status and its word, and no file is written.
TEST(CtlE2EFailures, FaultsEndReadAllWithoutAFile) {
    const struct {
        bool serial;
        QStringList fault;
        const char* pace;
        int exitCode;
        const char* says;
    } cases[] = {
        {true, {"--silent-after", "40"}, "0.01", 3, "No Connect"},
        {false, {"--silent-after", "5"}, kFast, 3, "no answer"},
        {false, {"--reply-at", "700:E3"}, kFast, 1, "E3"},
        {false, {"--drop-after", "50"}, kFast, 3, "connection"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        QTemporaryDir dir;
        SimProcess sim((c.serial ? QStringList{"--pty", dir.filePath("tty")}
                                 : QStringList{"--tcp-listen", "0"}) +
                       c.fault);
        ASSERT_TRUE(sim.start()) << sim.why().toStdString();
        const auto r = runCtl(sim.ctlLink() +
                              QStringList{"--pace-scale", c.pace, "read-all", dir.filePath("a.dat")});
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("a.dat")));
    }
}

TEST(CtlE2EFailures, SplitRepliesAreWholeLines) {
    for (const QString link : {"tcp", "pty"}) {
        QTemporaryDir dir;
        const bool tcp = link == "tcp";
        SimProcess sim(tcp ? QStringList{"--tcp-listen", "0", "--split", "--seed", "2"}
                           : QStringList{"--pty", dir.filePath("tty"), "--split", "--seed", "2"});
        ASSERT_TRUE(sim.start());
        const auto r = runCtl(sim.ctlLink() + QStringList{"send", "RADT"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith("ADT")) << r.out.toStdString();
        EXPECT_EQ(r.out.count('\n'), 1);
    }
}

TEST(CtlE2EFailures, UsageAndFileErrors) {
    EXPECT_EQ(runCtl({"frobnicate"}).exitCode, 2);
    QTemporaryDir dir;
    EXPECT_EQ(runCtl({"--tcp", "127.0.0.1:1", "send-all", dir.filePath("missing.dat")}).exitCode, 2);
    QFile shortFile(dir.filePath("short.dat"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("0\r\n0\r\n");
    shortFile.close();
    EXPECT_EQ(runCtl({"--tcp", "127.0.0.1:1", "send-all", dir.filePath("short.dat")}).exitCode, 2);
    const auto r = runCtl({"--serial", dir.filePath("no-such-tty"), "version"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("does not exist")) << r.err.toStdString();
}

TEST(CtlE2EFailures, SendPrintsTheRefusalAndExitsOne) {
    SimProcess sim({"--tcp-listen", "0"});
    ASSERT_TRUE(sim.start());
    const auto r = runCtl(sim.ctlLink() + QStringList{"send", "XYZZY"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.trimmed().toStdString(), "E3");
}

TEST(CtlE2ESavedConnection, UsesTheConnectionTheDesktopProgramSaved) {
    SimProcess sim({"--tcp-listen", "0", "--firmware", "1.20"});
    ASSERT_TRUE(sim.start());
    QTemporaryDir config;
    QFile ini(config.filePath("tlx500f_z200.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[TLX-500F_Z200_Section]\r\nInterface=1\r\nClientServer=0\r\n"
                             "p_port_number=%1\r\nselect_number=0\r\nlist_count=1\r\n"
                             "ip00_0=127\r\nip00_1=0\r\nip00_2=0\r\nip00_3=1\r\n")
                  .arg(sim.port())
                  .toUtf8());
    ini.close();
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TLX_CTL_PATH), {"version"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(p.readAllStandardOutput().trimmed().toStdString(), "1.20");
}

TEST(CtlE2EClock, SetClockSendsEveryFieldAndSucceeds) {
    QTemporaryDir dir;
    SimProcess sim({"--tcp-listen", "0", "--log", dir.filePath("lines.log")});
    ASSERT_TRUE(sim.start());
    const auto r = runCtl(sim.ctlLink() + QStringList{"set-clock"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(sim.stop(SIGTERM), 0);
    QFile log(dir.filePath("lines.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray lines = log.readAll();
    for (const char* mnemonic : {"DSY", "DSM", "DSD", "TSH", "TSM", "TSS"}) {
        EXPECT_TRUE(lines.contains(mnemonic)) << mnemonic;
    }
}

TEST(CtlE2ETrace, TraceFileGathersEveryRunAndAnUnwritableOneStopsBeforeSending) {
    QTemporaryDir dir;
    SimProcess sim({"--pty", dir.filePath("tty"), "--rs485", "5", "--silent-after", "3", "--log",
                    dir.filePath("device.log")});
    ASSERT_TRUE(sim.start());
    const QString trace = dir.filePath("trace.log");
    auto run = [&](const QString& traceFile, const QString& line) {
        return runCtl({"--serial", dir.filePath("tty"), "--rs485", "5", "--pace-scale", "0.01",
                       "--trace", traceFile, "send", line});
    };
    EXPECT_EQ(run(dir.filePath("no-such-dir/trace.log"), "RVN").exitCode, 2);
    EXPECT_EQ(QFile(dir.filePath("device.log")).size(), 0);

    EXPECT_EQ(run(trace, "RVN").exitCode, 0);
    EXPECT_EQ(run(trace, "XYZZY").exitCode, 1);
    const QString ab = "CA001L0123412342" + QString("2121").repeated(26);
    EXPECT_EQ(run(trace, ab).exitCode, 0);
    EXPECT_EQ(run(trace, "RVN").exitCode, 3);
    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 9) << file.fileName().toStdString(); // and the empty rest after the last
    const QByteArray link = (dir.filePath("tty") + "@05  ").toUtf8();
    const QList<QByteArray> expected = {
        "> " + link + "05RVN\\x0D\\x0A",
        "< " + link + "05VN2.00\\x0D\\x0A",
        "> " + link + "05XYZZY\\x0D\\x0A",
        "< " + link + "05E3\\x0D\\x0A  ** error reply",
        "> " + link + "05" + ab.toUtf8() + "\\x0D\\x0A  title \"\xEF\xBC\xA1\xEF\xBC\xA2\"",
        "< " + link + "05GO\\x0D\\x0A",
        "> " + link + "05RVN\\x0D\\x0A",
        "! " + link + "No Connect  ** no answer",
    };
    const QRegularExpression time("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} ");
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(time.match(QString::fromUtf8(lines[i])).hasMatch()) << lines[i].toStdString();
        EXPECT_EQ(lines[i].mid(24).toStdString(), expected[i].toStdString());
    }
}

} // namespace
} // namespace tlx::e2e
