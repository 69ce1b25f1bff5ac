#include <QSignalSpy>
#include <QTest>
#include <sys/socket.h>
#include <unistd.h>

#include "protocol/app_state.h"
#include "protocol/link_transport.h"
#include "protocol/protocol.h"
#include "qt/protocol/socket_peer.h"
#include "support/fake_host.h"

using tlx::test::FakeHost;
using tlx::test::SocketPeer;

namespace {

std::vector<std::string> answer(std::string reply) { return {std::move(reply)}; }

} // namespace

class TcpLinkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<tlx::AppState> state;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<tlx::qt::SerialLink> serial;
    std::unique_ptr<tlx::qt::TcpLink> tcp;
    std::unique_ptr<tlx::qt::LinkTransport> transport;

    void useClientOf(int port) {
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        state->connection.clientServer = 0;
        state->connection.hostList = {{127, 0, 0, 1}};
        state->connection.selectNumber = 0;
        state->model.devicePortNumber = std::to_string(port);
    }

    void connectClient() {
        QVERIFY(tcp->connectClient());
        QTRY_VERIFY(state->link.socketConnected);
        host->clear();
    }

private slots:
    void init() {
        state = tlx::makeAppState(tlx::Product::F);
        host = std::make_unique<FakeHost>();
        serial = std::make_unique<tlx::qt::SerialLink>(*state, *host);
        tcp = std::make_unique<tlx::qt::TcpLink>(*state, *host);
        tcp->setAnswerWait(std::chrono::milliseconds(500));
        transport = std::make_unique<tlx::qt::LinkTransport>(*serial, *tcp);
    }
    void cleanup() {
        transport.reset();
        tcp.reset();
        serial.reset();
    }

    void clientConnectsAndGetsItsAnswer() {
        SocketPeer peer;
        useClientOf(peer.listen([](const std::string&) { return answer("GO\r\n"); }));
        QVERIFY(tcp->connectClient());
        QTRY_VERIFY(state->link.socketConnected);
        QCOMPARE(host->texts(), std::vector<std::string>{"Socket 接続 OK"});
        host->clear();
        tlx::sendCommand(*state, *host, *transport, "CBS001L01ON\r\n");
        QCOMPARE(host->texts(), std::vector<std::string>{"Socket ＯＫ"});
        QCOMPARE(peer.received(), std::vector<std::string>{"CBS001L01ON\r\n"});
    }

    void splitAnswerIsOneReply() {
        SocketPeer peer;
        useClientOf(peer.listen([](const std::string&) {
            return std::vector<std::string>{"ADT", "045\r\n"};
        }));
        connectClient();
        tlx::sendCommand(*state, *host, *transport, "RADT\r\n");
        QCOMPARE(state->model.alarmHoldTime, std::string("045"));
        QVERIFY(host->messages.empty());
        QVERIFY(!state->link.abortFlag);
    }

    void silentDeviceTimesOutWithoutSpinning() {
        SocketPeer peer;
        useClientOf(peer.listen([](const std::string&) { return std::vector<std::string>{}; }));
        connectClient();
        const std::clock_t cpu0 = std::clock();
        QElapsedTimer wall;
        wall.start();
        tlx::sendCommand(*state, *host, *transport, "RVN\r\n");
        const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
        QVERIFY(wall.elapsed() >= 450);
        QVERIFY2(cpuMs < 0.5 * static_cast<double>(wall.elapsed()), "the answer wait must sleep");
        QVERIFY(state->link.abortFlag);
        QCOMPARE(host->texts(), std::vector<std::string>{"Answer が､きません"});
    }

    void peerCloseKeepsTheLinkConnectedUntilDisconnect() {
        SocketPeer peer;
        useClientOf(peer.listen([](const std::string&) { return answer("GO\r\n"); }));
        connectClient();
        QSignalSpy changed(tcp.get(), &tlx::qt::TcpLink::connectionChanged);
        peer.closeConnection();
        QTRY_VERIFY(!tcp->clientSocketOpen());
        QVERIFY(state->link.socketConnected);
        tlx::sendCommand(*state, *host, *transport, "RVN\r\n");
        QCOMPARE(host->texts(), std::vector<std::string>{"Socket 送信"});
        QVERIFY(state->link.abortFlag);
        host->clear();
        tcp->closeAll();
        QVERIFY(!state->link.socketConnected);
        QCOMPARE(host->texts(), std::vector<std::string>{"Socket 切断 OK"});
        host->clear();
        tcp->closeAll(); // not connected: nothing shown
        QVERIFY(host->messages.empty());
    }

    void refusedConnectionIsReported() {
        int port = 0;
        {
            SocketPeer probe;
            port = probe.listen([](const std::string&) { return std::vector<std::string>{}; });
        }
        useClientOf(port);
        QVERIFY(tcp->connectClient());
        QTRY_COMPARE(host->texts(), std::vector<std::string>{"ソケットイベントにエラーが発生しました。"});
        QVERIFY(!state->link.socketConnected);
    }

    void serverServesNinetySixAndTurnsAwayTheNext() {
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        state->connection.clientServer = 1;
        state->model.devicePortNumber = "0";
        QVERIFY(tcp->startListening());
        QVERIFY(tcp->startListening()); // a second press changes nothing
        const int port = tcp->listeningPort();
        QVERIFY(port != 0);
        std::vector<int> fds;
        // In batches, so that the accept queue never fills while the event
        // loop is not running.
        for (int i = 0; i < 96; ++i) {
            fds.push_back(tlx::test::connectLoopback(port));
            QVERIFY(fds.back() >= 0);
            if (i % 16 == 15) {
                QTRY_COMPARE(tcp->clients().clientsInUse(), i + 1);
            }
        }
        QTRY_COMPARE(tcp->clients().clientsInUse(), 96);
        QVERIFY(tcp->clients().inUse(0)); // reserved
        const int extra = tlx::test::connectLoopback(port);
        QVERIFY(extra >= 0);
        char byte = 0;
        QTRY_COMPARE(::recv(extra, &byte, 1, MSG_DONTWAIT), ssize_t{0}); // closed at once
        QCOMPARE(tcp->clients().clientsInUse(), 96);
        QVERIFY(host->messages.empty());
        ::close(extra);
        // A client that leaves frees its slot and its row.
        ::close(fds[0]);
        QTRY_COMPARE(tcp->clients().clientsInUse(), 95);
        QVERIFY(tcp->pickClient(0));
        QCOMPARE(state->connection.selectNumber, 2);
        QVERIFY(state->link.socketConnected);
        for (std::size_t i = 1; i < fds.size(); ++i) {
            ::close(fds[i]);
        }
        tcp->closeAll();
        QCOMPARE(state->connection.selectNumber, -1);
        QVERIFY(!state->link.socketConnected);
        QVERIFY(!tcp->listening());
    }

    void serverSendsToThePickedDevice() {
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        state->connection.clientServer = 1;
        state->model.devicePortNumber = "0";
        QVERIFY(tcp->startListening());
        SocketPeer first;
        SocketPeer second;
        QVERIFY(first.connectTo(tcp->listeningPort(), [](const std::string&) { return answer("VN1.00\r\n"); }));
        QTRY_COMPARE(tcp->clients().clientsInUse(), 1);
        QVERIFY(second.connectTo(tcp->listeningPort(), [](const std::string&) { return answer("VN2.00\r\n"); }));
        QTRY_COMPARE(tcp->clients().clientsInUse(), 2);
        QVERIFY(tcp->pickClient(1));
        tlx::sendCommand(*state, *host, *transport, "RVN\r\n");
        QCOMPARE(state->model.firmwareVersion, std::string("2.00"));
        QVERIFY(first.received().empty());
        tcp->closeAll();
    }

    void bindFailureIsReported() {
        state->connection.clientServer = 1;
        QTcpServer blocker; // holds the port the link wants
        QVERIFY(blocker.listen(QHostAddress::AnyIPv4, 0));
        state->model.devicePortNumber = std::to_string(blocker.serverPort());
        QVERIFY(!tcp->startListening());
        QCOMPARE(host->messages.size(), std::size_t{1});
        QCOMPARE(host->messages[0].text, std::string("Bindできません"));
        QCOMPARE(host->messages[0].caption, std::string("TLX-500F_Z200"));
    }
};

QTEST_GUILESS_MAIN(TcpLinkTest)
#include "tcp_link_test.moc"
