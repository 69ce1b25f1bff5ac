#include "base/file_io_posix.h"
#include "core/base/temp_dir.h"
#include "settings/connection_ini.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::TempDir;

TEST(ConnectionIniPath, ConfigFolderThenHomeThenNothing) {
    EXPECT_EQ(connectionIniPath(Product::F, xdgConfigFolder("/cfg", "/home/u")),
              "/cfg/tlx500f_z200.ini");
    EXPECT_EQ(connectionIniPath(Product::S, xdgConfigFolder("/cfg/", "/home/u")),
              "/cfg/tlx500s_z200.ini");
    EXPECT_EQ(connectionIniPath(Product::F, xdgConfigFolder(nullptr, "/home/u")),
              "/home/u/.config/tlx500f_z200.ini");
    // A relative or empty configuration folder does not count.
    EXPECT_EQ(xdgConfigFolder("rel", "/home/u"), "/home/u/.config");
    EXPECT_EQ(xdgConfigFolder("", "/home/u"), "/home/u/.config");
    EXPECT_FALSE(connectionIniPath(Product::F, xdgConfigFolder(nullptr, nullptr)));
}

TEST(ConnectionIniPath, TakenFromTheEnvironment) {
    TempDir dir;
    ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    const auto ini = ConnectionIni::forProduct(Product::S);
    EXPECT_EQ(ini.path(), dir.file("tlx500s_z200.ini"));
    ini.writeNumber(kKeyInterface, 1);
    EXPECT_EQ(test::slurp(dir.file("tlx500s_z200.ini")),
              "[TLX-500S_Z200_Section]\r\nInterface=1\r\n");
    ::unsetenv("XDG_CONFIG_HOME");
}

class ConnectionIniTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.file("tlx500f_z200.ini");
    ConnectionIni ini{path, "TLX-500F_Z200_Section"};
    ConnectionSettings settings;
    std::string port = "xxxxx";
};

TEST_F(ConnectionIniTest, NoFileGivesTheDefaults) {
    settings.interfaceKind = InterfaceKind::Tcp;
    settings.rsControl = 1;
    settings.comPortIndex = 3;
    settings.clientServer = 1;
    settings.selectNumber = 4;
    settings.hostList.push_back({1, 2, 3, 4});
    settings.slaveAddress = 7;
    ini.load(settings, port);
    EXPECT_EQ(settings.interfaceKind, InterfaceKind::Serial);
    EXPECT_EQ(settings.rsControl, 0);
    EXPECT_EQ(settings.comPortIndex, 0);
    EXPECT_EQ(settings.clientServer, 0);
    EXPECT_EQ(settings.selectNumber, 0);
    EXPECT_EQ(settings.listCount(), 0);
    EXPECT_EQ(settings.comDevice, "");
    EXPECT_EQ(port, "09004");
    EXPECT_EQ(settings.slaveAddress, 7); // not kept in the file
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ConnectionIniTest, EveryKeyIsLoaded) {
    test::spit(path, "[tlx-500f_z200_section]\n"
                     "com_port=2\n"
                     "rs_control=1\n"
                     "Interface=1\n"
                     "p_port_number=10001\n"
                     "ClientServer=1\n"
                     "select_number=1\n"
                     "list_count=2\n"
                     "ip00_0=192\nip00_1=168\nip00_2=1\nip00_3=10\n"
                     "ip01_0=10\nip01_1=0\nip01_2=0\nip01_3=7\n"
                     "com_device=/dev/ttyUSB0");
    ini.load(settings, port);
    EXPECT_EQ(settings.comPortIndex, 2);
    EXPECT_EQ(settings.rsControl, 1);
    EXPECT_EQ(settings.interfaceKind, InterfaceKind::Tcp);
    EXPECT_EQ(port, "10001");
    EXPECT_EQ(settings.clientServer, 1);
    EXPECT_EQ(settings.selectNumber, 1);
    ASSERT_EQ(settings.listCount(), 2);
    EXPECT_EQ(settings.hostList[0], (std::array<std::uint8_t, 4>{192, 168, 1, 10}));
    EXPECT_EQ(settings.hostList[1], (std::array<std::uint8_t, 4>{10, 0, 0, 7}));
    EXPECT_EQ(settings.comDevice, "/dev/ttyUSB0");
}

TEST_F(ConnectionIniTest, ValuesNoControlCanShowFallBackToDefaults) {
    test::spit(path, "[TLX-500F_Z200_Section]\r\n"
                     "com_port=9\r\n"
                     "rs_control=-1\r\n"
                     "Interface=tcp\r\n"
                     "ClientServer=2\r\n"
                     "list_count=250\r\n"
                     "ip00_0=300\r\nip00_1=-4\r\nip00_2=12x\r\n"
                     "p_port_number=1234567\r\n");
    ini.load(settings, port);
    EXPECT_EQ(settings.comPortIndex, 0);
    EXPECT_EQ(settings.rsControl, 0);
    EXPECT_EQ(settings.interfaceKind, InterfaceKind::Serial);
    EXPECT_EQ(settings.clientServer, 0);
    EXPECT_EQ(settings.hostList.size(), kMaxHosts);
    EXPECT_EQ(settings.hostList[0], (std::array<std::uint8_t, 4>{0, 0, 12, 0}));
    EXPECT_EQ(port, "12345");

    test::spit(path, "[TLX-500F_Z200_Section]\r\nlist_count=-3\r\n");
    ini.load(settings, port);
    EXPECT_EQ(settings.listCount(), 0);
}

TEST_F(ConnectionIniTest, HostKeysAreTwoDigitIndexAndOctet) {
    EXPECT_EQ(hostKey(0, 0), "ip00_0");
    EXPECT_EQ(hostKey(7, 3), "ip07_3");
    EXPECT_EQ(hostKey(99, 2), "ip99_2");
}

TEST_F(ConnectionIniTest, AddingAThirdHostWritesCountAndItsKeys) {
    test::spit(path, "[TLX-500F_Z200_Section]\r\n"
                     "list_count=2\r\n"
                     "ip00_0=1\r\nip00_1=1\r\nip00_2=1\r\nip00_3=1\r\n"
                     "ip01_0=2\r\nip01_1=2\r\nip01_2=2\r\nip01_3=2\r\n");
    ini.load(settings, port);
    ASSERT_EQ(settings.listCount(), 2);
    settings.hostList.push_back({3, 3, 3, 3});
    ASSERT_TRUE(ini.writeHostAdded(settings));
    EXPECT_EQ(test::slurp(path), "[TLX-500F_Z200_Section]\r\n"
                                 "list_count=3\r\n"
                                 "ip00_0=1\r\nip00_1=1\r\nip00_2=1\r\nip00_3=1\r\n"
                                 "ip01_0=2\r\nip01_1=2\r\nip01_2=2\r\nip01_3=2\r\n"
                                 "ip02_0=3\r\nip02_1=3\r\nip02_2=3\r\nip02_3=3\r\n");
}

TEST_F(ConnectionIniTest, DeletingTheFirstOfThreeMovesTheOthersDown) {
    const std::string three = "[TLX-500F_Z200_Section]\r\n"
                              "list_count=3\r\n"
                              "ip00_0=1\r\nip00_1=1\r\nip00_2=1\r\nip00_3=1\r\n"
                              "ip01_0=2\r\nip01_1=2\r\nip01_2=2\r\nip01_3=2\r\n"
                              "ip02_0=3\r\nip02_1=3\r\nip02_2=3\r\nip02_3=3\r\n";
    test::spit(path, three);
    ini.load(settings, port);
    settings.hostList.erase(settings.hostList.begin());
    ASSERT_TRUE(ini.writeHostsFrom(settings, 0));
    EXPECT_EQ(test::slurp(path), "[TLX-500F_Z200_Section]\r\n"
                                 "list_count=2\r\n"
                                 "ip00_0=2\r\nip00_1=2\r\nip00_2=2\r\nip00_3=2\r\n"
                                 "ip01_0=3\r\nip01_1=3\r\nip01_2=3\r\nip01_3=3\r\n"
                                 "ip02_0=3\r\nip02_1=3\r\nip02_2=3\r\nip02_3=3\r\n");
    ini.load(settings, port);
    ASSERT_EQ(settings.listCount(), 2);
    EXPECT_EQ(settings.hostList[0][0], 2);
    EXPECT_EQ(settings.hostList[1][0], 3);
}

TEST_F(ConnectionIniTest, DeletingTheLastEntryOnlyLowersTheCount) {
    settings.hostList = {{1, 1, 1, 1}, {2, 2, 2, 2}};
    ini.writeHostsFrom(settings, 0);
    settings.hostList.pop_back();
    ini.writeHostsFrom(settings, 1);
    EXPECT_EQ(test::slurp(path), "[TLX-500F_Z200_Section]\r\n"
                                 "list_count=1\r\n"
                                 "ip00_0=1\r\nip00_1=1\r\nip00_2=1\r\nip00_3=1\r\n"
                                 "ip01_0=2\r\nip01_1=2\r\nip01_2=2\r\nip01_3=2\r\n");
}

TEST_F(ConnectionIniTest, WritesKeepOtherSectionsAndKeys) {
    test::spit(path, "[Mine]\nfoo=bar\n[TLX-500F_Z200_Section]\nunknown=1");
    ini.writeNumber(kKeySelectNumber, -1);
    ini.writeText(kKeyPortNumber, "09005");
    EXPECT_EQ(test::slurp(path), "[Mine]\nfoo=bar\n[TLX-500F_Z200_Section]\nunknown=1\r\n"
                                 "select_number=-1\r\np_port_number=09005\r\n");
}

TEST(ConnectionIniWithoutPath, ReadsDefaultsAndWritesNothing) {
    const ConnectionIni ini("", "S");
    ConnectionSettings s;
    s.comPortIndex = 4;
    std::string port;
    ini.load(s, port);
    EXPECT_EQ(s.comPortIndex, 0);
    EXPECT_EQ(port, "09004");
    EXPECT_FALSE(ini.writeNumber(kKeyComPort, 1));
}

} // namespace
} // namespace tlx
