// tlx500ctl runs one job on many emulated devices: each device dialling in
// gets its own run and its own row, whatever the others do.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

#include "ctl_runner.h"
#include "glyphs/glyph_files.h"
#include "sim_process.h"

namespace tlx::e2e {
namespace {

using sim::test::SimProcess;

// The rows of the result table with this outcome.
int rowsSaying(const QByteArray& out, const QString& pattern) {
    const QRegularExpression re(QStringLiteral("^127\\.0\\.0\\.1:\\d+ +") + pattern + " ",
                                QRegularExpression::MultilineOption);
    int n = 0;
    for (auto it = re.globalMatch(QString::fromUtf8(out)); it.hasNext(); it.next()) {
        ++n;
    }
    return n;
}

class FleetE2E : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }

    // tlx500ctl listening for n devices, and the emulators (each its own
    // process, given its extra arguments) dialling it.
    CtlResult runWith(Product p, int n, const QStringList& command,
                      const std::vector<QStringList>& sims, const QString& pace = "0.01") {
        CtlProcess ctl(QStringList{"--model", modelArg(p), "--listen", "0", "--devices",
                                   QString::number(n), "--wait", "60", "--pace-scale", pace} +
                       command);
        const auto port = ctl.waitListeningPort();
        EXPECT_TRUE(port.has_value());
        for (const auto& extra : sims) {
            auto s = std::make_unique<SimProcess>(
                QStringList{"--model", modelArg(p), "--tcp-connect",
                            "127.0.0.1:" + QString::number(port.value_or(1))} +
                extra);
            EXPECT_TRUE(s->launch());
            sims_.push_back(std::move(s));
        }
        return ctl.finish();
    }
    void stopSims() {
        for (auto& s : sims_) {
            EXPECT_EQ(s->stop(SIGTERM), 0);
        }
    }
    std::vector<std::unique_ptr<SimProcess>> sims_;
};

TEST_F(FleetE2E, SendAllLeavesEveryDeviceOfEitherModelHoldingTheFile) {
    for (const Product p : {Product::F, Product::S}) {
        SCOPED_TRACE(modelArg(p).toStdString());
        sims_.clear();
        const QString source = file("source" + modelArg(p) + ".dat");
        ASSERT_TRUE(saveSeededState(p, "5", source));
        const QString saved = file("dev" + modelArg(p) + ".dat");
        const auto r = runWith(p, 8, {"send-all", source}, {{"--count", "8", "--seed", "40", "--save", saved}});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(rowsSaying(r.out, "done"), 8) << r.out.toStdString();
        stopSims();
        const auto want = loadSettings(source, p);
        ASSERT_TRUE(want);
        for (int k = 1; k <= 8; ++k) {
            const auto device = loadSettings(file("dev" + modelArg(p) + "-" + QString::number(k) + ".dat"), p);
            ASSERT_TRUE(device) << k;
            EXPECT_EQ(sentFieldsDiff(*want, *device, p), "") << k;
        }
    }
}

TEST_F(FleetE2E, ReadAllWritesOneFileEqualToEachDevice) {
    const auto r = runWith(Product::F, 8, {"read-all", file("read")},
                           {{"--count", "8", "--seed", "70", "--save", file("dev.dat")}});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    stopSims();
    const QStringList names = QDir(file("read")).entryList({"*.dat"}, QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), 8);
    EXPECT_TRUE(names.contains("127.0.0.1.dat") && names.contains("127.0.0.1-8.dat"));
    // Devices dial in in any order: each file matches exactly one device.
    std::vector<SettingsModel> devices;
    for (int k = 1; k <= 8; ++k) {
        const auto d = loadSettings(file("dev-" + QString::number(k) + ".dat"), Product::F);
        ASSERT_TRUE(d);
        devices.push_back(*d);
    }
    for (const auto& name : names) {
        const auto read = loadSettings(file("read/" + name), Product::F);
        ASSERT_TRUE(read) << name.toStdString();
        int matches = 0;
        for (const auto& d : devices) {
            matches += readFieldsDiff(d, *read, Product::F).empty() ? 1 : 0;
        }
        EXPECT_EQ(matches, 1) << name.toStdString();
    }
}

TEST_F(FleetE2E, SilentRefusingAndDroppedDevicesEndOnlyTheirOwnRuns) {
    // A refusal among link failures: exit 1; link failures alone: exit 3.
    auto r = runWith(Product::F, 4, {"read-all", file("a")},
                     {{"--count", "2"}, {"--silent-after", "20"}, {"--reply-at", "30:E3"}});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "done"), 2) << r.out.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "no answer at step 21"), 1) << r.out.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "refused \"E3\" at step 30"), 1) << r.out.toStdString();
    EXPECT_EQ(QDir(file("a")).entryList({"*.dat"}, QDir::Files).size(), 2);
    stopSims();
    sims_.clear();

    r = runWith(Product::S, 2, {"set-clock"}, {{"--silent-after", "3"}, {"--drop-after", "2"}});
    EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "no answer at step 4"), 1) << r.out.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "connection lost at step 3"), 1) << r.out.toStdString();

    // No file to send: a usage error before any device is awaited.
    EXPECT_EQ(runCtl({"--listen", "0", "--devices", "2", "send-all", file("none.dat")}).exitCode, 2);
}

TEST_F(FleetE2E, NinetySixDevicesAtOnceAndTheNinetySeventhTurnedAway) {
    const auto r = runWith(Product::S, 96, {"version"}, {{"--count", "96"}, {"--count", "1"}});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "done 2\\.00"), 96) << r.out.toStdString();
}

TEST_F(FleetE2E, InterruptStopsEveryRunAndLateComersStayOut) {
    CtlProcess ctl({"--listen", "0", "--devices", "2", "--pace-scale", "0.05", "read-all", file("r")});
    const auto port = ctl.waitListeningPort();
    ASSERT_TRUE(port);
    const QString at = "127.0.0.1:" + QString::number(*port);
    SimProcess first({"--tcp-connect", at, "--count", "2"});
    ASSERT_TRUE(first.start());
    QThread::msleep(500);
    SimProcess late({"--tcp-connect", at});
    ASSERT_TRUE(late.start()); // it got through, but the run is under way
    QThread::msleep(300);
    ::kill(static_cast<pid_t>(ctl.pid()), SIGINT);
    const auto r = ctl.finish();
    EXPECT_EQ(r.exitCode, 130) << r.err.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "stopped at step \\d+"), 2) << r.out.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "\\S.*"), 2) << r.out.toStdString();
    EXPECT_EQ(QDir(file("r")).entryList({"*.dat"}, QDir::Files).size(), 0);
}

TEST_F(FleetE2E, Rs485ListReadsEachAddressInTurn) {
    SimProcess bus({"--model", "S", "--pty", file("tty"), "--rs485", "1,3,5", "--seed", "9",
                    "--save", file("dev.dat")});
    ASSERT_TRUE(bus.start()) << bus.why().toStdString();
    const auto r = runCtl({"--model", "S", "--serial", file("tty"), "--rs485", "1-3,5",
                           "--pace-scale", "0.002", "read-all", file("bus")});
    EXPECT_EQ(r.exitCode, 3) << r.err.toStdString(); // nobody at address 2
    EXPECT_TRUE(r.out.contains("address 2  no answer at step 1 ")) << r.out.toStdString();
    ASSERT_EQ(bus.stop(SIGTERM), 0);
    EXPECT_FALSE(QFile::exists(file("bus/addr-02.dat")));
    for (const char* a : {"01", "03", "05"}) {
        const auto device = loadSettings(file(QString("dev-%1.dat").arg(a)), Product::S);
        const auto read = loadSettings(file(QString("bus/addr-%1.dat").arg(a)), Product::S);
        ASSERT_TRUE(device && read) << a;
        EXPECT_EQ(readFieldsDiff(*device, *read, Product::S), "") << a;
    }
}

TEST_F(FleetE2E, GlyphTableGoesToEveryDeviceAndComesBackOneFilePerDevice) {
    const auto& g = glyphGeometry(GlyphSize::Small);
    std::vector<std::string> table;
    for (int n = 0; n < g.count; ++n) {
        table.push_back(std::string(static_cast<std::size_t>(g.digits), "0123456789ABCDEF"[n % 16]));
    }
    const QByteArray list = QByteArray::fromStdString(writeGlyphList(table, GlyphSize::Small));
    ASSERT_TRUE(writeBytes(file("g.tls"), list));

    auto r = runWith(Product::F, 3, {"glyphs", "send", "small", file("g.tls")},
                     {{"--count", "3", "--save", file("dev.dat")}});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(rowsSaying(r.out, "done"), 3) << r.out.toStdString();
    stopSims();
    sims_.clear();
    // Each device starts again from what it saved, and is read back.
    r = runWith(Product::F, 3, {"glyphs", "read", "small", file("back")},
                {{"--state", file("dev-1.dat")}, {"--state", file("dev-2.dat")},
                 {"--state", file("dev-3.dat")}});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    stopSims();
    for (const char* name : {"back/127.0.0.1.tls", "back/127.0.0.1-2.tls", "back/127.0.0.1-3.tls"}) {
        EXPECT_EQ(fileBytes(file(name)), list) << name;
    }

    // On a bus, one address after the other; the silent one gets no file.
    SimProcess bus({"--pty", file("tty"), "--rs485", "1,3", "--save", file("bus.dat")});
    ASSERT_TRUE(bus.start()) << bus.why().toStdString();
    const QStringList link{"--serial", file("tty"), "--rs485", "1-3", "--pace-scale", "0.002"};
    EXPECT_EQ(runCtl(link + QStringList{"glyphs", "send", "small", file("g.tls")}).exitCode, 3);
    r = runCtl(link + QStringList{"glyphs", "read", "small", file("bus")});
    EXPECT_TRUE(r.out.contains("address 2  no answer at step 1 ")) << r.out.toStdString();
    ASSERT_EQ(bus.stop(SIGTERM), 0);
    EXPECT_EQ(fileBytes(file("bus/addr-01.tls")), list);
    EXPECT_EQ(fileBytes(file("bus/addr-03.tls")), list);
    EXPECT_FALSE(QFile::exists(file("bus/addr-02.tls")));
}

} // namespace
} // namespace tlx::e2e
