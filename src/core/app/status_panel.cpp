#include "app/status_panel.h"

#include "protocol/app_state.h"

#include <cstdio>

namespace tlx {

namespace {

// The port text as the device takes it: leading zeros and blanks dropped.
std::string portText(const std::string& text) {
    int port = 0;
    bool any = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            port = port * 10 + (c - '0');
            any = true;
        } else if (c != ' ') {
            break;
        }
        if (port > 65535) {
            break;
        }
    }
    return any ? std::to_string(port) : text;
}

std::string linkLine(const AppState& s, const StatusPanelInput& in) {
    const ConnectionSettings& c = s.connection;
    const LinkState& l = s.link;
    if (c.interfaceKind == InterfaceKind::Serial) {
        std::string line = c.rsControl == 1 ? "RS-485 " : "RS-232C ";
        line += in.serialDevice;
        line += " 115200bps 8E1  ";
        line += l.serialOpen ? "使用中" : "未オープン";
        if (c.rsControl == 1) {
            line += "  アドレス ";
            if (c.slaveAddress == kSlaveBroadcast) {
                line += "Bloadcast";
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(c.slaveAddress));
                line += buf;
            }
        }
        return line;
    }
    const std::string port = portText(s.model.devicePortNumber);
    if (c.clientServer == 1) {
        return "TCP/IP サーバー  ポート " + port + "  接続 " + std::to_string(in.serverClients) +
               " 台";
    }
    std::string line = "TCP/IP クライアント  ";
    if (c.selectNumber >= 0 && c.selectNumber < c.listCount()) {
        const auto& a = c.hostList[static_cast<std::size_t>(c.selectNumber)];
        char buf[24];
        std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", unsigned{a[0]}, unsigned{a[1]},
                      unsigned{a[2]}, unsigned{a[3]});
        line += buf;
    } else {
        line += "（相手なし）";
    }
    line += ":" + port + "  ";
    line += l.socketConnected ? "接続中" : "未接続";
    return line;
}

std::string fileLine(const AppState& s, const StatusPanelInput& in) {
    const std::string& path = s.model.currentFilePath;
    const auto slash = path.find_last_of('/');
    std::string line = "ファイル ";
    line += path.empty() ? std::string("（未保存）")
                         : (slash == std::string::npos ? path : path.substr(slash + 1));
    if (s.model.dataModified) {
        line += "（変更あり）";
    }
    line += "    最終応答 ";
    if (in.lastReplyTime.empty()) {
        line += "なし";
    } else {
        line += s.link.lastReply + "  " + in.lastReplyTime;
    }
    return line;
}

} // namespace

StatusPanelLines statusPanelLines(const AppState& s, const StatusPanelInput& in) {
    return {linkLine(s, in), fileLine(s, in)};
}

} // namespace tlx
