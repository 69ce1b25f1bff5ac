#pragma once

#include "device/device_bus.h"
#include "sim/sim_options.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace tlx::sim {

// The emulated devices, one bus per link (per dialling device with
// --tcp-connect), each device with the state file name it saves to.
class SimDevices {
  public:
    // Builds and loads every device; nothing on a fatal error (message in
    // *error). Oddities of state files that still loaded go to *warnings.
    static std::unique_ptr<SimDevices> build(const SimOptions& options, QString* error,
                                             QStringList* warnings);

    std::size_t busCount() const { return buses_.size(); }
    device::DeviceBus& bus(std::size_t i) { return *buses_[i].bus; }

    // Writes the devices of one bus, or of all buses, to their save files;
    // returns the failures.
    QStringList saveBus(std::size_t i);
    QStringList saveAll();

    // The file name of one device when several share a name: "-tag" goes
    // before the extension.
    static QString taggedPath(const QString& path, const QString& tag);

  private:
    struct Bus {
        std::unique_ptr<device::DeviceBus> bus;
        std::vector<QString> savePaths; // per member; empty: no saving
    };
    std::vector<Bus> buses_;
};

} // namespace tlx::sim
