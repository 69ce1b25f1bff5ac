#include "protocol/link_hub.h"

#include "base/host.h"
#include "protocol/client_table.h"

namespace tlx::qt {

LinkHub::LinkHub(AppState& state, Host& host, QObject* parent)
    : LinkNotifier(parent), host_(host), serial_(state, host), tcp_(state, host),
      transport_(serial_, tcp_), recorder_(traffic_, state, serial_, tcp_) {
    auto tap = [this](Direction d, std::string_view link, std::string_view bytes) {
        recorder_.record(d, link, bytes);
    };
    serial_.setTap(tap);
    tcp_.setTap(tap);
    connect(&tcp_, &TcpLink::connectionChanged, this, &LinkNotifier::connectionChanged);
    connect(&tcp_, &TcpLink::clientsChanged, this, &LinkNotifier::clientsChanged);
}

void LinkHub::startSerialLink() {
    const SerialOpenResult r = serial_.start();
    for (std::size_t i = 0; i < r.failures.size(); ++i) {
        std::string text = r.failures[i];
        if (i == 0 && !r.reason.empty()) {
            text += "\n" + r.reason;
        }
        host_.error(text);
    }
}

void LinkHub::reopenSerialLink() {
    serial_.stop();
    const SerialOpenResult r = serial_.start();
    if (!r.ok && !r.failures.empty()) {
        host_.error(r.failures.front() + "\n" + r.reason);
    }
}

bool LinkHub::connectAsClient() {
    return tcp_.connectClient();
}

bool LinkHub::startListening() {
    return tcp_.startListening();
}

void LinkHub::closeAll() {
    tcp_.closeAll();
}

std::vector<std::string> LinkHub::serverClients() const {
    return tcp_.clients().rows();
}

std::string LinkHub::clientSlotAddress(std::int32_t slot) const {
    if (slot < 1 || slot >= ClientTable::kSlots || !tcp_.clients().inUse(slot)) {
        return {};
    }
    return tcp_.clients().address(slot);
}

std::int32_t LinkHub::clientSlotOfRow(std::size_t row) const {
    if (row >= static_cast<std::size_t>(ClientTable::kSlots)) {
        return -1;
    }
    return tcp_.clients().slotOfRow(static_cast<int>(row)).value_or(-1);
}

} // namespace tlx::qt
