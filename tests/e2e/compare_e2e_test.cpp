// diff, verify and the changed-only send of tlx500ctl against tlx500-sim.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

#include "ctl_runner.h"
#include "sim_process.h"

namespace tlx::e2e {
namespace {

using sim::test::SimProcess;

constexpr const char* kFast = "0.001";
const std::string kFullWidthA = "\x82\x60";

QList<QByteArray> logLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll().split('\n');
}

TEST(CompareE2E, VerifyAndSendOnlyWhatChanged) {
    QTemporaryDir dir;
    const auto file = [&](const char* name) { return dir.filePath(name); };
    SimProcess sim({"--tcp-listen", "0", "--seed", "17", "--save", file("device.dat"), "--log",
                    file("lines.log")});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    const QStringList link = sim.ctlLink() + QStringList{"--pace-scale", kFast};
    ASSERT_EQ(runCtl(link + QStringList{"read-all", file("read.dat")}).exitCode, 0);

    auto r = runCtl(link + QStringList{"verify", file("read.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "0 differences\n");

    auto target = loadSettings(file("read.dat"), Product::F);
    ASSERT_TRUE(target);
    target->titleText[11][2].assign(kFullWidthA);
    ASSERT_TRUE(saveSettings(file("one.dat"), *target, Product::F));
    r = runCtl(link + QStringList{"verify", file("one.dat")});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("page 12 line 3 title: 「Ａ」 -> 「")) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith("\n1 differences\n")) << r.out.toStdString();

    target->charColour[4][0] = (target->charColour[4][0] + 1) % 8;
    target->scheduleMinute[2][6] = (target->scheduleMinute[2][6] + 1) % 60;
    ASSERT_TRUE(saveSettings(file("three.dat"), *target, Product::F));
    const auto before = logLines(file("lines.log")).size();
    r = runCtl(link + QStringList{"send-all", file("three.dat"), "--changed-from", file("read.dat"),
                                  "--verify"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("sent 3 of 5170 commands")) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "0 differences\n");
    ASSERT_EQ(sim.stop(SIGTERM), 0);
    const auto lines = logLines(file("lines.log")).mid(static_cast<qsizetype>(before) - 1);
    const std::vector<QByteArray> expected{"CA012", "CABC005", "SD03", "RCA012", "RCABC005", "RSD03"};
    ASSERT_EQ(static_cast<std::size_t>(lines.size()), expected.size() + 1); // and the empty tail
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(lines[static_cast<qsizetype>(i)].startsWith(expected[i])) << i;
    }
    const auto device = loadSettings(file("device.dat"), Product::F);
    ASSERT_TRUE(device);
    EXPECT_EQ(readFieldsDiff(*target, *device, Product::F), "");
}

TEST(CompareE2E, DiffOfFiles) {
    QTemporaryDir dir;
    SettingsModel a;
    resetModelToDefaults(a, Product::F);
    SettingsModel b = a;
    b.alarmHoldTime = "005";
    b.titleText[0][0].assign(kFullWidthA);
    ASSERT_TRUE(saveSettings(dir.filePath("a.dat"), a, Product::F));
    ASSERT_TRUE(saveSettings(dir.filePath("b.dat"), b, Product::F));
    ASSERT_TRUE(saveSettings(dir.filePath("s.dat"), a, Product::S));

    auto r = runCtl({"diff", dir.filePath("a.dat"), dir.filePath("a.dat")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.toStdString(), "0 differences\n");

    r = runCtl({"diff", dir.filePath("a.dat"), dir.filePath("b.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.toStdString(), "page 1 line 1 title: 「」 -> 「Ａ」\n"
                                   "alarm hold time: 010 -> 005\n"
                                   "2 differences\n");

    r = runCtl({"diff", dir.filePath("a.dat"), dir.filePath("b.dat"), "--json"});
    EXPECT_EQ(r.exitCode, 1);
    const auto json = QJsonDocument::fromJson(r.out).array();
    ASSERT_EQ(json.size(), 2);
    EXPECT_EQ(json[1].toObject()["item"].toString(), "alarm hold time");
    EXPECT_EQ(json[1].toObject()["to"].toString(), "005");

    r = runCtl({"diff", dir.filePath("a.dat"), dir.filePath("s.dat")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("model S settings file")) << r.err.toStdString();

    QFile damaged(dir.filePath("damaged.dat"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("0\r\nx\r\n");
    damaged.close();
    r = runCtl({"diff", dir.filePath("damaged.dat"), dir.filePath("a.dat")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("line 2 ")) << r.err.toStdString();

    // The same file as base: nothing to send, and no device needed.
    r = runCtl({"--tcp", "127.0.0.1:1", "send-all", dir.filePath("a.dat"), "--changed-from",
                dir.filePath("a.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("sent 0 of 5170 commands"));
}

TEST(CompareE2E, RefusalAndSilenceDuringVerifyAndChangedSend) {
    QTemporaryDir dir;
    SettingsModel base;
    resetModelToDefaults(base, Product::F);
    SettingsModel target = base;
    target.titleText[0][0].assign(kFullWidthA);
    target.titleText[1][0].assign(kFullWidthA);
    ASSERT_TRUE(saveSettings(dir.filePath("base.dat"), base, Product::F));
    ASSERT_TRUE(saveSettings(dir.filePath("target.dat"), target, Product::F));
    {
        SimProcess sim({"--tcp-listen", "0", "--reply-at", "2:E3", "--log", dir.filePath("e3.log")});
        ASSERT_TRUE(sim.start());
        const auto r = runCtl(sim.ctlLink() + QStringList{"--pace-scale", kFast, "send-all",
                               dir.filePath("target.dat"), "--changed-from", dir.filePath("base.dat")});
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("E3")) << r.err.toStdString();
        ASSERT_EQ(sim.stop(SIGTERM), 0);
        EXPECT_EQ(logLines(dir.filePath("e3.log")).size(), 3); // two lines and the empty tail
    }
    {
        SimProcess sim({"--tcp-listen", "0", "--silent-after", "30"});
        ASSERT_TRUE(sim.start());
        const auto r = runCtl(sim.ctlLink() + QStringList{"--pace-scale", kFast, "verify",
                               dir.filePath("base.dat")});
        EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

} // namespace
} // namespace tlx::e2e
