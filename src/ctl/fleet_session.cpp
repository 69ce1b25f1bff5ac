#include "fleet_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "base/settings_file_io.h"
#include "dialogs/glyph_list.h"
#include "progress_printer.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "protocol/tcp_link.h"
#include "runs/fleet_driver.h"
#include "session.h"

namespace tlx::ctl {

namespace {

// The job a fleet command runs, and its name in the progress lines.
struct FleetCommand {
    Command command;
    FleetJob job;
    const char* name;
};

constexpr FleetCommand kFleetCommands[] = {
    {Command::ReadAll, FleetJob::ReadAll, "read-all"},
    {Command::SendAll, FleetJob::SendAll, "send-all"},
    {Command::SetClock, FleetJob::SetClock, "set-clock"},
    {Command::GlyphRead, FleetJob::GlyphRead, "glyphs read"},
    {Command::GlyphSend, FleetJob::GlyphSend, "glyphs send"},
};
constexpr FleetCommand kVersionCommand{Command::Version, FleetJob::Version, "version"};

const FleetCommand& fleetCommand(Command c) {
    for (const FleetCommand& f : kFleetCommands) {
        if (f.command == c) {
            return f;
        }
    }
    return kVersionCommand;
}

} // namespace

void printFleetTable(const std::vector<FleetRow>& rows) {
    std::size_t width = 6;
    for (const auto& r : rows) {
        width = std::max(width, r.device.size());
    }
    std::printf("%-*s  %-36s %8s %9s\n", static_cast<int>(width), "device", "outcome", "commands",
                "seconds");
    for (const auto& r : rows) {
        const std::string outcome =
            describe(r.outcome) + (r.detail.empty() ? "" : " " + r.detail);
        std::printf("%-*s  %-36s %8d %9.2f\n", static_cast<int>(width), r.device.c_str(),
                    outcome.c_str(), r.commands, r.seconds);
    }
    std::fflush(stdout);
}

int fleetStatus(const std::vector<FleetRow>& rows) {
    bool link = false;
    bool stopped = false;
    for (const auto& r : rows) {
        switch (r.outcome.kind) {
        case FleetOutcome::Kind::Refused:
            return static_cast<int>(Failure::Refused);
        case FleetOutcome::Kind::NoAnswer:
        case FleetOutcome::Kind::ConnectionLost:
            link = true;
            break;
        case FleetOutcome::Kind::Stopped:
            stopped = true;
            break;
        default:
            break;
        }
    }
    if (link) {
        return static_cast<int>(Failure::Link);
    }
    return stopped ? kInterruptedStatus : 0;
}

FleetSession::FleetSession(Options options, CliHost& host)
    : options_(std::move(options)), host_(host), state_(makeAppState(options_.product)) {
    host_.verbose = options_.verbose;
    tcp_ = std::make_unique<qt::TcpLink>(*state_, host_);
}

FleetSession::~FleetSession() = default;

bool FleetSession::prepare() {
    switch (options_.command) {
    case Command::SendAll:
        return loadFileToSend(options_, host_, state_->model);
    case Command::GlyphSend:
        if (auto table = loadGlyphListFile(options_, host_)) {
            glyphTable_ = std::move(*table);
            return true;
        }
        return false;
    case Command::ReadAll:
    case Command::GlyphRead:
        if (!QDir().mkpath(QString::fromStdString(options_.argument))) {
            host_.fail(Failure::Usage, "cannot make the folder " + options_.argument);
            return false;
        }
        return true;
    case Command::SetClock:
        if (auto lines = clockLinesNow(host_, &clockShown_)) {
            clockLines_ = std::move(*lines);
            return true;
        }
        return false;
    default:
        return true;
    }
}

bool FleetSession::waitForDevices() {
    std::cerr << "tlx500ctl: waiting for " << options_.devices << " device(s) to connect on port "
              << tcp_->listeningPort() << "\n";
    QElapsedTimer clock;
    clock.start();
    const qint64 limit = static_cast<qint64>(options_.waitSeconds) * 1000;
    // Wakes the wait for the interrupt and the limit; processEvents with a
    // time limit would not wait at all, but spin.
    QTimer tick;
    tick.start(50);
    while (tcp_->clients().clientsInUse() < options_.devices && clock.elapsed() < limit) {
        if (interrupted()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

int FleetSession::runDialIn() {
    auto& c = state_->connection;
    c.interfaceKind = InterfaceKind::Tcp;
    c.clientServer = 1;
    state_->model.devicePortNumber = std::to_string(options_.port);
    if (!tcp_->startListening()) {
        return static_cast<int>(Failure::Link);
    }
    if (!waitForDevices()) {
        return kInterruptedStatus;
    }
    // The devices that are connected now take part; later ones do not.
    const std::vector<int> slotList = qt::connectedSlots(*tcp_);
    if (slotList.empty()) {
        host_.fail(Failure::Link, "no device connected within " +
                                      std::to_string(options_.waitSeconds) + " s");
        return static_cast<int>(Failure::Link);
    }
    if (static_cast<int>(slotList.size()) < options_.devices) {
        std::cerr << "tlx500ctl: only " << slotList.size() << " of " << options_.devices
                  << " devices connected; running on those\n";
    }

    FleetRun::Setup setup;
    setup.product = options_.product;
    setup.job = fleetCommand(options_.command).job;
    setup.source = &state_->model;
    setup.lines = clockLines_;
    setup.glyphSize = options_.glyphSize;
    setup.glyphTable = &glyphTable_;
    setup.paceScale = options_.paceScale;
    setup.answerWait = scaledSocketAnswerWait(options_.paceScale);
    qt::FleetDriver driver(*tcp_, setup, slotList);
    FleetRun& fleet = driver.fleet();
    QEventLoop loop;
    QObject::connect(&driver, &qt::FleetDriver::finished, &loop, &QEventLoop::quit);

    const std::string what = std::string(fleetCommand(options_.command).name) + " on " +
                             std::to_string(fleet.size()) + " devices";
    ProgressPrinter progress(what);
    QTimer watch;
    bool stopping = false;
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (interrupted() && !stopping) {
            stopping = true;
            driver.stop();
        }
        const auto n = fleet.counts();
        progress.update(static_cast<int>(fleet.share() * 10000), 10000,
                        std::to_string(n.done) + " done, " + std::to_string(n.running) +
                            " running, " + std::to_string(n.failed) + " failed");
    });
    watch.start(50);

    QElapsedTimer clock;
    clock.start();
    driver.start();
    if (driver.running()) {
        loop.exec();
    }
    watch.stop();
    progress.finish();
    std::fprintf(stderr, "tlx500ctl: %s took %.2f s\n", what.c_str(),
                 static_cast<double>(clock.elapsed()) / 1000.0);

    const auto failures = writeFleetFiles(fleet, driver.addresses(), options_.argument);
    for (const auto& f : failures) {
        host_.fail(Failure::Usage, "cannot write " + f.path + ": " + f.reason);
    }
    const bool fileError = !failures.empty();
    std::vector<FleetRow> rows;
    for (int i = 0; i < fleet.size(); ++i) {
        FleetRow row{fleet.label(i), fleet.outcome(i), fleet.commandsSent(i), fleet.seconds(i), {}};
        if (row.outcome.kind == FleetOutcome::Kind::Done && options_.command == Command::Version) {
            row.detail = fleet.state(i).model.firmwareVersion;
        }
        rows.push_back(std::move(row));
    }
    printFleetTable(rows);
    if (options_.command == Command::SetClock) {
        std::cout << clockShown_ << "\n";
    }
    const int s = fleetStatus(rows);
    return s == 0 && fileError ? static_cast<int>(Failure::Usage) : s;
}

// A bus is half-duplex: one device at a time, each with its own run and model.
int FleetSession::runBus() {
    std::vector<FleetRow> rows;
    bool fileError = false;
    for (const int address : options_.busAddresses) {
        if (interrupted()) {
            break;
        }
        Options one = options_;
        one.busAddresses.clear();
        one.rs485 = true;
        one.slaveAddress = address;
        if (one.command == Command::ReadAll || one.command == Command::GlyphRead) {
            one.argument = pathInFolder(options_.argument, busAddressFileName(address, readExtension()));
        }
        std::cerr << "tlx500ctl: address " << address << "\n";
        CliHost host;
        QElapsedTimer clock;
        clock.start();
        Session session(one, host);
        const int status = session.run();
        FleetRow row{"address " + std::to_string(address), {}, session.commandsSent(),
                     static_cast<double>(clock.elapsed()) / 1000.0, {}};
        if (status == 0 || status == static_cast<int>(Failure::Usage)) {
            // A file that could not be written is a file error, not the device's.
            fileError |= status != 0;
            row.outcome.kind = FleetOutcome::Kind::Done;
            if (options_.command == Command::Version) {
                row.detail = session.firmwareVersion();
            }
        } else {
            row.outcome = failureOutcome(host.firstFailure(), status == kInterruptedStatus,
                                         std::max(session.lastStep(), 1));
        }
        rows.push_back(std::move(row));
    }
    printFleetTable(rows);
    const int s = fleetStatus(rows);
    return s == 0 && fileError ? static_cast<int>(Failure::Usage) : s;
}

std::string FleetSession::readExtension() const {
    return fleetFileExtension(fleetCommand(options_.command).job, options_.glyphSize);
}

int FleetSession::run() {
    if (!prepare()) {
        return static_cast<int>(Failure::Usage);
    }
    return options_.busAddresses.empty() ? runDialIn() : runBus();
}

} // namespace tlx::ctl
