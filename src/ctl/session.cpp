#include "session.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "base/date_time.h"
#include "base/settings_file_io.h"
#include "dialogs/compare_tools.h"
#include "progress_printer.h"
#include "protocol/app_state.h"
#include "protocol/link_transport.h"
#include "protocol/protocol.h"
#include "protocol/traffic_recorder.h"
#include "runs/changed_runs.h"
#include "runs/glyph_table_run.h"
#include "runs/read_all_run.h"
#include "runs/send_all_run.h"
#include "runs/settings_compare.h"
#include "settings/connection_ini.h"
#include "settings/settings_file.h"
#include "settings/sjis_text.h"
#include "trace_file.h"

namespace tlx::ctl {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

void onSignal(int) { gInterrupted = 1; }

constexpr std::chrono::milliseconds kConnectTimeout{10000};
constexpr std::chrono::milliseconds kTickInterval{150};
// How often a wait looks for SIGINT / SIGTERM.
constexpr std::chrono::milliseconds kInterruptPoll{20};

std::string withoutLineEnd(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) {
        s.pop_back();
    }
    return s;
}

std::string utf8(std::string_view sjis) { return qt::sjisToUnicode(sjis).toStdString(); }

std::unique_ptr<SettingsModel> defaultModel(Product p) {
    auto m = std::make_unique<SettingsModel>();
    resetModelToDefaults(*m, p);
    return m;
}

} // namespace

bool interrupted() { return gInterrupted != 0; }

bool loadFileToSend(const Options& options, CliHost& host, SettingsModel& model) {
    const auto file = readWholeFile(options.argument);
    if (!file.bytes) {
        host.fail(Failure::Usage, "cannot read " + options.argument + ": " + file.reason);
        return false;
    }
    const auto r = readSettingsFile(*file.bytes, model, options.product);
    if (!r.complete() || r.linesRejected > 0 || r.extraLines) {
        host.fail(Failure::Usage, options.argument + " is not a complete model " +
                                      std::string(1, traits(options.product).letter) +
                                      " settings file: " +
                                      describeSettingsFileProblem(r, *file.bytes, options.product));
        return false;
    }
    return true;
}

void installInterruptHandler() {
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

Session::Session(Options options, CliHost& host)
    : options_(std::move(options)), host_(host), state_(makeAppState(options_.product)) {
    host_.verbose = options_.verbose;
    serial_ = std::make_unique<qt::SerialLink>(*state_, host_);
    tcp_ = std::make_unique<qt::TcpLink>(*state_, host_);
    transport_ = std::make_unique<qt::LinkTransport>(*serial_, *tcp_);
    tcp_->setAnswerWait(scaledSocketAnswerWait(options_.paceScale));
    tcp_->setInterruptCheck(&interrupted);
    serial_->setInterruptCheck(&interrupted);
    auto tap = [this](qt::Direction d, std::string_view link, std::string_view bytes) {
        if (recorder_) {
            recorder_->record(d, link, bytes);
        }
        if (d == qt::Direction::In) {
            replyLines_.pushEach(bytes, [this](std::string_view line) {
                replies_.emplace_back(withoutLineEnd(std::string(line)));
            });
        }
        if (options_.verbose) {
            std::cerr << (d == qt::Direction::Out ? "> " : "< ")
                      << withoutLineEnd(std::string(bytes)) << "\n";
        }
    };
    serial_->setTap(tap);
    tcp_->setTap(tap);
}

Session::~Session() { host_.onMessage = nullptr; }

std::chrono::milliseconds Session::scaled(std::chrono::milliseconds ms) const {
    return std::chrono::milliseconds(
        static_cast<long long>(static_cast<double>(ms.count()) * options_.paceScale));
}

int Session::status(int fallback) const {
    if (host_.failure() != Failure::None) {
        return static_cast<int>(host_.failure());
    }
    return fallback;
}

bool Session::waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    // Wakes the event wait, so that an interrupt is seen at once.
    QTimer wake;
    wake.start(kInterruptPoll);
    while (!done()) {
        if (interrupted() || clock.elapsed() > limit.count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool Session::openSerial() {
    const auto r = serial_->start();
    if (!r.ok) {
        host_.fail(Failure::Link, r.reason.empty() ? "cannot open the serial port" : r.reason);
        return false;
    }
    return true;
}

bool Session::openTcpClient() {
    QHostAddress address(QString::fromStdString(options_.host));
    if (address.protocol() != QAbstractSocket::IPv4Protocol) {
        const QHostInfo info = QHostInfo::fromName(QString::fromStdString(options_.host));
        address = QHostAddress();
        for (const auto& a : info.addresses()) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                address = a;
                break;
            }
        }
        if (address.isNull()) {
            host_.fail(Failure::Link, "cannot find the IPv4 address of " + options_.host);
            return false;
        }
    }
    const quint32 ip = address.toIPv4Address();
    auto& c = state_->connection;
    c.hostList = {{static_cast<std::uint8_t>(ip >> 24), static_cast<std::uint8_t>(ip >> 16),
                   static_cast<std::uint8_t>(ip >> 8), static_cast<std::uint8_t>(ip)}};
    c.selectNumber = 0;
    return connectClient();
}

bool Session::connectClient() {
    return tcp_->connectClient() &&
           waitFor([&] { return state_->link.socketConnected || !tcp_->clientSocketOpen(); },
                   kConnectTimeout) &&
           state_->link.socketConnected;
}

bool Session::openListening() {
    if (!tcp_->startListening()) {
        return false;
    }
    std::cerr << "tlx500ctl: waiting for a device to connect on port " << tcp_->listeningPort()
              << "\n";
    if (!waitFor([&] { return tcp_->clients().clientsInUse() > 0; }, std::chrono::hours(24))) {
        return false;
    }
    tcp_->pickClient(0);
    return true;
}

bool Session::openLink() {
    auto& c = state_->connection;
    switch (options_.link) {
    case LinkChoice::Ini:
        ConnectionIni::forProduct(options_.product).load(c, state_->model.devicePortNumber);
        if (c.interfaceKind == InterfaceKind::Serial) {
            return openSerial();
        }
        if (c.clientServer == 0) {
            if (c.selectNumber < 0 || c.selectNumber >= c.listCount()) {
                host_.fail(Failure::Usage, "the saved connection names no device address");
                return false;
            }
            return connectClient();
        }
        return openListening();
    case LinkChoice::Serial:
        c.interfaceKind = InterfaceKind::Serial;
        c.comDevice = options_.serialPath;
        c.rsControl = options_.rs485 ? 1 : 0;
        c.slaveAddress = options_.slaveAddress;
        return openSerial();
    case LinkChoice::Tcp:
        c.interfaceKind = InterfaceKind::Tcp;
        c.clientServer = 0;
        state_->model.devicePortNumber = std::to_string(options_.port);
        return openTcpClient();
    case LinkChoice::Listen:
        c.interfaceKind = InterfaceKind::Tcp;
        c.clientServer = 1;
        state_->model.devicePortNumber = std::to_string(options_.port);
        return openListening();
    }
    return false;
}

void Session::settleSerial() {
    if (state_->connection.interfaceKind != InterfaceKind::Serial) {
        return;
    }
    // The no-answer rule of the tick ends the wait when the device is silent.
    waitFor([&] { return !state_->link.awaitingAnswer; }, std::chrono::hours(1));
    serial_->drain(5000);
}

const std::string& Session::firmwareVersion() const { return state_->model.firmwareVersion; }

bool Session::exchange(const std::string& line, Reply answer) {
    ++lastStep_;
    ++commandsSent_;
    LinkState& link = state_->link;
    link.abortFlag = false;
    link.answers = AnswerCheck{};
    link.answers.active = answer != Reply::None;
    link.answers.expect(answer);
    sendCommand(*state_, host_, *transport_, line);
    settleSerial();
    const bool wrong = link.answers.active && (link.answers.unexpected || !link.answers.arrived);
    link.answers = AnswerCheck{};
    if (host_.failure() == Failure::None && !link.abortFlag && wrong) {
        host_.fail(Failure::Refused,
                   "the device gave an unexpected answer to " + withoutLineEnd(line));
    }
    return host_.failure() == Failure::None && !link.abortFlag;
}

template <typename Run> bool Session::drive(Run& run, const char* what, int total) {
    if (run.start() != RunStart::Started) {
        host_.fail(Failure::Link, "the link is not ready");
        return false;
    }
    ProgressPrinter progress(what);
    QElapsedTimer clock;
    clock.start();
    // Ticks keep a steady cadence, as a periodic timer does: each is due one
    // interval after the previous one was due, not after its work ended. A
    // tick that comes late does not make the next ones hurry.
    double floorMs = 0; // the sum of the pacing intervals
    double dueMs = 0;
    auto schedule = [&](QTimer& timer) {
        const double interval = static_cast<double>(run.nextInterval().count()) * options_.paceScale;
        floorMs += interval;
        const auto now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        dueMs = std::max(dueMs + interval, now);
        timer.start(static_cast<int>(dueMs - now));
    };
    QEventLoop loop;
    QTimer watch; // an interrupt ends the run between its ticks too
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (interrupted() && run.running()) {
            timer.stop();
            run.requestStop();
            run.tick();
            loop.quit();
        }
    });
    watch.start(kInterruptPoll);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (interrupted()) {
            run.requestStop();
        }
        run.tick();
        progress.update(run.progress().bar, total);
        if (run.running()) {
            schedule(timer);
        } else {
            loop.quit();
        }
    });
    schedule(timer);
    loop.exec();
    progress.finish();
    // A serial run ends without waiting for its last answer; it counts too.
    settleSerial();
    run.checkLastAnswer();
    if (run.end() == RunEnd::Unexpected) {
        host_.fail(Failure::Refused, "the device gave an unexpected answer at step " +
                                         std::to_string(run.failedStep()));
    }
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    const double floorSeconds = floorMs / 1000.0;
    std::fprintf(stderr, "tlx500ctl: %s took %.2f s for %d steps (pacing floor %.2f s, ratio %.3f)\n",
                 what, seconds, run.progress().barMax, floorSeconds,
                 floorSeconds > 0 ? seconds / floorSeconds : 0.0);
    return run.end() == RunEnd::Completed && !state_->link.abortFlag;
}

template bool Session::drive<GlyphTableRun>(GlyphTableRun&, const char*, int);

std::optional<int> Session::readToEnd(PacedStepRun& run, const char* what,
                                      const char* consequence) {
    const bool done = drive(run, what, run.progress().barMax);
    lastStep_ = run.lastStep();
    commandsSent_ = run.commandsSent();
    if (interrupted()) {
        std::cerr << "tlx500ctl: interrupted; " << consequence << "\n";
        return kInterruptedStatus;
    }
    if (!done || host_.failure() != Failure::None) {
        std::cerr << "tlx500ctl: " << what << " did not complete; " << consequence << "\n";
        return status(static_cast<int>(Failure::Link));
    }
    return std::nullopt;
}

int Session::readAll() {
    ReadAllRun run(*state_, host_, *transport_);
    if (const auto failed = readToEnd(run, "read-all", "no file written")) {
        return *failed;
    }
    const auto w = writeFileAtomically(options_.argument,
                                       writeSettingsFile(state_->model, options_.product));
    if (!w.ok()) {
        host_.fail(Failure::Usage, "cannot write " + options_.argument + ": " + w.reason);
        return status();
    }
    std::cerr << "tlx500ctl: read " << run.commandsSent() << " settings commands; wrote "
              << options_.argument << "\n";
    return 0;
}

int Session::sendAll() {
    SendAllRun run(*state_, host_, *transport_);
    const bool done = drive(run, "send-all", run.totalSteps());
    lastStep_ = run.lastStep();
    commandsSent_ = run.commandsSent();
    if (interrupted()) {
        std::cerr << "tlx500ctl: interrupted; the device holds part of the file\n";
        return kInterruptedStatus;
    }
    if (!done || host_.failure() != Failure::None) {
        std::cerr << "tlx500ctl: send-all did not complete\n";
        return status(run.end() == RunEnd::Rejected ? 1 : 3);
    }
    std::cerr << "tlx500ctl: sent " << run.commandsSent() << " commands\n";
    return 0;
}

int Session::sendLine() {
    const bool ok = exchange(options_.argument + "\r\n");
    for (const auto& r : replies_) {
        std::cout << r << "\n";
    }
    return ok ? 0 : status(1);
}

int Session::version() {
    state_->model.firmwareVersion.clear();
    if (!exchange("RVN\r\n", Reply::VN) || state_->model.firmwareVersion.empty()) {
        if (host_.failure() == Failure::None) {
            host_.fail(Failure::Refused, "the device did not report its version");
        }
        return status();
    }
    std::cout << state_->model.firmwareVersion << "\n";
    return 0;
}

std::optional<std::vector<std::string>> clockLinesNow(CliHost& host, std::string* shown) {
    const QDateTime now = QDateTime::currentDateTime();
    auto lines = clockCommands({now.date().year(), now.date().month(), now.date().day(),
                                now.time().hour(), now.time().minute(), now.time().second()});
    if (!lines) {
        host.fail(Failure::Usage, "this computer's year is outside 2000..2099");
    }
    *shown = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    return lines;
}

int Session::setClock() {
    std::string shown;
    const auto lines = clockLinesNow(host_, &shown);
    if (!lines) {
        return status();
    }
    for (const auto& line : *lines) {
        if (!exchange(line, Reply::GO)) {
            return status(1);
        }
    }
    std::cout << shown << "\n";
    return 0;
}

bool Session::loadFile(const std::string& path, SettingsModel& into) {
    const auto file = readWholeFile(path);
    if (!file.bytes) {
        host_.fail(Failure::Usage, "cannot read " + path + ": " + file.reason);
        return false;
    }
    const auto r = readSettingsFile(*file.bytes, into, options_.product);
    if (r.complete() && r.linesRejected == 0 && !r.extraLines) {
        return true;
    }
    host_.fail(Failure::Usage, path + " is not a complete model " +
                                   std::string(1, traits(options_.product).letter) +
                                   " settings file: " +
                                   describeSettingsFileProblem(r, *file.bytes, options_.product));
    return false;
}

int Session::report(const std::vector<SettingsDifference>& differences) const {
    if (options_.json) {
        const std::string count = differenceCount(differences.size(), Wording::English) + "\n";
        QJsonArray list;
        for (const auto& d : differences) {
            list.append(QJsonObject{{"item", QString::fromStdString(d.item)},
                                    {"from", QString::fromStdString(d.from)},
                                    {"to", QString::fromStdString(d.to)}});
        }
        std::cout << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
        std::cerr << count; // stdout stays one JSON document
    } else {
        std::string text = differencesText(differences, Wording::English);
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        std::cout << text;
    }
    std::cout.flush();
    return differences.empty() ? 0 : 1;
}

int Session::diff() {
    auto a = defaultModel(options_.product);
    auto b = defaultModel(options_.product);
    if (!loadFile(options_.argument, *a) || !loadFile(options_.argument2, *b)) {
        return status();
    }
    return report(compareSettings(*a, *b, options_.product, utf8));
}

int Session::verify() {
    // The fields read-all does not read keep the file's values and so never
    // differ.
    const auto expected = std::make_unique<SettingsModel>(state_->model);
    ReadAllRun run(*state_, host_, *transport_);
    if (const auto failed = readToEnd(run, "verify", "nothing compared")) {
        return *failed;
    }
    return report(compareSettings(*expected, state_->model, options_.product, utf8));
}

int Session::sendChanged() {
    ChangedSendRun run(*state_, host_, *transport_, changed_);
    const bool done = drive(run, "send-all", run.progress().barMax);
    const std::string sent = "sent " + std::to_string(run.commandsSent()) + " of " +
                             std::to_string(run.totalSteps()) + " commands";
    if (interrupted()) {
        std::cerr << "tlx500ctl: interrupted; " << sent << "\n";
        return kInterruptedStatus;
    }
    if (!done || host_.failure() != Failure::None) {
        std::cerr << "tlx500ctl: send-all did not complete; " << sent << "\n";
        return status(run.end() == RunEnd::Rejected ? 1 : 3);
    }
    std::cerr << "tlx500ctl: " << sent << "\n";
    if (!options_.verifyAfter) {
        return 0;
    }
    const auto expected = std::make_unique<SettingsModel>(state_->model);
    ChangedReadRun back(*state_, host_, *transport_, changed_);
    if (const auto failed = readToEnd(back, "read-back", "nothing compared")) {
        return *failed;
    }
    return report(compareSettings(*expected, state_->model, options_.product, utf8));
}

bool Session::openTrace() {
    if (options_.tracePath.empty()) {
        return true;
    }
    std::string reason;
    trace_ = TraceFile::open(options_.tracePath, reason);
    if (!trace_) {
        host_.fail(Failure::Usage, "cannot write the trace file " + options_.tracePath + ": " + reason);
        return false;
    }
    // Lines go straight to the file; the run keeps none of them in memory.
    traffic_.setKeepLines(false);
    traffic_.setSink([this](const TrafficLine& line) {
        trace_->writeLine(qt::trafficLineText(traffic_, line));
    });
    recorder_ = std::make_unique<qt::TrafficRecorder>(traffic_, *state_, *serial_, *tcp_);
    host_.onMessage = [this](std::string_view text) { recorder_->message(text); };
    return true;
}

int Session::run() {
    if (!openTrace()) {
        return status();
    }
    if (options_.command == Command::GlyphExport) {
        return glyphExport();
    }
    if (options_.command == Command::GlyphRead && !checkGlyphListName(options_, host_)) {
        return status();
    }
    if (options_.command == Command::GlyphSend) {
        auto table = loadGlyphListFile(options_, host_);
        if (!table) {
            return status();
        }
        state_->glyphs.table(GlyphFace::Gothic, options_.glyphSize) = std::move(*table);
    }
    if (options_.command == Command::Diff) {
        return diff();
    }
    if (options_.command == Command::SendAll || options_.command == Command::Verify) {
        if (!loadFile(options_.argument, state_->model)) {
            return status();
        }
    }
    if (!options_.changedFrom.empty()) {
        auto base = defaultModel(options_.product);
        if (!loadFile(options_.changedFrom, *base)) {
            return status();
        }
        changed_ = changedSendSteps(*base, state_->model, options_.product);
        if (changed_.empty()) {
            std::cerr << "tlx500ctl: nothing changed; sent 0 of "
                      << traits(options_.product).readAllSteps << " commands\n";
            return 0;
        }
    }
    if (!openLink()) {
        if (interrupted()) {
            return kInterruptedStatus;
        }
        if (host_.failure() == Failure::None) {
            host_.fail(Failure::Link, "cannot reach the device");
        }
        return status();
    }
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [this] { tickWork(*state_, host_); });
    // The serial link's no-answer time is counted in these ticks: at a small
    // pace scale it stays as long as the socket's shortest answer wait.
    const int ticks = traits(options_.product).noAnswerTickLimit + 1;
    const auto shortestTick = (kShortestAnswerWait + std::chrono::milliseconds(ticks - 1)) / ticks;
    ticker.start(std::max(scaled(kTickInterval), shortestTick));

    switch (options_.command) {
    case Command::ReadAll:
        return readAll();
    case Command::SendAll:
        return options_.changedFrom.empty() ? sendAll() : sendChanged();
    case Command::Verify:
        return verify();
    case Command::Diff:
        return diff();
    case Command::Send:
        return sendLine();
    case Command::Version:
        return version();
    case Command::SetClock:
        return setClock();
    case Command::GlyphRead:
        return glyphRead();
    case Command::GlyphSend:
        return glyphSend();
    case Command::GlyphExport:
    case Command::Titles: // works on files alone (titles_command.h)
        break;
    }
    return 2;
}

} // namespace tlx::ctl
