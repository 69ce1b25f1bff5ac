// tlx500-sim: the device emulator.
#include "sim/line_log.h"
#include "sim/pty_link.h"
#include "sim/ready_file.h"
#include "sim/serial_link.h"
#include "sim/signal_watcher.h"
#include "sim/sim_devices.h"
#include "sim/sim_options.h"
#include "sim/tcp_dial_link.h"
#include "sim/tcp_listen_link.h"

#include <QCoreApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

using namespace tlx::sim;

namespace {

void printErr(const QString& text) {
    QTextStream(stderr) << "tlx500-sim: " << text << Qt::endl;
}

void reportAll(const QStringList& failures) {
    for (const auto& f : failures) {
        printErr("cannot save " + f);
    }
}

} // namespace

int main(int argc, char** argv) {
    // The plain Unix event loop: the glib one wakes its own poll each time a
    // socket's write notifier is switched on and off, twice for every reply,
    // which 96 devices answering a fast-paced run pay tens of thousands of
    // times a second.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tlx500-sim");

    const ParseOutcome parsed = parseSimOptions(QCoreApplication::arguments());
    if (!parsed.options) {
        QTextStream(parsed.exitCode == 0 ? stdout : stderr) << parsed.output;
        return parsed.exitCode;
    }
    const SimOptions& o = *parsed.options;

    // A peer that vanishes mid-write must not end the emulator.
    std::signal(SIGPIPE, SIG_IGN);

    QString error;
    QStringList warnings;
    std::unique_ptr<SimDevices> devices = SimDevices::build(o, &error, &warnings);
    if (!devices) {
        printErr(error);
        return 2; // a state file that cannot be read: a file error, as for the tool
    }
    for (const auto& w : warnings) {
        printErr("warning: " + w);
    }

    LineLog log;
    if (!o.logPath.isEmpty() && !log.open(o.logPath, &error)) {
        printErr(error);
        return 1;
    }
    SignalWatcher watcher;
    if (!watcher.install()) {
        printErr("cannot watch for SIGINT and SIGTERM");
        return 1;
    }
    QObject::connect(&watcher, &SignalWatcher::stopRequested, &app,
                     [](int) { QCoreApplication::quit(); });

    auto contextFor = [&](std::size_t bus) {
        LinkContext c;
        c.bus = &devices->bus(bus);
        c.plan = &o.faults;
        c.pacing = {o.delayMs, o.split};
        c.log = o.logPath.isEmpty() ? nullptr : &log;
        c.peerGone = [&devices, bus] { reportAll(devices->saveBus(bus)); };
        return c;
    };
    auto ready = [&](const QString& text) {
        QString e;
        if (!o.readyPath.isEmpty() && !writeReadyFile(o.readyPath, text, &e)) {
            printErr(e);
        }
    };
    const char model = o.product == tlx::Product::F ? 'F' : 'S';

    std::unique_ptr<TcpListenLink> listen;
    std::vector<std::unique_ptr<TcpDialLink>> dials;
    std::unique_ptr<PtyLink> pty;
    std::unique_ptr<SerialLink> serial;
    int dialledIn = 0;

    switch (o.link) {
    case LinkKind::TcpListen:
        listen = std::make_unique<TcpListenLink>(contextFor(0));
        if (!listen->listen(o.port, &error)) {
            printErr(error);
            return 1;
        }
        printErr(QString("model %1 listening on TCP port %2").arg(model).arg(listen->port()));
        ready(QString::number(listen->port()));
        break;
    case LinkKind::TcpConnect:
        for (int i = 0; i < o.count; ++i) {
            dials.push_back(std::make_unique<TcpDialLink>(contextFor(static_cast<std::size_t>(i)),
                                                          o.host, o.port));
            QObject::connect(dials.back().get(), &TcpDialLink::firstConnected, &app, [&] {
                if (++dialledIn == o.count) {
                    ready(o.host + ":" + QString::number(o.port));
                }
            });
        }
        printErr(QString("model %1, %2 device(s) dialling %3:%4")
                     .arg(model)
                     .arg(o.count)
                     .arg(o.host)
                     .arg(o.port));
        for (auto& d : dials) {
            d->start();
        }
        break;
    case LinkKind::Pty:
        pty = std::make_unique<PtyLink>(contextFor(0));
        if (!pty->open(o.path, &error)) {
            printErr(error);
            return 1;
        }
        printErr(QString("model %1 on %2 -> %3").arg(model).arg(o.path, pty->slaveName()));
        ready(o.path);
        break;
    case LinkKind::Serial: {
        serial = std::make_unique<SerialLink>(contextFor(0));
        QString warning;
        if (!serial->open(o.path, &error, &warning)) {
            printErr(error);
            return 1;
        }
        if (!warning.isEmpty()) {
            printErr("warning: " + warning);
        }
        printErr(QString("model %1 on %2 at 115200 8E1").arg(model).arg(o.path));
        ready(o.path);
        break;
    }
    }

    const int rc = QCoreApplication::exec();
    const QStringList failures = devices->saveAll();
    reportAll(failures);
    return rc != 0 ? rc : (failures.isEmpty() ? 0 : 1);
}
