#include "app/status_panel.h"
#include "protocol/app_state.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

TEST(StatusPanel, LinkLineOfEachInterface) {
    auto s = makeAppState(Product::F);
    StatusPanelInput in{"/dev/serial/by-id/usb-FTDI-if00-port0", 0, ""};
    EXPECT_EQ(statusPanelLines(*s, in).link,
              "RS-232C /dev/serial/by-id/usb-FTDI-if00-port0 115200bps 8E1  未オープン");

    s->connection.rsControl = 1;
    s->connection.slaveAddress = 5;
    s->link.serialOpen = true;
    EXPECT_EQ(statusPanelLines(*s, in).link,
              "RS-485 /dev/serial/by-id/usb-FTDI-if00-port0 115200bps 8E1  使用中  アドレス 05");
    s->connection.slaveAddress = kSlaveBroadcast;
    EXPECT_TRUE(statusPanelLines(*s, in).link.ends_with("アドレス Bloadcast"));

    s->connection.interfaceKind = InterfaceKind::Tcp;
    s->connection.hostList = {{10, 0, 0, 1}, {192, 168, 1, 10}};
    s->connection.selectNumber = 1;
    EXPECT_EQ(statusPanelLines(*s, in).link, "TCP/IP クライアント  192.168.1.10:9004  未接続");
    s->link.socketConnected = true;
    s->model.devicePortNumber = "10001";
    EXPECT_EQ(statusPanelLines(*s, in).link, "TCP/IP クライアント  192.168.1.10:10001  接続中");

    s->connection.clientServer = 1;
    in.serverClients = 3;
    EXPECT_EQ(statusPanelLines(*s, in).link, "TCP/IP サーバー  ポート 10001  接続 3 台");
}

TEST(StatusPanel, FileLineShowsTheFileItsChangesAndTheLastReply) {
    auto s = makeAppState(Product::S);
    EXPECT_EQ(statusPanelLines(*s, {}).file, "ファイル （未保存）    最終応答 なし");
    s->model.currentFilePath = "/home/op/titles/朝の番組.dat";
    s->model.dataModified = true;
    s->link.lastReply = "GO";
    EXPECT_EQ(statusPanelLines(*s, {"", 0, "09:05:07"}).file,
              "ファイル 朝の番組.dat（変更あり）    最終応答 GO  09:05:07");
}

} // namespace
} // namespace tlx
