#pragma once

#include "protocol/socket_set.h"
#include "runs/fleet_run.h"
#include "runs/step_timer.h"

#include <QObject>
#include <memory>
#include <string>
#include <vector>

namespace tlx::qt {

class TcpLink;

// The client slots of the devices connected now, in the server's row order.
std::vector<int> connectedSlots(const TcpLink& tcp);

// Drives a fleet run over the server's clients: each client's data to its own
// device, and one timer for all devices' pacing and answer waits (devices
// started together come due together, so one wake-up serves them all and the
// timer is rearmed a few times per step instead of once per device). The
// devices' connections are borrowed from the link for the run and driven
// through a SocketSet, then given back. Clients that connect during the run
// are left out; their data is dropped.
class FleetDriver : public QObject {
    Q_OBJECT
public:
    // slots: the client slots taking part, in the order of their devices.
    FleetDriver(TcpLink& tcp, FleetRun::Setup setup, std::vector<int> slotList,
                QObject* parent = nullptr);
    ~FleetDriver() override;

    void start();
    // Every device stops at its next step.
    void stop();
    FleetRun& fleet() { return fleet_; }
    const FleetRun& fleet() const { return fleet_; }
    bool running() const { return started_ && !fleet_.finished(); }
    // The server's address texts of the devices, in their order.
    const std::vector<std::string>& addresses() const { return addresses_; }

signals:
    void finished();

private:
    class SocketsLink : public FleetLink {
    public:
        explicit SocketsLink(FleetDriver& driver) : driver_(driver) {}
        SocketSendStatus send(int device, std::string_view line) override;

    private:
        FleetDriver& driver_;
    };

    std::optional<FleetRun::Clock::time_point> lookAt(int device, FleetRun::Clock::time_point now,
                                                      bool& urgent) const;
    void schedule(int device, FleetRun::Clock::time_point now);
    void arm(FleetRun::Clock::time_point at);
    void wake();
    void release();
    void onData(int device, std::string_view bytes);
    void onClosed(int device);

    TcpLink& tcp_;
    std::vector<int> slotList_;
    std::vector<std::string> addresses_;
    std::vector<std::string> linkNames_; // as the traffic log names them
    SocketsLink link_;
    FleetRun fleet_;
    SocketSet sockets_;
    StepTimer timer_{this, &FleetDriver::wake};
    FleetRun::Clock::time_point timerAt_{};
    bool started_ = false;
    bool released_ = false;
};

} // namespace tlx::qt
