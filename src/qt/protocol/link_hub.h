#pragma once

#include "protocol/link_control.h"
#include "protocol/link_transport.h"
#include "protocol/serial_link.h"
#include "protocol/tcp_link.h"
#include "protocol/traffic_recorder.h"

#include <QObject>

namespace tlx::qt {

// What the connection dialogs watch: the TCP/IP link's connection and the
// server's client list changed.
class LinkNotifier : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  signals:
    void connectionChanged();
    void clientsChanged();
};

// The program's two links and the transport over them, as the connection
// dialogs and the main window use them.
class LinkHub : public LinkNotifier, public LinkControl {
    Q_OBJECT
  public:
    LinkHub(AppState& state, Host& host, QObject* parent = nullptr);

    SerialLink& serial() { return serial_; }
    TcpLink& tcp() { return tcp_; }
    Transport& transport() { return transport_; }
    // Every line both links carry, for the traffic log window.
    TrafficLog& traffic() { return traffic_; }
    TrafficRecorder& trafficRecorder() { return recorder_; }

    // Opens the port when the interface is serial and it is not open yet;
    // a port that does not open is reported in the five error boxes of the
    // set-up steps, the first also saying why in the operator's terms.
    void startSerialLink() override;
    // The old port closed and the new one opened; a port that does not open
    // is reported in one box that says why.
    void reopenSerialLink() override;
    bool connectAsClient() override;
    bool startListening() override;
    void closeAll() override;
    std::vector<std::string> serverClients() const override;
    std::string clientSlotAddress(std::int32_t slot) const override;
    std::int32_t clientSlotOfRow(std::size_t row) const override;

  private:
    Host& host_;
    SerialLink serial_;
    TcpLink tcp_;
    LinkTransport transport_;
    TrafficLog traffic_;
    TrafficRecorder recorder_;
};

} // namespace tlx::qt
