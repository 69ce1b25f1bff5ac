#include "runs/fleet_run.h"

#include <algorithm>
#include <array>
#include <map>

#include "base/host.h"
#include "base/settings_file_io.h"
#include "glyphs/glyph_files.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/glyph_table_run.h"
#include "runs/read_all_run.h"
#include "runs/send_all_run.h"
#include "settings/settings_file.h"
#include "settings/title_encoder.h"

namespace tlx {

namespace {

struct Known {
    std::string_view text;
    FleetOutcome::Kind kind;
    std::string_view reply;
};

constexpr std::array kKnown{
    Known{kMsgNoAnswer, FleetOutcome::Kind::NoAnswer, ""},
    Known{kMsgNoConnect, FleetOutcome::Kind::NoAnswer, ""},
    Known{kMsgSocketSend, FleetOutcome::Kind::ConnectionLost, ""},
    Known{kMsgNotConnected, FleetOutcome::Kind::ConnectionLost, ""},
    Known{"Menu Display", FleetOutcome::Kind::Refused, "MENU"},
    Known{"Mode Difference", FleetOutcome::Kind::Refused, "GN"},
    Known{"Socket mode difference", FleetOutcome::Kind::Refused, "GN"},
    Known{"Framing Error", FleetOutcome::Kind::Refused, "E0"},
    Known{"Socket Framing", FleetOutcome::Kind::Refused, "E0"},
    Known{"Parity Error", FleetOutcome::Kind::Refused, "E1"},
    Known{"Over Run Error", FleetOutcome::Kind::Refused, "E2"},
    Known{"Socket Over run", FleetOutcome::Kind::Refused, "E2"},
    Known{"Command Error", FleetOutcome::Kind::Refused, "E3"},
    Known{"Socket Command", FleetOutcome::Kind::Refused, "E3"},
    Known{kMsgJisCheck, FleetOutcome::Kind::Refused, "JIS"},
};

// One device's messages: the first failure decides its row.
class DeviceHost : public Host {
public:
    void showMessage(MessageKind kind, std::string_view text, std::string_view) override {
        const bool refusal = text == "Socket mode difference";
        if ((kind != MessageKind::Notice || refusal) && firstFailure.empty()) {
            firstFailure = text;
        }
    }
    bool askYesNo(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> chooseFile(const FileChoice&) override { return std::nullopt; }

    std::string firstFailure;
};

// Sends through the fleet's link; the answer comes later.
class DeviceTransport : public Transport {
public:
    DeviceTransport(FleetLink& link, int device) : link_(link), device_(device) {}
    void writeSerial(std::string_view) override {}
    SocketSendStatus sendSocket(int, std::string_view line) override {
        return closed ? SocketSendStatus::Failed : link_.send(device_, line);
    }
    SocketReceive receiveSocket(int) override { return {SocketReceive::Kind::Stopped, {}}; }
    bool answersLater() const override { return true; }

    bool closed = false;

private:
    FleetLink& link_;
    int device_;
};

// A device's paced run: one of the settings tables, or a glyph table.
class DeviceRun {
public:
    virtual ~DeviceRun() = default;
    virtual RunStart start() = 0;
    virtual void tick() = 0;
    virtual void requestStop() = 0;
    virtual void checkLastAnswer() = 0;
    virtual bool running() const = 0;
    virtual std::chrono::milliseconds nextInterval() const = 0;
    virtual int commandsSent() const = 0;
    virtual const RunProgress& progress() const = 0;
    virtual RunEnd end() const = 0;
    virtual int failedStep() const = 0;
    virtual int lastStep() const = 0;
};

template <typename Run> class DeviceRunOf : public DeviceRun {
public:
    template <typename... Args> explicit DeviceRunOf(Args&&... args) : run_(std::forward<Args>(args)...) {}
    RunStart start() override { return run_.start(); }
    void tick() override { run_.tick(); }
    void requestStop() override { run_.requestStop(); }
    void checkLastAnswer() override { run_.checkLastAnswer(); }
    bool running() const override { return run_.running(); }
    std::chrono::milliseconds nextInterval() const override { return run_.nextInterval(); }
    int commandsSent() const override { return run_.commandsSent(); }
    const RunProgress& progress() const override { return run_.progress(); }
    RunEnd end() const override { return run_.end(); }
    int failedStep() const override { return run_.failedStep(); }
    int lastStep() const override { return run_.lastStep(); }

private:
    Run run_;
};

FleetRun::Clock::duration scaledInterval(std::chrono::milliseconds ms, double scale) {
    return std::chrono::duration_cast<FleetRun::Clock::duration>(
        std::chrono::duration<double, std::milli>(static_cast<double>(ms.count()) * scale));
}

} // namespace

std::string describe(const FleetOutcome& o) {
    const std::string at = " at step " + std::to_string(o.step);
    switch (o.kind) {
    case FleetOutcome::Kind::Running:
        return "running";
    case FleetOutcome::Kind::Done:
        return "done";
    case FleetOutcome::Kind::Refused:
        if (o.reply == "JIS") {
            return "title outside JIS levels 1 and 2" + at;
        }
        return o.reply.empty() ? "unexpected answer" + at : "refused \"" + o.reply + "\"" + at;
    case FleetOutcome::Kind::NoAnswer:
        return "no answer" + at;
    case FleetOutcome::Kind::ConnectionLost:
        return "connection lost" + at;
    case FleetOutcome::Kind::Stopped:
        return "stopped" + at;
    }
    return {};
}

std::string describeInJapanese(const FleetOutcome& o) {
    const std::string at = " (ステップ " + std::to_string(o.step) + ")";
    switch (o.kind) {
    case FleetOutcome::Kind::Running:
        return "実行中";
    case FleetOutcome::Kind::Done:
        return "完了";
    case FleetOutcome::Kind::Refused:
        if (o.reply == "JIS") {
            return "JIS第１水準,第２水準以外の字" + at;
        }
        return (o.reply.empty() ? std::string("想定外の応答") : "拒否 \"" + o.reply + "\"") + at;
    case FleetOutcome::Kind::NoAnswer:
        return "応答なし" + at;
    case FleetOutcome::Kind::ConnectionLost:
        return "接続断" + at;
    case FleetOutcome::Kind::Stopped:
        return "中止" + at;
    }
    return {};
}

FleetOutcome failureOutcome(std::string_view firstFailure, bool stopped, int step) {
    FleetOutcome o;
    o.step = step;
    for (const auto& k : kKnown) {
        if (k.text == firstFailure) {
            o.kind = k.kind;
            o.reply = k.reply;
            return o;
        }
    }
    // Nothing said: the operator stopped it, or the answer was not the one
    // asked for.
    o.kind = stopped && firstFailure.empty() ? FleetOutcome::Kind::Stopped
                                             : FleetOutcome::Kind::Refused;
    return o;
}

struct FleetRun::Device {
    Device(FleetLink& link, int index, std::string name, Product p)
        : label(std::move(name)), state(makeAppState(p)), transport(link, index) {}

    std::string label;
    std::unique_ptr<AppState> state;
    DeviceHost host;
    DeviceTransport transport;
    std::unique_ptr<DeviceRun> run; // read-all, send-all and the glyph tables
    std::size_t nextLine = 0;          // version and set-clock: one command after another
    bool stopRequested = false;

    Clock::time_point due{};
    Clock::time_point answerDeadline{};
    Clock::time_point ended{};
    bool ending = false;   // the run is over; its last answer may still be outstanding
    FleetOutcome outcome;

    bool over() const { return outcome.kind != FleetOutcome::Kind::Running; }
    bool awaiting() const { return state->link.awaitingAnswer; }
};

FleetRun::FleetRun(Setup setup, FleetLink& link) : setup_(std::move(setup)), link_(link) {}

FleetRun::~FleetRun() = default;

int FleetRun::add(std::string label) {
    const int index = size();
    auto d = std::make_unique<Device>(link_, index, std::move(label), setup_.product);
    AppState& s = *d->state;
    if (setup_.job == FleetJob::SendAll && setup_.source) {
        s.model = *setup_.source;
    }
    s.connection.interfaceKind = InterfaceKind::Tcp;
    s.connection.clientServer = 1;
    s.connection.selectNumber = index + 1;
    s.link.socketConnected = true;
    Device& dev = *d;
    const auto failed = [&dev] { return !dev.host.firstFailure.empty(); };
    if (setup_.job == FleetJob::ReadAll) {
        d->run = std::make_unique<DeviceRunOf<ReadAllRun>>(s, d->host, d->transport);
    } else if (setup_.job == FleetJob::SendAll) {
        if (sendAllTable_.empty()) {
            sendAllTable_ = sendAllTable(s.model, setup_.product);
        }
        d->run = std::make_unique<DeviceRunOf<SendAllRun>>(s, d->host, d->transport, &sendAllTable_);
    } else if (setup_.job == FleetJob::GlyphRead || setup_.job == FleetJob::GlyphSend) {
        const bool send = setup_.job == FleetJob::GlyphSend;
        if (send && setup_.glyphTable) {
            s.glyphs.table(GlyphFace::Gothic, setup_.glyphSize) = *setup_.glyphTable;
        }
        d->run = std::make_unique<DeviceRunOf<GlyphTableRun>>(
            s, d->host, d->transport, setup_.glyphSize,
            send ? GlyphTransferMode::Register : GlyphTransferMode::Read, failed);
    } else if (setup_.job == FleetJob::Version) {
        setup_.lines = {"RVN\r\n"};
        s.model.firmwareVersion.clear();
    }
    devices_.push_back(std::move(d));
    return index;
}

void FleetRun::start(Clock::time_point now) {
    started_ = now;
    const auto n = static_cast<double>(devices_.size());
    for (std::size_t k = 0; k < devices_.size(); ++k) {
        auto& d = devices_[k];
        d->due = now;
        // Paced runs start spread over their first interval, so that the
        // devices' steps do not all fall due, and get answered, in one burst.
        if (d->run) {
            d->due += scaledInterval(d->run->nextInterval(),
                                     setup_.paceScale * static_cast<double>(k) / n);
        }
        if (d->run && d->run->start() != RunStart::Started) {
            d->outcome = failureOutcome(d->host.firstFailure, false, 0);
            d->ended = now;
        }
    }
}

std::optional<FleetRun::Clock::time_point> FleetRun::wakeAt(int device) const {
    const Device& d = *devices_[static_cast<std::size_t>(device)];
    if (d.over()) {
        return std::nullopt;
    }
    return d.awaiting() ? d.answerDeadline : d.due;
}

std::optional<FleetRun::Clock::time_point> FleetRun::answerUsefulAt(int device) const {
    const Device& d = *devices_[static_cast<std::size_t>(device)];
    if (d.over() || !d.awaiting()) {
        return std::nullopt;
    }
    return d.run && !d.ending ? d.due : Clock::time_point::min();
}

void FleetRun::poke(int device, Clock::time_point now) {
    Device& d = *devices_[static_cast<std::size_t>(device)];
    if (d.over()) {
        return;
    }
    if (d.awaiting()) {
        if (now < d.answerDeadline) {
            return;
        }
        // The answer wait is bounded as a whole, from the send.
        d.state->link.awaitingAnswer = false;
        d.state->link.abortFlag = true;
        d.host.warning(kMsgNoAnswer);
        d.due = std::min(d.due, now);
    }
    // A timer may fire a little before its time; a millisecond early counts
    // as on time, as it does for a single device's ticks.
    if (d.due > now + std::chrono::milliseconds(1)) {
        return;
    }
    step(d, now);
}

void FleetRun::step(Device& d, Clock::time_point now) {
    LinkState& link = d.state->link;
    if (d.ending) {
        finish(d, now);
        return;
    }
    if (link.awaitingAnswer) {
        return;
    }
    const auto sentBefore = d.run ? d.run->commandsSent() : static_cast<int>(d.nextLine);
    if (d.run) {
        if (d.stopRequested) {
            d.run->requestStop();
        }
        d.run->tick();
        if (!d.run->running()) {
            d.ending = true;
        } else {
            // A steady cadence: each step is due one interval after the
            // previous one was due, and a late one does not make the next hurry.
            d.due = std::max(d.due + scaledInterval(d.run->nextInterval(), setup_.paceScale), now);
        }
    } else {
        // Single commands follow one another as soon as each is answered,
        // and only when it was acknowledged.
        if (link.abortFlag || d.stopRequested || !d.host.firstFailure.empty() || !answered(d) ||
            d.nextLine == setup_.lines.size()) {
            d.ending = true;
        } else {
            link.answers = AnswerCheck{};
            link.answers.active = true;
            link.answers.expect(setup_.job == FleetJob::Version ? Reply::VN : Reply::GO);
            sendCommand(*d.state, d.host, d.transport, setup_.lines[d.nextLine++]);
        }
        d.due = now;
    }
    const auto sentNow = d.run ? d.run->commandsSent() : static_cast<int>(d.nextLine);
    if (sentNow != sentBefore && link.awaitingAnswer) {
        d.answerDeadline = now + setup_.answerWait;
    }
    if (d.ending && !link.awaitingAnswer) {
        finish(d, now);
    }
}

// The command sent last was answered as asked: the version read with the
// version, any other command with its acknowledgement.
bool FleetRun::answered(const Device& d) const {
    const AnswerCheck& a = d.state->link.answers;
    return d.nextLine == 0 || (a.arrived && !a.unexpected);
}

void FleetRun::finish(Device& d, Clock::time_point now) {
    if (d.state->link.awaitingAnswer && !d.stopRequested) {
        return; // the last answer decides
    }
    d.state->link.awaitingAnswer = false;
    const AppState& s = *d.state;
    const bool stopped = d.stopRequested;
    bool completed = false;
    int step = 0;
    if (d.run) {
        d.run->checkLastAnswer();
        completed = d.run->end() == RunEnd::Completed;
        step = d.run->end() == RunEnd::Unexpected ? d.run->failedStep() : d.run->lastStep();
    } else {
        completed = d.nextLine == setup_.lines.size() && answered(d);
        step = static_cast<int>(d.nextLine);
    }
    if (completed && !s.link.abortFlag && d.host.firstFailure.empty() && !stopped) {
        d.outcome.kind = FleetOutcome::Kind::Done;
    } else {
        d.outcome = failureOutcome(d.host.firstFailure, stopped, std::max(step, 1));
    }
    d.ended = now;
}

void FleetRun::received(int device, std::string_view bytes, Clock::time_point now) {
    Device& d = *devices_[static_cast<std::size_t>(device)];
    if (d.over()) {
        return;
    }
    receiveSocketAnswer(*d.state, d.host, bytes);
    // A step that came due during the wait is taken now (its due time has
    // passed); single commands and the end of a run do not wait for a tick.
    if (!d.awaiting() && (d.ending || !d.run)) {
        step(d, now);
    }
}

void FleetRun::lost(int device, Clock::time_point now) {
    Device& d = *devices_[static_cast<std::size_t>(device)];
    d.transport.closed = true;
    if (d.over()) {
        return;
    }
    if (d.host.firstFailure.empty()) {
        d.host.warning(kMsgSocketSend);
    }
    d.state->link.awaitingAnswer = false;
    d.state->link.abortFlag = true;
    d.due = now;
    step(d, now);
}

void FleetRun::stop(Clock::time_point now) {
    for (auto& d : devices_) {
        if (d->over()) {
            continue;
        }
        d->stopRequested = true;
        d->state->link.awaitingAnswer = false;
        d->due = now;
    }
}

bool FleetRun::finished() const {
    return std::all_of(devices_.begin(), devices_.end(), [](const auto& d) { return d->over(); });
}

const std::string& FleetRun::label(int device) const {
    return devices_[static_cast<std::size_t>(device)]->label;
}

const FleetOutcome& FleetRun::outcome(int device) const {
    return devices_[static_cast<std::size_t>(device)]->outcome;
}

int FleetRun::commandsSent(int device) const {
    const Device& d = *devices_[static_cast<std::size_t>(device)];
    return d.run ? d.run->commandsSent() : static_cast<int>(d.nextLine);
}

double FleetRun::seconds(int device) const {
    const Device& d = *devices_[static_cast<std::size_t>(device)];
    const auto end = d.over() ? d.ended : Clock::now();
    return std::chrono::duration<double>(end - started_).count();
}

const AppState& FleetRun::state(int device) const {
    return *devices_[static_cast<std::size_t>(device)]->state;
}

FleetRun::Counts FleetRun::counts() const {
    Counts c;
    for (const auto& d : devices_) {
        if (!d->over()) {
            ++c.running;
        } else if (d->outcome.failed()) {
            ++c.failed;
        } else {
            ++c.done;
        }
    }
    return c;
}

double FleetRun::share(int device) const {
    const Device& d = *devices_[static_cast<std::size_t>(device)];
    if (d.over()) {
        return 1.0;
    }
    if (d.run) {
        const auto& p = d.run->progress();
        return p.barMax > 0 ? static_cast<double>(p.bar) / p.barMax : 0.0;
    }
    return setup_.lines.empty()
               ? 0.0
               : static_cast<double>(d.nextLine) / static_cast<double>(setup_.lines.size());
}

double FleetRun::share() const {
    if (devices_.empty()) {
        return 1.0;
    }
    double sum = 0;
    for (int i = 0; i < size(); ++i) {
        sum += share(i);
    }
    return sum / static_cast<double>(devices_.size());
}

std::vector<std::string> fleetFileNames(const std::vector<std::string>& addresses,
                                        std::string_view extension) {
    std::map<std::string, int> seen;
    std::vector<std::string> names;
    names.reserve(addresses.size());
    for (const auto& a : addresses) {
        const int n = ++seen[a];
        names.push_back((n == 1 ? a : a + "-" + std::to_string(n)) + std::string(extension));
    }
    return names;
}

std::string busAddressFileName(int address, std::string_view extension) {
    const std::string digits = std::to_string(address);
    return "addr-" + std::string(digits.size() < 2 ? 1 : 0, '0') + digits + std::string(extension);
}

std::string fleetFileExtension(FleetJob job, GlyphSize size) {
    return job == FleetJob::GlyphRead ? std::string(glyphListExtension(size)) : std::string(".dat");
}

std::vector<FleetFileFailure> writeFleetFiles(const FleetRun& fleet,
                                              const std::vector<std::string>& addresses,
                                              const std::string& folder) {
    const FleetRun::Setup& setup = fleet.setup();
    std::vector<FleetFileFailure> failures;
    if (setup.job != FleetJob::ReadAll && setup.job != FleetJob::GlyphRead) {
        return failures;
    }
    const auto names = fleetFileNames(addresses, fleetFileExtension(setup.job, setup.glyphSize));
    for (int i = 0; i < fleet.size(); ++i) {
        if (fleet.outcome(i).kind != FleetOutcome::Kind::Done) {
            continue;
        }
        const AppState& device = fleet.state(i);
        const std::string path = pathInFolder(folder, names[static_cast<std::size_t>(i)]);
        const auto w = writeFileAtomically(
            path, setup.job == FleetJob::GlyphRead
                      ? writeGlyphList(device.glyphs.table(GlyphFace::Gothic, setup.glyphSize),
                                       setup.glyphSize)
                      : writeSettingsFile(device.model, setup.product));
        if (!w.ok()) {
            failures.push_back({path, w.reason});
        }
    }
    return failures;
}

} // namespace tlx
