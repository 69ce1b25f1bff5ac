#include "runs/fleet_driver.h"

#include "protocol/tcp_link.h"

namespace tlx::qt {

namespace {
using Clock = FleetRun::Clock;
// A timer may fire a little before its time; this much early counts as on time.
constexpr auto kOnTime = std::chrono::milliseconds(1);
} // namespace

SocketSendStatus FleetDriver::SocketsLink::send(int device, std::string_view line) {
    FleetDriver& d = driver_;
    if (const auto& tap = d.tcp_.tap()) {
        tap(Direction::Out, d.linkNames_[static_cast<std::size_t>(device)], line);
    }
    return d.sockets_.send(device, line);
}

std::vector<int> connectedSlots(const TcpLink& tcp) {
    std::vector<int> slotList;
    const auto& table = tcp.clients();
    slotList.reserve(static_cast<std::size_t>(table.clientsInUse()));
    for (int row = 0; row < table.clientsInUse(); ++row) {
        slotList.push_back(*table.slotOfRow(row));
    }
    return slotList;
}

FleetDriver::FleetDriver(TcpLink& tcp, FleetRun::Setup setup, std::vector<int> slotList,
                         QObject* parent)
    : QObject(parent), tcp_(tcp), slotList_(std::move(slotList)), link_(*this),
      fleet_(std::move(setup), link_),
      sockets_({[this](int device, std::string_view bytes) { onData(device, bytes); },
                [this](int device) { onClosed(device); }}) {
    for (const int slot : slotList_) {
        addresses_.push_back(tcp_.clients().address(slot));
        linkNames_.push_back(tcp_.linkName(slot));
        fleet_.add(addresses_.back() + ":" + std::to_string(tcp_.peerPort(slot)));
    }
}

FleetDriver::~FleetDriver() { release(); }

void FleetDriver::release() {
    if (released_ || !started_) {
        return;
    }
    released_ = true;
    tcp_.setClientData({});
    timer_.stop();
    for (std::size_t i = 0; i < slotList_.size(); ++i) {
        auto back = sockets_.release(static_cast<int>(i));
        if (back.descriptor >= 0) {
            tcp_.returnClient(slotList_[i], back.descriptor, back.unsent);
        }
    }
}

void FleetDriver::start() {
    started_ = true;
    // Newcomers' data is dropped; the devices' own goes through sockets_.
    tcp_.setClientData([](int, std::string_view) {});
    std::vector<std::string> unread(slotList_.size());
    std::vector<bool> taken(slotList_.size());
    for (std::size_t i = 0; i < slotList_.size(); ++i) {
        taken[i] = tcp_.lendClient(slotList_[i], [&](const TcpLink::Lent& c) {
            unread[i] = c.unread;
            return sockets_.adopt(static_cast<int>(i), c.descriptor);
        });
    }
    const auto now = Clock::now();
    fleet_.start(now);
    sockets_.setNotifying(false); // until a device waits for an answer it can use at once
    for (int i = 0; i < fleet_.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!taken[k]) {
            fleet_.lost(i, now);
        } else if (!unread[k].empty()) {
            onData(i, unread[k]);
        }
        schedule(i, now);
    }
    if (fleet_.finished() && !released_) {
        release();
        emit finished();
    }
}

void FleetDriver::onData(int device, std::string_view bytes) {
    if (const auto& tap = tcp_.tap()) {
        tap(Direction::In, linkNames_[static_cast<std::size_t>(device)], bytes);
    }
    const auto now = Clock::now();
    fleet_.received(device, bytes, now);
    schedule(device, now);
}

void FleetDriver::onClosed(int device) {
    tcp_.lentClientClosed(slotList_[static_cast<std::size_t>(device)]);
    const auto now = Clock::now();
    fleet_.lost(device, now);
    schedule(device, now);
}

void FleetDriver::stop() {
    const auto now = Clock::now();
    fleet_.stop(now);
    for (int i = 0; i < fleet_.size(); ++i) {
        fleet_.poke(i, now);
        schedule(i, now);
    }
}

// When the driver must next look at the device: its wake time, or the time
// an awaited answer is of use when that comes first. An answer of use
// already makes the sockets report as soon as anything comes (urgent).
std::optional<Clock::time_point> FleetDriver::lookAt(int device, Clock::time_point now,
                                                     bool& urgent) const {
    auto at = fleet_.wakeAt(device);
    if (!at) {
        return at;
    }
    if (const auto useful = fleet_.answerUsefulAt(device)) {
        if (*useful == Clock::time_point::min()) {
            urgent = true;
        } else if (*useful <= now + kOnTime) {
            at = std::min(*at, now + kOnTime); // late: look again at the next tick
        } else {
            at = std::min(*at, *useful);
        }
    }
    return at;
}

void FleetDriver::schedule(int device, Clock::time_point now) {
    bool urgent = false;
    if (const auto at = lookAt(device, now, urgent)) {
        if (urgent) {
            sockets_.setNotifying(true);
        }
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
    // Rounded up: a timer that fires before its time would only be armed again.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(at - Clock::now());
    timer_.start(std::max(wait, std::chrono::milliseconds(0)));
}

// What came from the devices first, then every device whose time has come,
// then the timer for the earliest next look. Answers that are of no use
// before a device's next step wait in the sockets until then, so one wake-up
// serves many devices' answers and steps.
void FleetDriver::wake() {
    sockets_.poll();
    if (released_) {
        return;
    }
    const auto now = Clock::now();
    std::optional<Clock::time_point> next;
    bool urgent = false;
    for (int i = 0; i < fleet_.size(); ++i) {
        if (const auto at = fleet_.wakeAt(i); at && *at <= now + kOnTime) {
            fleet_.poke(i, now);
        }
        const auto at = lookAt(i, now, urgent);
        if (at && (!next || *at < *next)) {
            next = at;
        }
    }
    sockets_.setNotifying(urgent);
    if (next) {
        arm(*next);
    } else if (!released_) {
        release();
        emit finished();
    }
}

} // namespace tlx::qt
