// tlx500-sim on a pseudo-terminal: the tool's end behaves like a COM port,
// alone or as an RS-485 bus of several devices.
#include "sim_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace tlx::sim::test {
namespace {

constexpr int kQuietMs = 400;

TEST(SimPty, AnswersLikeASerialDeviceAndRemovesItsLinkOnExit) {
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyTLX");
    SimProcess sim({"--pty", link});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    EXPECT_EQ(sim.readyText(), link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    {
        PtyClient port;
        ASSERT_TRUE(port.open(link));
        EXPECT_EQ(port.request("CBS512L10ON"), "GO\r\n");
        ASSERT_TRUE(port.send("RCBS512\r\nXYZ\r\n"));
        EXPECT_EQ(port.readLine(), "CBS512FFFFFFFFFN\r\n");
        EXPECT_EQ(port.readLine(), "E3\r\n");
    }
    // The tool may close the port and open it again.
    PtyClient again;
    ASSERT_TRUE(again.open(link));
    EXPECT_EQ(again.request("RCBS512"), "CBS512FFFFFFFFFN\r\n");

    EXPECT_EQ(sim.stop(SIGTERM), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(SimPty, Rs485BusOfThreeDevices) {
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyBus");
    SimProcess sim({"--pty", link, "--rs485", "3,5,7"});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    PtyClient bus;
    ASSERT_TRUE(bus.open(link));

    EXPECT_EQ(bus.request("05CBS001L01ON"), "05GO\r\n");
    EXPECT_EQ(bus.request("05RCBS001"), "05CBS001NFFFFFFFFF\r\n");
    EXPECT_EQ(bus.request("03RCBS001"), "03CBS001FFFFFFFFFF\r\n");

    // Nobody at 04; a broadcast is carried out by all and answered by none.
    ASSERT_TRUE(bus.send("04RAM\r\nFFAME\r\n"));
    EXPECT_FALSE(bus.anythingWithin(kQuietMs));
    for (const char* address : {"03", "05", "07"}) {
        EXPECT_EQ(bus.request(std::string(address) + "RAM"), std::string(address) + "AME\r\n");
    }
    EXPECT_EQ(bus.request("07XYZ"), "07E3\r\n");
}

TEST(SimPty, ExistingFileIsNotReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plain");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QByteArray out, err;
    EXPECT_EQ(runSimToEnd({"--pty", path}, &out, &err), 1);
    EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST(SimSerial, OpensAPortAtTheDeviceLineSettings) {
    // A pseudo-terminal stands in for the cable: the emulator opens its slave
    // end as a serial port, the test talks on the master end.
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    SimProcess sim({"--serial", name, "--rs485", "12"});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    EXPECT_EQ(sim.readyText(), QString(name));

    const std::string command = "12RAM\r\n";
    ASSERT_EQ(::write(master, command.data(), command.size()),
              static_cast<ssize_t>(command.size()));
    std::string got;
    QDeadlineTimer deadline(kWaitMs);
    while (got.find('\n') == std::string::npos && !deadline.hasExpired()) {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(deadline.remainingTime())) <= 0) {
            break;
        }
        char buf[256];
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n <= 0) {
            break;
        }
        got.append(buf, static_cast<std::size_t>(n));
    }
    EXPECT_EQ(got, "12AMI\r\n");
    EXPECT_EQ(sim.stop(SIGTERM), 0);
    ::close(master);
    ::close(slave);
}

TEST(SimSerial, MissingPortIsAnError) {
    QByteArray out, err;
    EXPECT_EQ(runSimToEnd({"--serial", "/nonexistent/ttyX"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("ttyX"));
}

} // namespace
} // namespace tlx::sim::test
