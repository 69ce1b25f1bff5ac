#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "cli_host.h"
#include "ctl_options.h"
#include "runs/fleet_run.h"

namespace tlx {
struct AppState;
namespace qt {
class TcpLink;
}
} // namespace tlx

namespace tlx::ctl {

// One row of the result table.
struct FleetRow {
    std::string device; // IP:port, or the bus address
    FleetOutcome outcome;
    int commands = 0;
    double seconds = 0;
    std::string detail; // version: what the device reported
};

// The table on stdout, and the exit status the rows give: 0 all done, 1 any
// refused, 3 any link failure and none refused, 130 stopped by the operator.
void printFleetTable(const std::vector<FleetRow>& rows);
int fleetStatus(const std::vector<FleetRow>& rows);

// One job on every device that dials in (--listen --devices N), all at once;
// or on each address of an RS-485 list in turn.
class FleetSession : public QObject {
    Q_OBJECT
public:
    FleetSession(Options options, CliHost& host);
    ~FleetSession() override;
    int run();

private:
    bool prepare();
    int runDialIn();
    int runBus();
    bool waitForDevices();
    // What a read writes: ".dat", or a glyph list's extension.
    std::string readExtension() const;

    Options options_;
    CliHost& host_;
    std::unique_ptr<AppState> state_; // the listening link's, and send-all's file
    std::unique_ptr<qt::TcpLink> tcp_;
    std::vector<std::string> clockLines_;
    std::vector<std::string> glyphTable_; // glyphs send: what every device gets
    std::string clockShown_;
};

} // namespace tlx::ctl
