#include "core/base/temp_dir.h"
#include "dialogs/connection_dialogs.h"
#include "protocol/app_state.h"
#include "support/fake_links.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace tlx {
namespace {

using test::FakeLinks;

class ConnectionDialogs : public ::testing::Test {
  protected:
    test::TempDir dir;
    std::string path = dir.file("tlx500f_z200.ini");
    ConnectionIni ini{path, "TLX-500F_Z200_Section"};
    std::unique_ptr<AppState> state = makeAppState(Product::F);
    FakeLinks links;

    std::string file() const { return test::slurp(path); }
    std::string fileValue(std::string_view key) const {
        return std::string(
            IniDocument::parse(file()).value("TLX-500F_Z200_Section", key).value_or("<none>"));
    }
    std::vector<std::string> items(const ChoiceView& v) const {
        return {v.items.begin(), v.items.end()};
    }
};

TEST_F(ConnectionDialogs, InterfaceBoxWritesAtOnceAndStartsTheSerialLink) {
    ChoiceDialog d(kInterfaceDialog, *state, ini, links);
    EXPECT_EQ(d.title(), "インターフェイスの設定");
    ASSERT_EQ(d.boxCount(), 1u);
    auto box = d.box(0);
    EXPECT_EQ(box.control, 1043);
    EXPECT_EQ(items(box), (std::vector<std::string>{"RS-232C/485", "TCP/IP"}));
    EXPECT_EQ(box.current, 0);
    EXPECT_TRUE(box.enabled);

    d.choose(0, 1);
    EXPECT_EQ(state->connection.interfaceKind, InterfaceKind::Tcp);
    EXPECT_EQ(fileValue("Interface"), "1");
    d.choose(0, 0);
    EXPECT_EQ(state->connection.interfaceKind, InterfaceKind::Serial);
    EXPECT_EQ(fileValue("Interface"), "0");
    EXPECT_EQ(links.serialStarts, 2);
}

TEST_F(ConnectionDialogs, InterfaceAndClientServerAreLockedWhileConnected) {
    state->link.socketConnected = true;
    ChoiceDialog iface(kInterfaceDialog, *state, ini, links);
    ChoiceDialog cs(kClientServerDialog, *state, ini, links);
    EXPECT_FALSE(iface.box(0).enabled);
    EXPECT_FALSE(cs.box(0).enabled);
    iface.choose(0, 1);
    cs.choose(0, 1);
    EXPECT_EQ(state->connection.interfaceKind, InterfaceKind::Serial);
    EXPECT_EQ(state->connection.clientServer, 0);
    EXPECT_EQ(links.serialStarts, 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ConnectionDialogs, RsDialogWritesPortAndControl) {
    ChoiceDialog d(kRsDialog, *state, ini, links);
    EXPECT_EQ(d.title(), "RS-232C/485の設定");
    ASSERT_EQ(d.boxCount(), 2u);
    EXPECT_EQ(d.box(0).control, 1044);
    EXPECT_EQ(items(d.box(0)),
              (std::vector<std::string>{"COM 1", "COM 2", "COM 3", "COM 4", "COM 5", "COM 6"}));
    EXPECT_EQ(d.box(1).control, 1045);
    EXPECT_EQ(items(d.box(1)), (std::vector<std::string>{"RS-232C", "RS-485"}));
    d.choose(0, 5);
    d.choose(1, 1);
    d.choose(0, 6);  // no such item
    d.choose(1, -1); // no such item
    EXPECT_EQ(state->connection.comPortIndex, 5);
    EXPECT_EQ(state->connection.rsControl, 1);
    EXPECT_TRUE(state->connection.rs485());
    EXPECT_EQ(fileValue("com_port"), "5");
    EXPECT_EQ(fileValue("rs_control"), "1");
    EXPECT_EQ(links.serialStarts, 0);
    // A new port is opened at once; the same port again is left alone.
    EXPECT_EQ(links.serialReopens, 1);
    d.choose(0, 5);
    EXPECT_EQ(links.serialReopens, 1);
}

TEST_F(ConnectionDialogs, ComDevicePathIsStoredAndLoadedBack) {
    changeComDevice(*state, ini, links, "/dev/ttyUSB0\n");
    EXPECT_EQ(state->connection.comDevice, "/dev/ttyUSB0");
    EXPECT_EQ(links.serialReopens, 1);
    changeComDevice(*state, ini, links, "/dev/ttyUSB0");
    EXPECT_EQ(links.serialReopens, 1);
    ConnectionSettings loaded;
    std::string port;
    ini.load(loaded, port);
    EXPECT_EQ(loaded.comDevice, "/dev/ttyUSB0");
}

TEST_F(ConnectionDialogs, ClientServerBoxWrites) {
    ChoiceDialog d(kClientServerDialog, *state, ini, links);
    EXPECT_EQ(d.title(), "クライアント/サーバー");
    EXPECT_EQ(d.box(0).control, 1096);
    EXPECT_EQ(items(d.box(0)), (std::vector<std::string>{"Client", "Server"}));
    d.choose(0, 1);
    EXPECT_EQ(state->connection.clientServer, 1);
    EXPECT_EQ(fileValue("ClientServer"), "1");
}

TEST_F(ConnectionDialogs, SlaveAddressIsChosenButNeverStored) {
    state->connection.selectNumber = -1;
    ChoiceDialog d(kSlaveAddressDialog, *state, ini, links);
    EXPECT_EQ(d.title(), "機器のスレーブアドレス");
    const auto box = d.box(0);
    EXPECT_EQ(box.control, 1010);
    ASSERT_EQ(box.items.size(), 33u);
    EXPECT_EQ(box.items[0], "00");
    EXPECT_EQ(box.items[31], "31");
    EXPECT_EQ(box.items[32], "Bloadcast");
    d.choose(0, 32);
    EXPECT_EQ(state->connection.slaveAddress, kSlaveBroadcast);
    EXPECT_FALSE(std::filesystem::exists(path));

    links.clients = {"10.0.0.5", "10.0.0.6"};
    state->connection.selectNumber = 2;
    EXPECT_EQ(d.title(), "機器のスレーブアドレス 10.0.0.6");
}

TEST_F(ConnectionDialogs, ClientDialogShowsTheListAndThePickedHost) {
    state->connection.hostList = {{192, 168, 1, 10}, {10, 0, 0, 7}};
    state->connection.selectNumber = 1;
    TcpClientDialog d(*state, ini, links);
    ASSERT_TRUE(d.address());
    EXPECT_EQ(*d.address(), (HostAddress{10, 0, 0, 7}));
    EXPECT_EQ(d.rows(), (std::vector<std::string>{"192 .168 .001 .010", "010 .000 .000 .007"}));
    EXPECT_EQ(d.portText(), "09004");
    EXPECT_TRUE(d.connectEnabled());
    EXPECT_FALSE(d.disconnectEnabled());
    state->link.socketConnected = true;
    EXPECT_FALSE(d.connectEnabled());
    EXPECT_TRUE(d.disconnectEnabled());
}

TEST_F(ConnectionDialogs, ClientDialogWithAStaleSelectionShowsABlankAddress) {
    state->connection.hostList = {{1, 2, 3, 4}};
    state->connection.selectNumber = 5;
    EXPECT_FALSE(TcpClientDialog(*state, ini, links).address());
    state->connection.selectNumber = -1;
    EXPECT_FALSE(TcpClientDialog(*state, ini, links).address());
    state->connection.hostList.clear();
    state->connection.selectNumber = 0;
    EXPECT_FALSE(TcpClientDialog(*state, ini, links).address());
}

TEST_F(ConnectionDialogs, ClientDialogAddDeleteAndPickRewriteTheKeys) {
    TcpClientDialog d(*state, ini, links);
    for (std::uint8_t i = 1; i <= 3; ++i) {
        d.setAddress({i, i, i, i});
        EXPECT_TRUE(d.add());
    }
    EXPECT_EQ(fileValue("list_count"), "3");
    EXPECT_EQ(fileValue("ip02_3"), "3");

    EXPECT_FALSE(d.remove(std::nullopt)); // no row selected
    EXPECT_FALSE(d.remove(3));            // no such row
    EXPECT_EQ(fileValue("list_count"), "3");

    EXPECT_TRUE(d.remove(0));
    EXPECT_EQ(state->connection.listCount(), 2);
    EXPECT_EQ(fileValue("list_count"), "2");
    EXPECT_EQ(fileValue("ip00_0"), "2");
    EXPECT_EQ(fileValue("ip01_0"), "3");
    EXPECT_EQ(fileValue("ip02_0"), "3"); // beyond the count, left in the file

    d.pick(1);
    EXPECT_EQ(state->connection.selectNumber, 1);
    EXPECT_EQ(fileValue("select_number"), "1");
    EXPECT_EQ(*d.address(), (HostAddress{3, 3, 3, 3}));
    d.pick(9); // no such row
    EXPECT_EQ(state->connection.selectNumber, 1);
}

TEST_F(ConnectionDialogs, ClientDialogAddsABlankFieldAsZeroAndStopsAtAHundred) {
    TcpClientDialog d(*state, ini, links);
    EXPECT_TRUE(d.add());
    EXPECT_EQ(state->connection.hostList.back(), (HostAddress{0, 0, 0, 0}));
    state->connection.hostList.resize(kMaxHosts);
    EXPECT_FALSE(d.add());
    EXPECT_EQ(state->connection.hostList.size(), kMaxHosts);
}

TEST(HostAddressText, PastedAddresses) {
    EXPECT_EQ(parseHostAddress("127.0.0.1"), (HostAddress{127, 0, 0, 1}));
    EXPECT_EQ(parseHostAddress(" 192.168.001.255\n"), (HostAddress{192, 168, 1, 255}));
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1..3.4", "1.2.3.", "a.b.c.d",
                            "1.2.3.4x", "0001.2.3.4"}) {
        EXPECT_EQ(parseHostAddress(bad), std::nullopt) << bad;
    }
}

TEST_F(ConnectionDialogs, PortFieldIsTheSharedTextAndIsWrittenOnClose) {
    TcpClientDialog d(*state, ini, links);
    d.changePort("1234567");
    EXPECT_EQ(state->model.devicePortNumber, "12345");
    EXPECT_FALSE(std::filesystem::exists(path));
    d.close();
    EXPECT_EQ(fileValue("p_port_number"), "12345");
    EXPECT_EQ(portFieldText("ポート番号です"), "ポート番号"); // five characters, none split

    TcpServerDialog s(*state, ini, links);
    s.changePort("9");
    s.close();
    EXPECT_EQ(fileValue("p_port_number"), "9");
}

TEST_F(ConnectionDialogs, ClientConnectFailureClearsTheFlagAndDisconnectNeedsAConnection) {
    TcpClientDialog d(*state, ini, links);
    state->link.socketConnected = true;
    links.connectResult = false;
    d.connect();
    EXPECT_FALSE(state->link.socketConnected);
    d.disconnect();
    EXPECT_EQ(links.closes, 0);
    state->link.socketConnected = true;
    d.disconnect();
    EXPECT_EQ(links.closes, 1);
}

TEST_F(ConnectionDialogs, ServerDialogOpensFromTheConnectedClients) {
    TcpServerDialog idle(*state, ini, links);
    EXPECT_TRUE(idle.connectEnabled());
    EXPECT_FALSE(idle.disconnectEnabled());
    EXPECT_TRUE(idle.portEnabled());
    EXPECT_TRUE(idle.clientRows().empty());

    links.clients = {"10.0.0.5", "10.0.0.6"};
    state->connection.selectNumber = 2;
    TcpServerDialog busy(*state, ini, links);
    EXPECT_FALSE(busy.connectEnabled());
    EXPECT_TRUE(busy.disconnectEnabled());
    EXPECT_FALSE(busy.portEnabled());
    EXPECT_EQ(busy.clientRows(), links.clients);
    EXPECT_EQ(busy.transmissionPlace(), "10.0.0.6");

    state->connection.selectNumber = -1;
    EXPECT_EQ(TcpServerDialog(*state, ini, links).transmissionPlace(), "");
}

TEST_F(ConnectionDialogs, ServerConnectPickAndDisconnect) {
    TcpServerDialog d(*state, ini, links);
    links.listenResult = false;
    d.connect();
    EXPECT_TRUE(d.connectEnabled());
    links.listenResult = true;
    d.connect();
    EXPECT_FALSE(d.connectEnabled());
    EXPECT_TRUE(d.disconnectEnabled());

    d.pick(0); // nobody connected yet
    EXPECT_EQ(state->connection.selectNumber, -1);
    EXPECT_FALSE(state->link.socketConnected);

    links.clients = {"10.0.0.5", "10.0.0.6"};
    d.clientsChanged();
    EXPECT_EQ(d.clientRows().size(), 2u);
    d.pick(1);
    EXPECT_EQ(state->connection.selectNumber, 2);
    EXPECT_EQ(d.transmissionPlace(), "10.0.0.6");
    EXPECT_TRUE(state->link.socketConnected);

    d.disconnect();
    EXPECT_EQ(links.closes, 1);
    EXPECT_TRUE(d.connectEnabled());
    EXPECT_FALSE(d.disconnectEnabled());
    EXPECT_EQ(d.transmissionPlace(), "");
    EXPECT_TRUE(d.clientRows().empty());
    EXPECT_EQ(state->connection.selectNumber, -1);
    EXPECT_FALSE(state->link.socketConnected);
    EXPECT_FALSE(std::filesystem::exists(path)); // nothing of this is stored
}

// Slot 2's client left: the list shows slots 1 and 3, and its second row
// must pick slot 3, not the empty slot 2.
class GappedSlots : public FakeLinks {
  public:
    std::vector<std::string> serverClients() const override { return {"10.0.0.5", "10.0.0.7"}; }
    std::string clientSlotAddress(std::int32_t slot) const override {
        return slot == 1 ? "10.0.0.5" : slot == 3 ? "10.0.0.7" : " ";
    }
    std::int32_t clientSlotOfRow(std::size_t row) const override {
        return row == 0 ? 1 : row == 1 ? 3 : -1;
    }
};

TEST_F(ConnectionDialogs, ServerPickFollowsTheRowsSlotAfterAClientLeft) {
    GappedSlots gapped;
    TcpServerDialog d(*state, ini, gapped);
    d.pick(1);
    EXPECT_EQ(state->connection.selectNumber, 3);
    EXPECT_EQ(d.transmissionPlace(), "10.0.0.7");
    EXPECT_TRUE(state->link.socketConnected);
    d.pick(2); // below the last row: nothing changes
    EXPECT_EQ(state->connection.selectNumber, 3);
}

} // namespace
} // namespace tlx
