// A short demonstration of the core: command lines going out over a
// simulated RS-485 bus and TCP/IP link, replies coming back and landing in
// the settings model, and the 150 ms tick turning link state into messages.
#include <iostream>
#include <string>

#include "base/codecs.h"
#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "protocol/transport.h"
#include "settings/title_code.h"

namespace {

std::string printable(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (c == '\r') {
            out += "<CR>";
        } else if (c == '\n') {
            out += "<LF>";
        } else {
            out += c;
        }
    }
    return out;
}

class PrintingHost : public tlx::Host {
public:
    void showMessage(tlx::MessageKind kind, std::string_view text, std::string_view caption) override {
        const char* family = kind == tlx::MessageKind::Notice  ? "notice"
                             : kind == tlx::MessageKind::Error ? "error"
                                                               : "warning";
        std::cout << "  [" << family << " \"" << caption << "\"] " << text << "\n";
    }
    bool askYesNo(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> chooseFile(const tlx::FileChoice&) override { return {}; }
};

// Echoes what goes out; over TCP/IP answers every command with a scripted reply.
class PrintingTransport : public tlx::Transport {
public:
    std::string nextAnswer = "GO\r\n";
    void writeSerial(std::string_view bytes) override {
        std::cout << "  serial out: " << printable(bytes) << "\n";
    }
    tlx::SocketSendStatus sendSocket(int slot, std::string_view line) override {
        std::cout << "  socket out (slot " << slot << "): " << printable(line) << "\n";
        return tlx::SocketSendStatus::Sent;
    }
    tlx::SocketReceive receiveSocket(int) override {
        std::cout << "  socket in:  " << printable(nextAnswer) << "\n";
        return {tlx::SocketReceive::Kind::Data, nextAnswer};
    }
};

void serialIn(tlx::AppState& s, tlx::Host& host, std::string_view bytes) {
    std::cout << "  serial in:  " << printable(bytes) << "\n";
    tlx::receiveSerialBytes(s, host, bytes);
}

} // namespace

int main() {
    auto state = tlx::makeAppState(tlx::Product::F);
    tlx::AppState& s = *state;
    PrintingHost host;
    PrintingTransport link;

    std::cout << "Model F, RS-485 bus, slave address 05\n";
    s.connection.rsControl = 1;
    s.connection.slaveAddress = 5;
    std::string blink = "CBS";
    tlx::append3(blink, 3);
    blink += "L";
    tlx::append2(blink, 2);
    blink += "ON\r\n";
    tlx::sendCommand(s, host, link, blink);
    serialIn(s, host, "05GO\r\n");
    tlx::tickWork(s, host);

    std::cout << "\nRead back the font sizes of page 1 and the power-on page\n";
    tlx::sendCommand(s, host, link, "RCFS001\r\n");
    serialIn(s, host, "05CFS001ELMSELMSEL\r\n05POSP");
    serialIn(s, host, "042\r\n");
    std::cout << "  charSize of page 1, lines 1..10:";
    for (int v : s.model.charSize[0]) {
        std::cout << ' ' << v;
    }
    std::cout << "\n  powerOnPage (0-based): " << s.model.powerOnPage << "\n";

    std::cout << "\nA title page with the full-width letters A, B and user glyph 1\n";
    std::string ca = "CA001";
    for (std::uint16_t code : {std::uint16_t{0x2341}, std::uint16_t{0x2342}, std::uint16_t{0xA365}}) {
        tlx::appendHex4(ca, code);
    }
    for (int i = 3; i < 280; ++i) {
        tlx::appendHex4(ca, tlx::kJisSpace);
    }
    std::cout << "  serial in:  05CA001 2341 2342 A365 and 277 x 2121<CR><LF>\n";
    tlx::receiveSerialBytes(s, host, "05" + ca + "\r\n");
    std::cout << "  line 1 stored as Shift-JIS bytes:";
    const auto& line = s.model.titleText[0][0];
    for (std::size_t i = 0; i < line.size(); ++i) {
        std::cout << ' ' << std::hex << static_cast<int>(line.byteAt(i)) << std::dec;
    }
    std::cout << "\n";

    std::cout << "\nNo answer to a read: the tick raises \"No Connect\" once, about 3.3 s later\n";
    tlx::sendCommand(s, host, link, "RVN\r\n");
    int ticks = 0;
    while (s.link.awaitingAnswer) {
        tlx::tickWork(s, host);
        ++ticks;
    }
    std::cout << "  after " << ticks << " ticks of 150 ms\n";

    std::cout << "\nTCP/IP client, the device refuses a command\n";
    s.model.busyStep = 0;
    s.connection.interfaceKind = tlx::InterfaceKind::Tcp;
    s.link.socketConnected = true;
    link.nextAnswer = "E3\r\n";
    tlx::sendCommand(s, host, link, "CBS513L01ON\r\n");
    std::cout << "  abortFlag = " << s.link.abortFlag << "\n";
    link.nextAnswer = "VN2.00\r\n";
    tlx::sendCommand(s, host, link, "RVN\r\n");
    tlx::tickWork(s, host);
    std::cout << "  firmwareVersion = " << s.model.firmwareVersion << "\n";
    return 0;
}
