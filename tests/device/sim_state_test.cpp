// --state and --save: a settings file in, the changed settings out on SIGINT,
// SIGTERM and when a TCP peer disconnects.
#include "device/device_state_file.h"
#include "sim_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace tlx::sim::test {
namespace {

bool waitForFile(const QString& path) {
    QDeadlineTimer deadline(kWaitMs);
    while (!QFile::exists(path)) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

TEST(SimState, SaveOnDisconnectAndOnSignalThenStartFromIt) {
    QTemporaryDir dir;
    const QString first = dir.filePath("first.dat");
    const QString second = dir.filePath("second.dat");
    std::vector<std::string> titles;

    SimProcess a({"--tcp-listen", "0", "--seed", "31", "--save", first});
    ASSERT_TRUE(a.start()) << a.why().toStdString();
    {
        LineClient c;
        ASSERT_TRUE(c.connectTo(a.port()));
        EXPECT_EQ(c.request("CBS001L01ON"), "GO\r\n");
        EXPECT_EQ(c.request("AME"), "GO\r\n");
        for (const char* page : {"RCA001", "RCA002", "RCA512"}) {
            titles.push_back(c.request(page).value_or(""));
        }
        c.socket().disconnectFromHost();
        ASSERT_TRUE(c.waitClosed());
    }
    // The peer's disconnect saves the state.
    ASSERT_TRUE(waitForFile(first));
    EXPECT_EQ(a.stop(SIGINT), 0);

    SimProcess b({"--tcp-listen", "0", "--state", first, "--save", second});
    ASSERT_TRUE(b.start()) << b.why().toStdString();
    {
        LineClient c;
        ASSERT_TRUE(c.connectTo(b.port()));
        EXPECT_EQ(c.request("RCBS001").value_or("").substr(0, 7), "CBS001N");
        EXPECT_EQ(c.request("RAM"), "AME\r\n");
        std::size_t i = 0;
        for (const char* page : {"RCA001", "RCA002", "RCA512"}) {
            EXPECT_EQ(c.request(page), titles[i++]) << page;
        }
        EXPECT_EQ(c.request("APB"), "GO\r\n");
        // Stop while the client is still connected: the signal saves.
        EXPECT_EQ(b.stop(SIGTERM), 0);
    }
    device::DeviceState check;
    check.product = Product::F;
    resetModelToDefaults(check.model, Product::F);
    const auto loaded = device::loadDeviceStateFile(second.toStdString(), check);
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_TRUE(loaded.complete) << loaded.message;
    EXPECT_EQ(check.model.alarmPolarity, 1);
    EXPECT_EQ(check.model.alarmMode, 1);
    EXPECT_EQ(check.model.blink[0][0], 1);
}

TEST(SimState, SilencedLinesDoNotChangeWhatIsSaved) {
    QTemporaryDir dir;
    const QString saved = dir.filePath("s.dat");
    SimProcess sim({"--tcp-listen", "0", "--model", "S", "--silent-after", "1", "--save", saved});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    LineClient c;
    ASSERT_TRUE(c.connectTo(sim.port()));
    EXPECT_EQ(c.request("AME"), "GO\r\n");
    ASSERT_TRUE(c.send("APB\r\n"));
    EXPECT_FALSE(c.anythingWithin(300));
    EXPECT_EQ(sim.stop(SIGTERM), 0);
    device::DeviceState check;
    check.product = Product::S;
    resetModelToDefaults(check.model, Product::S);
    ASSERT_TRUE(device::loadDeviceStateFile(saved.toStdString(), check).ok);
    EXPECT_EQ(check.model.alarmMode, 1);
    EXPECT_EQ(check.model.alarmPolarity, 0);
}

TEST(SimState, EachBusDeviceSavesToItsOwnFile) {
    QTemporaryDir dir;
    const QString link = dir.filePath("tty");
    const QString saved = dir.filePath("bus.dat");
    SimProcess sim({"--pty", link, "--rs485", "3,5", "--save", saved});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    PtyClient bus;
    ASSERT_TRUE(bus.open(link));
    EXPECT_EQ(bus.request("05AME"), "05GO\r\n");
    EXPECT_EQ(sim.stop(SIGINT), 0);
    for (const auto& [name, mode] : {std::pair{"bus-03.dat", 0}, std::pair{"bus-05.dat", 1}}) {
        device::DeviceState check;
        resetModelToDefaults(check.model, Product::F);
        ASSERT_TRUE(device::loadDeviceStateFile(dir.filePath(name).toStdString(), check).ok)
            << name;
        EXPECT_EQ(check.model.alarmMode, mode) << name;
    }
}

TEST(SimState, AFailedSaveOnExitIsReported) {
    SimProcess sim({"--tcp-listen", "0", "--save", "/nonexistent/folder/x.dat"});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    EXPECT_EQ(sim.stop(SIGTERM), 1);
    EXPECT_TRUE(sim.errorOutput().contains("x.dat"));
}

} // namespace
} // namespace tlx::sim::test
