#pragma once

#include "base/product.h"
#include "device/link_session.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tlx::sim {

enum class LinkKind { TcpListen, TcpConnect, Pty, Serial };

struct SimOptions {
    Product product = Product::F;
    LinkKind link = LinkKind::TcpListen;
    quint16 port = 0;       // --tcp-listen, --tcp-connect
    QString host;           // --tcp-connect
    int count = 1;          // --tcp-connect: devices dialling in
    QString path;           // --pty link name, --serial device
    std::vector<int> rs485; // empty: point to point
    QString statePath;
    QString savePath;
    std::optional<std::uint64_t> seed;
    std::string firmware;
    QString logPath;
    QString readyPath;
    device::FaultPlan faults;
    bool split = false;
    int delayMs = 0;
};

struct ParseOutcome {
    std::optional<SimOptions> options; // nothing: exit with exitCode
    int exitCode = 0;
    QString output; // help text (stdout) or error (stderr)
};

ParseOutcome parseSimOptions(const QStringList& arguments);

// The help: every option, how to start each link, and the read table.
QString simHelpText();

} // namespace tlx::sim
