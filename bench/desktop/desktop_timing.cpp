// Measurements of the desktop program (bench/desktop_timing.sh runs them):
//
//   tlx-desktop-timing startup [RUNS]
//       start-up to the first exposed main window, the program against a
//       minimal Qt Widgets window started the same way, alternately; medians
//       and their ratio
//   tlx-desktop-timing stall F|S SECONDS [PACE_SCALE]
//       a read-all at full pacing against tlx500-sim on a pseudo-terminal,
//       with the main window and its 150 ms tick up; a 10 ms timer records
//       how long the main thread was busy between two of its ticks (the
//       event loop's stall) and how late it was served
//   tlx-desktop-timing tick F|S [TICKS]
//       the main window's 150 ms tick work (link tick, clock, status panel)
//       with a reply arriving before every tick, so the panel changes each
//       time; alone and with the repaint it causes (limit 1 ms)
//   tlx-desktop-timing sendall F|S open|closed [PACE_SCALE]
//       a send-all against tlx500-sim on a pseudo-terminal, from the main
//       window's dialogs, with the "通信ログ" window open (opened through the
//       menu command) or never opened; the run's duration, the lines the log
//       took and the process's peak resident memory (VmHWM)
//   tlx-desktop-timing keys F|S [KEYS]
//       keystrokes in the title field (a character, then Backspace) over a
//       nearly full line (model S page) holding characters the device cannot
//       show, each until the field is repainted (limit 16 ms)

#include "app/app_dialogs.h"
#include "app/main_window.h"
#include "app/menu_logic.h"
#include "app/traffic_log_window.h"
#include "dialogs/run_dialog.h"
#include "dialogs/title_dialog.h"
#include "dialogs/title_text_edit.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "protocol/protocol.h"
#include "settings/connection_ini.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QListView>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

long long nowNs() {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                      std::chrono::steady_clock::now().time_since_epoch())
                                      .count());
}

long long threadCpuNs() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// Milliseconds from the start of the process to its first exposed window.
double startOnce(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    const long long before = nowNs();
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s did not start: %s\n", qPrintable(program),
                     p.readAllStandardError().constData());
        return -1.0;
    }
    const long long shown = p.readAllStandardOutput().trimmed().toLongLong();
    return static_cast<double>(shown - before) / 1e6;
}

int startup(int runs) {
    QTemporaryDir runtime;
    QTemporaryDir config;
    // TCP/IP, so neither program touches a serial port.
    for (const char* name : {"tlx500f_z200.ini", "tlx500s_z200.ini"}) {
        QFile ini(config.filePath(name));
        if (!ini.open(QIODevice::WriteOnly)) {
            return 1;
        }
        ini.write(
            "[TLX-500F_Z200_Section]\r\nInterface=1\r\n[TLX-500S_Z200_Section]\r\nInterface=1\r\n");
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", config.path());
    const QString platform =
        env.value("QT_QPA_PLATFORM", env.contains("DISPLAY") ? "xcb" : "offscreen");
    env.insert("QT_QPA_PLATFORM", platform);

    std::vector<double> desktop;
    std::vector<double> minimal;
    startOnce(TLX_PROBE_DESKTOP_PATH, {"F"}, env); // warm the file cache
    startOnce(TLX_PROBE_MINIMAL_PATH, {}, env);
    for (int i = 0; i < runs; ++i) {
        minimal.push_back(startOnce(TLX_PROBE_MINIMAL_PATH, {}, env));
        desktop.push_back(startOnce(TLX_PROBE_DESKTOP_PATH, {i % 2 == 0 ? "F" : "S"}, env));
    }
    const double d = median(desktop);
    const double m = median(minimal);
    std::printf("start-up to the first shown main window (%s, %d runs each, medians):\n"
                "  desktop program %.1f ms, minimal window %.1f ms, ratio %.2f (limit 1.5)\n",
                qPrintable(platform), runs, d, m, m > 0 ? d / m : 0.0);
    return m > 0 && d / m <= 1.5 ? 0 : 1;
}

// Serves the event loop, asleep while there is nothing to do, until `done`
// holds or `ms` have passed. (processEvents with a time limit never sleeps:
// a loop around it would spin and bill its spinning to what it measures.)
template <typename Done> void serveUntil(Done done, int ms) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    check.start(20);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (!done()) {
        loop.exec();
    }
}

// tlx500-sim on a pseudo-terminal and the desktop program's main window,
// links and dialogs on it, the way the program puts them together.
struct SimDesktop {
    explicit SimDesktop(tlx::Product p)
        : product(p), link(dir.filePath("ttyTLX")), state(tlx::makeAppState(p)),
          links(*state, host), ini(dir.filePath("t.ini").toStdString(), "S") {}
    ~SimDesktop() {
        sim.terminate();
        sim.waitForFinished();
    }
    SimDesktop(const SimDesktop&) = delete;
    SimDesktop& operator=(const SimDesktop&) = delete;

    // False when the emulator did not get ready within ten seconds.
    bool start() {
        const QString ready = dir.filePath("ready");
        sim.start(TLX_SIM_PATH, {"--model", product == tlx::Product::F ? "F" : "S", "--pty",
                                 link, "--seed", "5", "--ready-file", ready});
        serveUntil([&] { return QFile::exists(ready); }, 10000);
        if (!QFile::exists(ready)) {
            std::fprintf(stderr, "the emulator did not get ready\n");
            return false;
        }
        state->connection.comDevice = link.toStdString();
        window = std::make_unique<tlx::qt::MainWindow>(*state, host, links, ini);
        window->show();
        links.startSerialLink();
        dialogs = std::make_unique<tlx::qt::AppDialogs>(*state, host, links, ini, window.get());
        return true;
    }
    // The read-all or send-all dialog, paced at `paceScale`, shown.
    std::unique_ptr<QDialog> runDialog(int command, double paceScale) {
        auto dialog = dialogs->create(*tlx::routeOf(product, command));
        auto* run = dynamic_cast<tlx::qt::RunDialog*>(dialog.get());
        run->setPaceScale(paceScale);
        run->show();
        return dialog;
    }

    tlx::Product product;
    QTemporaryDir dir;
    QString link;
    QProcess sim;
    std::unique_ptr<tlx::AppState> state;
    tlx::test::FakeHost host;
    tlx::qt::LinkHub links;
    tlx::ConnectionIni ini;
    std::unique_ptr<tlx::qt::MainWindow> window;
    std::unique_ptr<tlx::qt::AppDialogs> dialogs;
};

int stall(tlx::Product product, int seconds, double paceScale) {
    SimDesktop desktop(product);
    if (!desktop.start()) {
        return 1;
    }
    auto dialog = desktop.runDialog(32807, paceScale);
    auto* run = dynamic_cast<tlx::qt::RunDialog*>(dialog.get());

    // Lateness alone also counts the time the kernel gave the CPU to other
    // processes; the main thread's own CPU time between two probe ticks is
    // what the event loop spent busy, i.e. its stall.
    constexpr int kProbeMs = 10;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 lastCpu = 0;
    qint64 worstLate = 0;
    qint64 worstBusy = 0;
    qint64 worstBusyAt = 0;
    qint64 ticks = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 cpu = threadCpuNs();
        if (last != 0) {
            worstLate = std::max(worstLate, now - last - kProbeMs * 1000000LL);
            if (cpu - lastCpu > worstBusy) {
                worstBusy = cpu - lastCpu;
                worstBusyAt = now;
            }
        }
        last = now;
        lastCpu = cpu;
        ++ticks;
    });
    run->startButton()->click();
    clock.start();
    probe.start(kProbeMs);
    serveUntil([&] { return !run->isVisible(); }, seconds * 1000);
    const int steps = run->progressBar()->value();
    std::printf("read-all at pace scale %.3g, model %c, %.1f s, %d steps%s: the event loop was "
                "busy at most %.1f ms (at %.1f s) between two 10 ms probe ticks (limit 50) and "
                "served them at most %.1f ms late, %lld ticks; messages: %zu\n",
                paceScale, product == tlx::Product::F ? 'F' : 'S',
                static_cast<double>(clock.elapsed()) / 1000.0,
                run->isVisible() ? steps : run->controller().progress().barMax,
                run->isVisible() ? "" : " (complete)", static_cast<double>(worstBusy) / 1e6,
                static_cast<double>(worstBusyAt) / 1e9, static_cast<double>(worstLate) / 1e6,
                ticks, desktop.host.messages.size());
    run->reject();
    return worstBusy <= 50LL * 1000000LL ? 0 : 1;
}

// The process's peak resident memory in kB (0 where /proc has no answer).
long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    return 0;
}

int sendAll(tlx::Product product, bool logOpen, double paceScale) {
    SimDesktop desktop(product);
    if (!desktop.start()) {
        return 1;
    }
    if (logOpen) {
        desktop.window->routeCommand(tlx::kCmdTrafficLog);
    }
    auto dialog = desktop.runDialog(32791, paceScale);
    auto* run = dynamic_cast<tlx::qt::RunDialog*>(dialog.get());
    QElapsedTimer clock;
    // Taken as the dialog closes, not when the wait below notices it.
    qint64 tookNs = -1;
    QObject::connect(run, &QDialog::finished, [&] { tookNs = clock.nsecsElapsed(); });
    clock.start();
    run->startButton()->click();
    // A finished run closes the dialog; a stopped one leaves it up with its
    // pacing timer stopped.
    serveUntil([&] { return !run->isVisible() || !run->timerActive(); }, 24 * 3600 * 1000);
    const double seconds =
        static_cast<double>(tookNs >= 0 ? tookNs : clock.nsecsElapsed()) / 1e9;
    timespec cpu{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    const bool complete = run->result() == QDialog::Accepted;
    const tlx::qt::TrafficLogWindow* logWindow = desktop.window->trafficLogWindow();
    std::printf("send-all, model %c, pace scale %.3g, log window %s: %.3f s, %s, %llu log lines "
                "(%d rows shown), CPU time %.2f s, peak memory %ld kB, messages: %zu\n",
                product == tlx::Product::F ? 'F' : 'S', paceScale,
                logOpen ? "open" : "closed", seconds,
                complete ? "complete" : "STOPPED",
                static_cast<unsigned long long>(desktop.links.traffic().recorded()),
                logWindow != nullptr ? logWindow->model()->rowCount() : 0,
                static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) / 1e9,
                peakResidentKb(),
                desktop.host.messages.size());
    for (const auto& m : desktop.host.messages) {
        std::printf("  message: %s\n", m.text.c_str());
    }
    return complete && (!logOpen || (logWindow != nullptr && logWindow->isVisible())) ? 0 : 1;
}

struct Spread {
    double median;
    double p99;
    double worst;
};

Spread spread(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) {
        return {0, 0, 0};
    }
    return {ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back()};
}

double msSince(long long startNs) {
    return static_cast<double>(nowNs() - startNs) / 1e6;
}

int tick(tlx::Product product, int ticks) {
    QTemporaryDir dir;
    auto state = tlx::makeAppState(product);
    tlx::test::FakeHost host;
    tlx::qt::LinkHub links(*state, host);
    const tlx::ConnectionIni ini(dir.filePath("t.ini").toStdString(), "S");
    state->connection.comDevice = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";
    state->connection.rsControl = 1;
    state->model.currentFilePath = "/home/operator/titles/朝のニュース.dat";
    tlx::qt::MainWindow window(*state, host, links, ini);
    window.show();
    QApplication::processEvents();
    std::vector<double> work;
    std::vector<double> withPaint;
    for (int i = 0; i < ticks; ++i) {
        // A reply and a modification before every tick: the panel's texts
        // change each time, the worst case.
        tlx::dispatchSerialReply(*state, host, i % 2 == 0 ? "05GO\r\n" : "05ADOF\r\n");
        state->model.dataModified = i % 2 == 0;
        const long long start = nowNs();
        window.tickOnce();
        work.push_back(msSince(start));
        QApplication::processEvents();
        withPaint.push_back(msSince(start));
    }
    const Spread w = spread(work);
    const Spread p = spread(withPaint);
    std::printf("main window tick, model %c, %d ticks, the panel changing every tick:\n"
                "  tick work median %.3f ms, 99%% %.3f ms, worst %.3f ms (limit 1)\n"
                "  with its repaint median %.3f ms, 99%% %.3f ms, worst %.3f ms\n",
                product == tlx::Product::F ? 'F' : 'S', ticks, w.median, w.p99, w.worst, p.median,
                p.p99, p.worst);
    return w.p99 < 1.0 ? 0 : 1;
}

int keys(tlx::Product product, int count) {
    auto state = tlx::makeAppState(product);
    tlx::test::FakeHost host;
    tlx::test::FakeTransport link;
    // A line (page) full but for one character, every third one half-width,
    // so every keystroke marks characters again.
    std::string text;
    const std::size_t room = product == tlx::Product::F ? 27 : 279;
    for (std::size_t i = 0; i < room; ++i) {
        text += i % 3 == 2 ? std::string("\xB1") : std::string("\x88\x9F");
    }
    if (product == tlx::Product::F) {
        state->model.titleText[0][0].assign(text);
    } else {
        state->model.titlePageText[0].assign(text);
    }
    tlx::qt::TitleDialog dialog(*state, host, link, "タイトルの設定");
    dialog.show();
    QApplication::processEvents();
    tlx::qt::TitleTextEdit* input =
        product == tlx::Product::F ? dialog.lineInput() : dialog.pageInput();
    input->setFocus();
    input->moveCursor(QTextCursor::End);
    std::vector<double> ms;
    std::vector<double> cpu;
    for (int i = 0; i < count; ++i) {
        const bool type = i % 2 == 0;
        const int key = type ? 0 : Qt::Key_Backspace;
        const QString typed = type ? QStringLiteral("亜") : QString();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
        const long long start = nowNs();
        const long long startCpu = threadCpuNs();
        QApplication::sendEvent(input, &press);
        QApplication::sendEvent(input, &release);
        QApplication::processEvents();
        ms.push_back(msSince(start));
        cpu.push_back(static_cast<double>(threadCpuNs() - startCpu) / 1e6);
    }
    const Spread k = spread(ms);
    const Spread c = spread(cpu);
    std::printf("title field, model %c, %d keystrokes (a character, then Backspace) over %zu "
                "characters, each until repainted:\n"
                "  median %.2f ms, 99%% %.2f ms, worst %.2f ms (limit 16); messages: %zu\n"
                "  the main thread's own CPU time: median %.2f ms, 99%% %.2f ms, worst %.2f ms\n",
                product == tlx::Product::F ? 'F' : 'S', count, room, k.median, k.p99, k.worst,
                host.messages.size(), c.median, c.p99, c.worst);
    return k.p99 < 16.0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() >= 2 && args[1] == "startup") {
        return startup(args.size() >= 3 ? args[2].toInt() : 11);
    }
    if (args.size() >= 4 && args[1] == "stall") {
        return stall(args[2] == "S" ? tlx::Product::S : tlx::Product::F, args[3].toInt(),
                     args.size() >= 5 ? args[4].toDouble() : 1.0);
    }
    if (args.size() >= 4 && args[1] == "sendall") {
        return sendAll(args[2] == "S" ? tlx::Product::S : tlx::Product::F, args[3] == "open",
                       args.size() >= 5 ? args[4].toDouble() : 1.0);
    }
    if (args.size() >= 3 && args[1] == "tick") {
        return tick(args[2] == "S" ? tlx::Product::S : tlx::Product::F,
                    args.size() >= 4 ? args[3].toInt() : 2000);
    }
    if (args.size() >= 3 && args[1] == "keys") {
        return keys(args[2] == "S" ? tlx::Product::S : tlx::Product::F,
                    args.size() >= 4 ? args[3].toInt() : 400);
    }
    std::fprintf(stderr, "usage: tlx-desktop-timing startup [RUNS] | stall F|S SECONDS "
                         "[PACE_SCALE] | sendall F|S open|closed [PACE_SCALE] | tick F|S [TICKS] | keys F|S [KEYS]\n");
    return 2;
}
