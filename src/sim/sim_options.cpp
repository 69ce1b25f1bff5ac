#include "sim/sim_options.h"

#include "device/device_bus.h"
#include "device/device_state.h"
#include "device/read_table.h"

#include <QCommandLineParser>

namespace tlx::sim {

namespace {

struct OptionSet {
    QCommandLineOption tcpListen{
        "tcp-listen", "Listen on TCP PORT; the PC connects as client (0: any free port).", "PORT"};
    QCommandLineOption tcpConnect{
        "tcp-connect",
        "Dial the PC's server at HOST:PORT, retrying until it answers and after every disconnect.",
        "HOST:PORT"};
    QCommandLineOption count{"count",
                             "With --tcp-connect: N independent devices dial in (default 1).", "N"};
    QCommandLineOption pty{
        "pty", "Open a pseudo-terminal and link PATH to the end a serial program opens.", "PATH"};
    QCommandLineOption serial{
        "serial",
        "Use the serial port DEVICE at 115200 baud, 8 data bits, even parity, 1 stop bit.",
        "DEVICE"};
    QCommandLineOption rs485{
        "rs485",
        "RS-485 bus: answer lines addressed to ADDR (0..31) with the address in front, carry "
        "out \"FF\" broadcasts without answering, ignore other addresses; a list such as "
        "3,5,7 puts several devices on the line.",
        "ADDR"};
    QCommandLineOption model{"model", "Device model F or S (default F).", "F|S"};
    QCommandLineOption state{
        "state", "Start from this settings file (.dat) and the glyph lists beside it.", "FILE"};
    QCommandLineOption save{"save",
                            "Write the settings to FILE and the glyph tables beside it (FILE.tll, "
                            ".tlm, .tls) on SIGINT/SIGTERM and whenever a TCP peer disconnects.",
                            "FILE"};
    QCommandLineOption seed{"seed", "Start from a random but valid state drawn from N.", "N"};
    QCommandLineOption firmware{
        "firmware", "Version text of the \"VN\" reply, four characters (default 2.00).", "TEXT"};
    QCommandLineOption log{"log", "Append every received line to FILE.", "FILE"};
    QCommandLineOption readyFile{"ready-file", "Write FILE once the link is up (see below).",
                                 "FILE"};
    QCommandLineOption silentAfter{"silent-after",
                                   "Stop answering (and carrying out) lines after line N.", "N"};
    QCommandLineOption replyAt{
        "reply-at", "Answer line N with TEXT instead of carrying it out (repeatable).", "N:TEXT"};
    QCommandLineOption faultAt{
        "fault-at",
        "Garble the reply to line N (repeatable): garbage (binary bytes in its place), prefix "
        "(binary bytes before it), no-lf (without its LF), endless (bytes without LF that never "
        "stop), xoff (a lone XOFF byte in its place).",
        "N:KIND"};
    QCommandLineOption split{
        "split", "Send every reply in two writes with a short pause, the first not ending in LF."};
    QCommandLineOption delay{"delay-ms", "Wait D milliseconds before each reply.", "D"};
    QCommandLineOption dropAfter{"drop-after",
                                 "TCP: close the connection after answering N lines on it.", "N"};
    QCommandLineOption help{QStringList{"h", "help"}, "Show this help."};
    QCommandLineOption version{"version", "Show the version."};

    void addTo(QCommandLineParser& p) const {
        for (const auto* o : {&tcpListen, &tcpConnect, &count, &pty, &serial, &rs485, &model,
                              &state, &save, &seed, &firmware, &log, &readyFile, &silentAfter,
                              &replyAt, &faultAt, &split, &delay, &dropAfter, &help, &version}) {
            p.addOption(*o);
        }
    }
};

const char* const kDescription =
    "Emulates a TLX-500 title superimposer (model F or S) for the configuration tool:\n"
    "it answers every command line the tool sends, over TCP or a serial line.";

const char* const kLinksText = R"(
Links (exactly one):
  tlx500-sim --tcp-listen 9004                  the tool connects as TCP client
  tlx500-sim --tcp-connect 127.0.0.1:9004 --count 3
                                                three devices dial the tool's server
  tlx500-sim --pty /tmp/ttyTLX                  the tool opens /tmp/ttyTLX as its COM port
  tlx500-sim --pty /tmp/ttyTLX --rs485 3,5,7    three devices on one RS-485 line
  tlx500-sim --serial /dev/ttyUSB0              a real port, 115200 8E1

Ready file: written once the link is up, replacing any older one: the TCP
port for --tcp-listen (useful with port 0), the link path for --pty, the
device for --serial, and HOST:PORT for --tcp-connect once every device has
got through. One line, ending in LF.

Several devices (--rs485 list, --count N) each have their own state. --seed N
gives device k (counted from 0) the seed N + k. --state and --save name one
file per device then: FILE with "-" and the device's number (--count) and/or
two-digit bus address inserted before the extension, e.g. state-05.dat;
--state falls back to FILE itself when that name does not exist.

Replies: "GO" for an accepted write, the data line for a read, "E3" for a
malformed or unknown line (also a line that does not end in CR LF, or a title
code that is neither a JIS X 0208 character nor a user glyph code). Lines are
counted from 1 over the life of the link for --silent-after, --reply-at and
--fault-at, and per connection for --drop-after.

Values the device accepts (anything else is answered "E3"): pages 001..512,
lines 01..10, days 01..31; colours 0..8, white and black levels 0..4; line
spacing 00..63, horizontal offset 00..38, vertical offset 00..15, erase time
000..240, switching time 00..99, scroll speed 1..4; schedule hours 00..23,
minutes 00..59, pages 001..512, PAS or 000; alarm hold time 003..999;
addresses ddd.ddd.ddd.ddd with each part 000..255; port five digits
00001..65535; clock year 00..99, month 01..12, day 01..31, hour 00..23,
minute and second 00..59. Glyph numbers: large 001..070, medium 001..160,
small 001..256, with upper-case hexadecimal digits; insertion of glyph
001..256 at position 01..28 (model S 001..280). Title codes, in upper-case
hexadecimal: the JIS X 0208 characters (rows 1..8, kanji levels 1 and 2),
the NEC special row 13 and the NEC-selected IBM rows 89..92 that code page
932 produces, and the user glyph area A321..A67E (rows A3..A6, cells
21..7E), where glyph 1 is A365, glyph 27 A421 and glyph 256 A64A.
)";

std::optional<std::int64_t> positive(const QString& text) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < 1) {
        return std::nullopt;
    }
    return v;
}

std::optional<device::ReplyFault> faultNamed(const QString& name) {
    using F = device::ReplyFault;
    static const std::pair<const char*, F> kNames[] = {{"garbage", F::Garbage},
                                                       {"prefix", F::Prefix},
                                                       {"no-lf", F::NoLineEnd},
                                                       {"endless", F::Endless},
                                                       {"xoff", F::Xoff}};
    for (const auto& [text, fault] : kNames) {
        if (name == QLatin1String(text)) {
            return fault;
        }
    }
    return std::nullopt;
}

ParseOutcome fail(const QString& message) {
    ParseOutcome o;
    o.exitCode = 2;
    o.output = "tlx500-sim: " + message + "\nTry 'tlx500-sim --help'.\n";
    return o;
}

} // namespace

QString simHelpText() {
    QCommandLineParser parser;
    OptionSet set;
    set.addTo(parser);
    parser.setApplicationDescription(kDescription);
    QString text = parser.helpText();
    text += kLinksText;
    text += "\nRead commands and their replies, model F (ppp page 001..512, dd day 01..31,\n"
            "cccc a glyph or JIS code in 4 hex digits):\n";
    text += QString::fromStdString(device::readTableText(Product::F));
    text += "\nModel S differs in these rows (the rest as model F; no RIDOH, no RPAST):\n";
    const auto fRows = device::readTable(Product::F);
    for (const auto& row : device::readTable(Product::S)) {
        bool shared = false;
        for (const auto& f : fRows) {
            shared = shared || (f.command == row.command && f.reply == row.reply);
        }
        if (!shared) {
            QString line = "  " + QString::fromLatin1(row.command.data(),
                                                      static_cast<qsizetype>(row.command.size()));
            line = line.leftJustified(14);
            line += QString::fromLatin1(row.reply.data(), static_cast<qsizetype>(row.reply.size()));
            text += line + "\n";
        }
    }
    return text;
}

ParseOutcome parseSimOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    OptionSet set;
    set.addTo(parser);
    if (!parser.parse(arguments)) {
        return fail(parser.errorText());
    }
    if (parser.isSet(set.help)) {
        ParseOutcome o;
        o.output = simHelpText();
        return o;
    }
    if (parser.isSet(set.version)) {
        ParseOutcome o;
        o.output = QStringLiteral("tlx500-sim " TLX_VERSION "\n");
        return o;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return fail("unexpected argument " + parser.positionalArguments().first());
    }

    SimOptions s;
    int links = 0;
    if (parser.isSet(set.tcpListen)) {
        ++links;
        bool ok = false;
        const uint port = parser.value(set.tcpListen).toUInt(&ok);
        if (!ok || port > 65535) {
            return fail("--tcp-listen needs a port 0..65535");
        }
        s.link = LinkKind::TcpListen;
        s.port = static_cast<quint16>(port);
    }
    if (parser.isSet(set.tcpConnect)) {
        ++links;
        const QString value = parser.value(set.tcpConnect);
        const qsizetype colon = value.lastIndexOf(':');
        bool ok = false;
        const uint port = colon > 0 ? value.mid(colon + 1).toUInt(&ok) : 0;
        if (!ok || port < 1 || port > 65535) {
            return fail("--tcp-connect needs HOST:PORT");
        }
        s.link = LinkKind::TcpConnect;
        s.host = value.left(colon);
        if (s.host.startsWith('[') && s.host.endsWith(']')) {
            s.host = s.host.mid(1, s.host.size() - 2);
        }
        s.port = static_cast<quint16>(port);
    }
    if (parser.isSet(set.pty)) {
        ++links;
        s.link = LinkKind::Pty;
        s.path = parser.value(set.pty);
    }
    if (parser.isSet(set.serial)) {
        ++links;
        s.link = LinkKind::Serial;
        s.path = parser.value(set.serial);
    }
    if (links != 1) {
        return fail("choose exactly one of --tcp-listen, --tcp-connect, --pty, --serial");
    }
    if ((s.link == LinkKind::Pty || s.link == LinkKind::Serial) && s.path.isEmpty()) {
        return fail("the link needs a path");
    }
    if (parser.isSet(set.count)) {
        const auto n = positive(parser.value(set.count));
        if (!n || *n > 96) {
            return fail("--count needs a number 1..96");
        }
        if (s.link != LinkKind::TcpConnect) {
            return fail("--count goes with --tcp-connect");
        }
        s.count = static_cast<int>(*n);
    }
    if (parser.isSet(set.rs485)) {
        const auto list = device::parseAddressList(parser.value(set.rs485).toStdString());
        if (!list) {
            return fail("--rs485 needs an address 0..31 or a list of distinct ones such as 3,5,7");
        }
        s.rs485 = *list;
    }
    if (parser.isSet(set.model)) {
        const QString m = parser.value(set.model).toUpper();
        if (m != "F" && m != "S") {
            return fail("--model is F or S");
        }
        s.product = m == "F" ? Product::F : Product::S;
    }
    s.statePath = parser.value(set.state);
    s.savePath = parser.value(set.save);
    if (parser.isSet(set.seed)) {
        bool ok = false;
        const qulonglong v = parser.value(set.seed).toULongLong(&ok);
        if (!ok) {
            return fail("--seed needs a non-negative number");
        }
        s.seed = v;
    }
    s.firmware = parser.isSet(set.firmware) ? parser.value(set.firmware).toStdString()
                                            : std::string(device::kDefaultFirmware);
    if (!device::isValidFirmware(s.firmware)) {
        return fail("--firmware needs four printable ASCII characters, e.g. 2.00");
    }
    s.logPath = parser.value(set.log);
    s.readyPath = parser.value(set.readyFile);

    if (parser.isSet(set.silentAfter)) {
        const auto n = positive(parser.value(set.silentAfter));
        if (!n) {
            return fail("--silent-after needs a number of lines >= 1");
        }
        s.faults.silentAfter = *n;
    }
    for (const QString& item : parser.values(set.replyAt)) {
        const qsizetype colon = item.indexOf(':');
        const auto n = colon > 0 ? positive(item.left(colon)) : std::nullopt;
        const QString text = colon > 0 ? item.mid(colon + 1) : QString();
        bool printable = true;
        for (QChar c : text) {
            printable = printable && c.unicode() >= 0x20 && c.unicode() < 0x7F;
        }
        if (!n || !printable || text.size() > 1190) {
            return fail("--reply-at needs N:TEXT with a line number >= 1 and printable ASCII text");
        }
        s.faults.replyAt[*n] = text.toStdString();
    }
    for (const QString& item : parser.values(set.faultAt)) {
        const qsizetype colon = item.indexOf(':');
        const auto n = colon > 0 ? positive(item.left(colon)) : std::nullopt;
        const auto kind = faultNamed(colon > 0 ? item.mid(colon + 1) : QString());
        if (!n || !kind) {
            return fail("--fault-at needs N:KIND with a line number >= 1 and KIND one of garbage, "
                        "prefix, no-lf, endless, xoff");
        }
        s.faults.faultAt[*n] = *kind;
    }
    s.split = parser.isSet(set.split);
    if (parser.isSet(set.delay)) {
        bool ok = false;
        const int d = parser.value(set.delay).toInt(&ok);
        if (!ok || d < 0 || d > 600000) {
            return fail("--delay-ms needs 0..600000");
        }
        s.delayMs = d;
    }
    if (parser.isSet(set.dropAfter)) {
        const auto n = positive(parser.value(set.dropAfter));
        if (!n) {
            return fail("--drop-after needs a number of lines >= 1");
        }
        if (s.link != LinkKind::TcpListen && s.link != LinkKind::TcpConnect) {
            return fail("--drop-after applies to TCP links only");
        }
        s.faults.dropAfter = *n;
    }
    ParseOutcome o;
    o.options = std::move(s);
    return o;
}

} // namespace tlx::sim
