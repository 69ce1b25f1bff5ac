#include "link/fleet_driver.h"

#include "link/client_table.h"
#include "link/tcp_link.h"

namespace tlx::qt {

namespace {
using Clock = FleetRun::Clock;
}

SocketSendStatus FleetDriver::SlotLink::send(int device, std::string_view line) {
    return tcp_.send(slotList_[static_cast<std::size_t>(device)], line);
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
        auto t = std::make_unique<QTimer>();
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
        const int device = static_cast<int>(i);
        connect(t.get(), &QTimer::timeout, this, [this, device] {
            fleet_.poke(device, Clock::now());
            schedule(device);
        });
        timers_.push_back(std::move(t));
    }
}

FleetDriver::~FleetDriver() { release(); }

void FleetDriver::release() {
    if (released_ || !started_) {
        return;
    }
    released_ = true;
    tcp_.setClientData({});
    disconnect(&tcp_, nullptr, this, nullptr);
    for (auto& t : timers_) {
        t->stop();
    }
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
    QTimer& t = *timers_[static_cast<std::size_t>(device)];
    const auto wake = fleet_.wakeAt(device);
    if (wake) {
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*wake - Clock::now());
        t.start(std::max(wait, std::chrono::milliseconds(0)));
        return;
    }
    t.stop();
    if (fleet_.finished() && !released_) {
        release();
        emit finished();
    }
}

} // namespace tlx::qt
