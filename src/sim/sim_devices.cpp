#include "sim/sim_devices.h"

#include "device/device_state_file.h"
#include "device/seeded_state.h"

#include <QFileInfo>

namespace tlx::sim {

QString SimDevices::taggedPath(const QString& path, const QString& tag) {
    if (tag.isEmpty()) {
        return path;
    }
    const qsizetype slash = path.lastIndexOf('/');
    const qsizetype dot = path.lastIndexOf('.');
    if (dot > slash + 1) {
        return path.left(dot) + "-" + tag + path.mid(dot);
    }
    return path + "-" + tag;
}

std::unique_ptr<SimDevices> SimDevices::build(const SimOptions& o, QString* error,
                                              QStringList* warnings) {
    auto set = std::make_unique<SimDevices>();
    const int busCount = o.link == LinkKind::TcpConnect ? o.count : 1;
    const std::vector<int> addresses = o.rs485.empty() ? std::vector<int>{-1} : o.rs485;
    const bool several = busCount * static_cast<int>(addresses.size()) > 1;
    std::uint64_t ordinal = 0;

    for (int b = 0; b < busCount; ++b) {
        Bus bus;
        std::vector<device::DeviceBus::Member> members;
        for (const int address : addresses) {
            auto state = device::makeDeviceState(o.product, o.firmware);
            if (o.seed) {
                device::seedDeviceState(*state, *o.seed + ordinal);
            }
            ++ordinal;
            QStringList tagParts;
            if (busCount > 1) {
                tagParts << QString::number(b + 1);
            }
            if (address >= 0 && several) {
                tagParts << QString("%1").arg(address, 2, 10, QChar('0'));
            }
            const QString tag = several ? tagParts.join('-') : QString();
            if (!o.statePath.isEmpty()) {
                QString path = taggedPath(o.statePath, tag);
                if (!QFileInfo::exists(path)) {
                    path = o.statePath;
                }
                const auto r = device::loadDeviceStateFile(path.toStdString(), *state);
                if (!r.ok) {
                    *error = QString::fromStdString(r.message);
                    return nullptr;
                }
                if (!r.complete) {
                    warnings->append(QString::fromStdString(r.message));
                }
            }
            bus.savePaths.push_back(o.savePath.isEmpty() ? QString() : taggedPath(o.savePath, tag));
            members.push_back({address, std::make_unique<device::Device>(std::move(state))});
        }
        if (o.rs485.empty()) {
            bus.bus = std::make_unique<device::DeviceBus>(std::move(members.front().device));
        } else {
            bus.bus = std::make_unique<device::DeviceBus>(std::move(members));
        }
        set->buses_.push_back(std::move(bus));
    }
    return set;
}

QStringList SimDevices::saveBus(std::size_t i) {
    QStringList failures;
    Bus& b = buses_[i];
    for (std::size_t m = 0; m < b.bus->size(); ++m) {
        if (b.savePaths[m].isEmpty()) {
            continue;
        }
        const auto r =
            device::saveDeviceStateFile(b.savePaths[m].toStdString(), b.bus->device(m).state());
        if (!r.ok) {
            failures << QString::fromStdString(r.message);
        }
    }
    return failures;
}

QStringList SimDevices::saveAll() {
    QStringList failures;
    for (std::size_t i = 0; i < buses_.size(); ++i) {
        failures << saveBus(i);
    }
    return failures;
}

} // namespace tlx::sim
