#include "app/menu_logic.h"
#include "app/shell_logic.h"
#include "dialogs/connection_dialogs.h"
#include "protocol/app_state.h"

#include <gtest/gtest.h>

namespace {

using tlx::Product;

TEST(MainWindowSize, FollowsTheVersionClass) {
    struct Row {
        int major, minor, versionClass, widthF, widthS, height;
    };
    const Row rows[] = {
        {4, 0, 0, 711, 693, 90},   {4, 10, 1, 711, 693, 90},  {4, 90, 2, 711, 693, 90},
        {5, 0, 3, 711, 693, 90},   {5, 2, 3, 711, 693, 90},   {5, 1, 4, 711, 693, 104},
        {3, 10, 4, 711, 693, 104}, {10, 0, 4, 711, 693, 104}, {6, 0, 5, 791, 703, 120},
        {6, 8, 5, 791, 703, 120},
    };
    for (const Row& r : rows) {
        const int c = tlx::versionClass(r.major, r.minor);
        EXPECT_EQ(c, r.versionClass) << r.major << "." << r.minor;
        EXPECT_EQ(tlx::mainWindowSize(Product::F, c).width, r.widthF);
        EXPECT_EQ(tlx::mainWindowSize(Product::S, c).width, r.widthS);
        EXPECT_EQ(tlx::mainWindowSize(Product::F, c).height, r.height);
        EXPECT_EQ(tlx::mainWindowSize(Product::S, c).height, r.height);
    }
}

TEST(StatusClock, DateIsBlankPaddedWithTheWeekday) {
    EXPECT_EQ(tlx::clockDateText(2024, 3, 5, 2), "2024年 3月 5日  火曜日");
    EXPECT_EQ(tlx::clockDateText(2025, 11, 30, 0), "2025年11月30日  日曜日");
    EXPECT_EQ(tlx::clockDateText(2025, 1, 4, 6), "2025年 1月 4日  土曜日");
    EXPECT_EQ(tlx::clockTimeText(0, 0, 0), "00：00：00");
    EXPECT_EQ(tlx::clockTimeText(9, 5, 7), "09：05：07");
    EXPECT_EQ(tlx::clockTimeText(23, 59, 59), "23：59：59");
}

TEST(WindowTitle, ByClientServerAndFile) {
    EXPECT_EQ(tlx::mainWindowTitle(Product::F, 0), "TLX-500F_Z200 Client Program");
    EXPECT_EQ(tlx::mainWindowTitle(Product::F, 1), "TLX-500F_Z200 Server Program");
    EXPECT_EQ(tlx::mainWindowTitle(Product::S, 0), "TLX-500S Z200 Client Program");
    EXPECT_EQ(tlx::mainWindowTitle(Product::S, 1), "TLX-500S Z200 Server Program");
    EXPECT_EQ(tlx::mainWindowTitle(Product::F, 1, "/home/op/a.dat"),
              "TLX-500F_Z200 Server Program - a.dat");
    EXPECT_EQ(tlx::mainWindowTitle(Product::F, 0, ""), "TLX-500F_Z200 Client Program");
}

TEST(InterfaceMenu, GreyingByInterface) {
    tlx::ConnectionSettings c;
    c.interfaceKind = tlx::InterfaceKind::Tcp;
    c.rsControl = 1;
    auto s = tlx::interfaceMenuState(c);
    EXPECT_FALSE(s.rsSettings);
    EXPECT_TRUE(s.clientServer);
    EXPECT_TRUE(s.tcpSettings);
    EXPECT_FALSE(s.slaveAddress);
    c.interfaceKind = tlx::InterfaceKind::Serial;
    s = tlx::interfaceMenuState(c);
    EXPECT_TRUE(s.rsSettings);
    EXPECT_FALSE(s.clientServer);
    EXPECT_FALSE(s.tcpSettings);
    EXPECT_TRUE(s.slaveAddress);
    c.rsControl = 0;
    s = tlx::interfaceMenuState(c);
    EXPECT_TRUE(s.rsSettings);
    EXPECT_FALSE(s.slaveAddress);
}

TEST(Routing, TcpSettingsDialogByRole) {
    EXPECT_EQ(tlx::tcpSettingsDialog(1).dialogTemplate, 158);
    EXPECT_EQ(tlx::tcpSettingsDialog(1).title, "TCP/IPの設定(Server)");
    EXPECT_EQ(tlx::tcpSettingsDialog(0).dialogTemplate, 182);
    EXPECT_EQ(tlx::tcpSettingsDialog(0).title, "TCP/IPの設定(Client)");
}

class NamedSlots : public tlx::LinkControl {
  public:
    void startSerialLink() override {}
    bool connectAsClient() override { return true; }
    bool startListening() override { return true; }
    void closeAll() override {}
    std::vector<std::string> serverClients() const override { return {}; }
    std::string clientSlotAddress(std::int32_t slot) const override {
        return slot == 3 ? "172.16.0.9" : "";
    }
};

TEST(DialogTitle, NamesTheSelectedConnection) {
    auto s = tlx::makeAppState(Product::F);
    NamedSlots links;
    EXPECT_EQ(tlx::dialogTitle("全項目の設定", *s, links), "全項目の設定");
    s->connection.interfaceKind = tlx::InterfaceKind::Tcp;
    s->connection.hostList = {{192, 168, 1, 10}, {10, 0, 0, 2}};
    s->connection.selectNumber = 1;
    EXPECT_EQ(tlx::dialogTitle("全項目の設定", *s, links), "全項目の設定");
    s->link.socketConnected = true;
    EXPECT_EQ(tlx::dialogTitle("全項目の設定", *s, links), "全項目の設定 10.0.0.2");
    s->connection.clientServer = 1;
    s->connection.selectNumber = 3;
    EXPECT_EQ(tlx::dialogTitle("設定項目の読み込み", *s, links), "設定項目の読み込み 172.16.0.9");
    s->connection.selectNumber = -1;
    EXPECT_EQ(tlx::dialogTitle("設定項目の読み込み", *s, links), "設定項目の読み込み");
}

} // namespace
