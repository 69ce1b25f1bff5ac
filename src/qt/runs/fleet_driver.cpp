#include "runs/fleet_driver.h"

#include "protocol/client_table.h"
#include "protocol/tcp_link.h"

namespace tlx::qt {

namespace {
using Clock = FleetRun::Clock;
}

SocketSendStatus FleetDriver::SlotLink::send(int device, std::string_view line) {
    return tcp_.send(slotList_[static_cast<std::size_t>(device)], line);
}

std::vector<int> connectedSlots(const TcpLink& tcp) {
    std::vector<int> slotList;
    const auto& table = tcp.clients();
    for (int row = 0; row < table.clientsInUse(); ++row) {
        slotList.push_back(*table.slotOfRow(row));
    }
    return slotList;
}

FleetDriver::FleetDriver(TcpLink& tcp, FleetRun::Setup setup, std::vector<int> slotList,
                         QObject* parent)
    : QObject(parent), tcp_(tcp), slotList_(std::move(slotList)), link_(tcp_, slotList_),
      fleet_(std::move(setup), link_), deviceOfSlot_(ClientTable::kSlots, -1) {
    for (std::size_t i = 0; i < slotList_.size(); ++i) {
        const int slot = slotList_[i];
        addresses_.push_back(tcp_.clients().address(slot));
        fleet_.add(addresses_.back() + ":" + std::to_string(tcp_.peerPort(slot)));
        deviceOfSlot_[static_cast<std::size_t>(slot)] = static_cast<int>(i);
    }
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FleetDriver::wake);
}

FleetDriver::~FleetDriver() { release(); }

void FleetDriver::release() {
    if (released_ || !started_) {
        return;
    }
    released_ = true;
    tcp_.setClientData({});
    disconnect(&tcp_, nullptr, this, nullptr);
    timer_.stop();
}

void FleetDriver::start() {
    started_ = true;
    tcp_.setClientData([this](int slot, std::string_view bytes) {
        const int device = deviceOfSlot_[static_cast<std::size_t>(slot)];
        if (device >= 0) {
            fleet_.received(device, bytes, Clock::now());
            schedule(device);
        }
    });
    connect(&tcp_, &TcpLink::clientClosed, this, [this](int slot) {
        const int device = deviceOfSlot_[static_cast<std::size_t>(slot)];
        deviceOfSlot_[static_cast<std::size_t>(slot)] = -1; // the slot may go to a newcomer
        if (device >= 0) {
            fleet_.lost(device, Clock::now());
            schedule(device);
        }
    });
    fleet_.start(Clock::now());
    for (int i = 0; i < fleet_.size(); ++i) {
        schedule(i);
    }
    if (fleet_.finished() && !released_) {
        release();
        emit finished();
    }
}

void FleetDriver::stop() {
    const auto now = Clock::now();
    fleet_.stop(now);
    for (int i = 0; i < fleet_.size(); ++i) {
        fleet_.poke(i, now);
        schedule(i);
    }
}

void FleetDriver::schedule(int device) {
    if (const auto at = fleet_.wakeAt(device)) {
        if (!timer_.isActive() || *at < timerAt_) {
            arm(*at);
        }
        return;
    }
    if (fleet_.finished() && !released_) {
        release();
        emit finished();
    }
}

void FleetDriver::arm(Clock::time_point at) {
    timerAt_ = at;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(at - Clock::now());
    timer_.start(std::max(wait, std::chrono::milliseconds(0)));
}

// Every device whose time has come, then the timer for the earliest next one.
void FleetDriver::wake() {
    const auto now = Clock::now();
    std::optional<Clock::time_point> next;
    for (int i = 0; i < fleet_.size(); ++i) {
        auto at = fleet_.wakeAt(i);
        if (at && *at <= now + std::chrono::milliseconds(1)) {
            fleet_.poke(i, now);
            at = fleet_.wakeAt(i);
        }
        if (at && (!next || *at < *next)) {
            next = at;
        }
    }
    if (next) {
        arm(*next);
    } else if (!released_) {
        release();
        emit finished();
    }
}

} // namespace tlx::qt
