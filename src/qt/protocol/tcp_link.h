#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <array>
#include <chrono>
#include <functional>
#include <string_view>

#include "protocol/client_table.h"
#include "protocol/traffic_tap.h"
#include "protocol/transport.h"

namespace tlx {
struct AppState;
class Host;
} // namespace tlx

namespace tlx::qt {

// The TCP/IP link in either role: the PC connects to one device, or listens
// and serves up to 96 devices. The sockets belong to the link for the whole
// run, so accepts and peer closes are handled whatever window is open.
class TcpLink : public QObject {
    Q_OBJECT
public:
    TcpLink(AppState& state, Host& host, QObject* parent = nullptr);
    ~TcpLink() override;

    // Client role: connects to hostList[selectNumber] at the port number.
    // False when the connection cannot even be started.
    bool connectClient();
    // Server role: listens on the port number; true also when already listening.
    bool startListening();
    // Closes every socket and forgets every client.
    void closeAll();
    // Server role: makes the client on this row of the client list the one
    // commands go to.
    bool pickClient(int row);

    SocketSendStatus send(int slot, std::string_view line);
    // Waits for data on the socket until the answer time, counted from the
    // last send, has passed (then TimedOut, also while data keeps coming);
    // never spins. Stopped as soon as the interrupt check says so.
    SocketReceive receive(int slot);

    const ClientTable& clients() const { return clients_; }
    bool listening() const { return server_ != nullptr && server_->isListening(); }
    quint16 listeningPort() const { return listening() ? server_->serverPort() : 0; }
    bool clientSocketOpen() const;

    // The remote port of a server client slot (0 when none).
    quint16 peerPort(int slot) const;

    void setTap(TrafficTap tap) { tap_ = std::move(tap); }
    const TrafficTap& tap() const { return tap_; }
    // Server clients' data goes here instead of to the reply dispatcher
    // while set (a fleet run keeps one state per device).
    using ClientData = std::function<void(int slot, std::string_view bytes)>;
    void setClientData(ClientData f) { clientData_ = std::move(f); }
    // A server client's connection leaves the link for a while (a fleet run
    // drives it itself): `take` gets its descriptor and the input not yet
    // read, and keeps its own duplicate of the descriptor; the link then
    // drops its socket object, which leaves the connection open. The slot
    // stays taken until returnClient gives the connection back or
    // lentClientClosed says it closed. False: the connection stays here.
    struct Lent {
        qintptr descriptor;
        std::string_view unread;
    };
    bool lendClient(int slot, const std::function<bool(const Lent&)>& take);
    // The descriptor becomes the link's again; unsent is written first.
    void returnClient(int slot, qintptr descriptor, std::string_view unsent);
    void lentClientClosed(int slot);
    // The far end of a slot's socket as the traffic log names it (IP:port).
    std::string linkName(int slot) const;
    void setAnswerWait(std::chrono::milliseconds wait) { answerWait_ = wait; }
    // Asked every few tens of milliseconds while an answer is awaited.
    void setInterruptCheck(std::function<bool()> check) { interrupted_ = std::move(check); }

signals:
    void connectionChanged(); // client connected or closed
    void clientsChanged();    // server's client list changed
    void clientClosed(int slot);

private:
    QTcpSocket* socketFor(int slot) const;
    int slotOf(const QTcpSocket* socket) const;
    void watch(QTcpSocket* socket);
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void onPeerClosed(QTcpSocket* socket);
    void onSocketError(QTcpSocket* socket, QAbstractSocket::SocketError error);
    void closeSocket(QTcpSocket* socket);
    void failure(std::string_view text);

    AppState& state_;
    Host& host_;
    QPointer<QTcpSocket> client_;
    QPointer<QTcpServer> server_;
    std::array<QPointer<QTcpSocket>, ClientTable::kSlots> slotSockets_{};
    std::array<bool, ClientTable::kSlots> lent_{};
    ClientTable clients_;
    TrafficTap tap_;
    ClientData clientData_;
    std::chrono::milliseconds answerWait_;
    QDeadlineTimer answerDue_;
    std::function<bool()> interrupted_;
    bool waiting_ = false;
};

} // namespace tlx::qt
