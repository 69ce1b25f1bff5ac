#include "ctl_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>

namespace tlx::ctl {

const char* const kUsage =
    R"(Usage: tlx500ctl [--model F|S] [LINK] [--pace-scale X] [--verbose] [--trace FILE]
                 COMMAND [ARGS]
       tlx500ctl [--model F|S] diff A.dat B.dat [--json]

Talks to a TLX-500 title superimposer (model F or S) without the desktop program.

LINK:
  --tcp HOST[:PORT]        the PC connects to the device (default port 9004)
  --listen [PORT]          the PC listens and uses the first device that connects
  --serial PATH            a serial port (e.g. /dev/ttyUSB0), 115200 8E1
      --rs485 ADDR|broadcast   RS-485 bus: the device address 0..31, or all devices
  (none)                   the connection saved by the desktop program

SEVERAL DEVICES (read-all DIR, send-all FILE.dat, version, set-clock,
                 glyphs read SIZE DIR, glyphs send SIZE FILE):
  --listen [PORT] --devices N [--wait SECONDS]
                           wait until N devices (1..96) have connected, at most
                           SECONDS (default 60), then run on all of them at once
  --serial PATH --rs485 A,B,C-D
                           run on each bus address of the list in turn
  read-all writes one file per device into DIR: <IP address>.dat (-2, -3 ...
  for devices sharing an address) or addr-NN.dat, and glyphs read the same
  names with the list's extension (.tll, .tlm, .tls); a table of results ends
  the run.

COMMAND:
  read-all FILE.dat        read every setting into a settings file
  send-all FILE.dat        send a settings file to the device
      --changed-from BASE.dat  send only the commands that differ from BASE.dat,
                               the file the device is known to hold
      --verify                 with --changed-from: read back what was sent
  verify FILE.dat          read every setting and list where the device
                           differs from FILE.dat (no file written)
  diff A.dat B.dat         list the settings that differ between two files,
                           one per line, then "N differences"
      --json                   as a JSON array of {item, from, to}; the count
                               goes to stderr
  send LINE                send one command line (CR LF added), print the reply
  version                  print the device's firmware version
  set-clock                set the device's date and time from this computer
  glyphs read SIZE FILE    read the device's whole glyph table of SIZE (large,
                           medium or small) into a list file (.tll, .tlm, .tls)
  glyphs send SIZE FILE    send a list file's whole glyph table to the device
  glyphs export SIZE FILE N OUT.bmp
                           glyph N of a list file as a picture (no device)
  titles export FILE.dat [OUT.tsv|OUT.csv]
                           the titles of a settings file as UTF-8 text (standard
                           output without OUT); glyphs as {G:code}, {{ for {
  titles import FILE.dat IN.tsv|IN.csv [--replace-all] [--out NEW.dat]
                           checks every row, then puts them into FILE.dat (or
                           NEW.dat); --replace-all empties every title first.
                           No link is used

OPTIONS:
  --model F|S              the device model (default F)
  --pace-scale X           0 < X <= 1: scales every pacing interval and the
                           no-answer time; for the emulator (tlx500-sim) only,
                           a real device needs the full pacing
  --verbose                print every line sent and received
  --trace FILE             append every line sent and received to FILE, with
                           the time to the millisecond, the link, bytes outside
                           printable ASCII as \xHH, decoded title text and
                           marks for error replies and missing answers
  --help                   this text
  --version                the version of this program

Exit status: 0 success; 1 the device refused (an error reply, MENU, GN),
answered with something other than the step's own reply, or the data was
rejected (characters outside JIS levels 1 and 2, titles rows, each listed);
2 usage or file errors; 3 link errors and no answer ("No Connect");
130 interrupted. diff and verify: 0 the same, 1 differences found. With several
devices: 0 when every device succeeded, 1 when any refused, 3 when any had a
link failure and none refused.
Ctrl-C (or SIGTERM) stops a transfer at once; read-all writes its file only
when the whole read completed.
)";

std::string glyphSizeWord(GlyphSize size) {
    static constexpr std::array<std::string_view, 3> kWords{"large", "medium", "small"};
    return std::string(kWords[static_cast<std::size_t>(size)]);
}

namespace {

std::optional<int> number(const std::string& s, int lo, int hi) {
    int v = 0;
    const auto* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, v);
    if (r.ec != std::errc{} || r.ptr != end || v < lo || v > hi) {
        return std::nullopt;
    }
    return v;
}

std::optional<double> scale(const std::string& s) {
    double v = 0;
    const auto* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, v);
    if (r.ec != std::errc{} || r.ptr != end || !(v > 0.0) || v > 1.0) {
        return std::nullopt;
    }
    return v;
}

bool isOption(const std::string& s) { return s.size() > 1 && s[0] == '-'; }

constexpr const char* kOneLink = "only one link may be given (--tcp, --listen or --serial)";

std::optional<GlyphSize> glyphSizeNamed(const std::string& s) {
    for (const GlyphSize size : {GlyphSize::Large, GlyphSize::Medium, GlyphSize::Small}) {
        if (s == glyphSizeWord(size)) {
            return size;
        }
    }
    return std::nullopt;
}

ParseResult parseGlyphCommand(Options o, const std::vector<std::string>& positional) {
    ParseResult r;
    const std::string verb = positional.size() > 1 ? positional[1] : "";
    std::size_t want = 4;
    if (verb == "read") {
        o.command = Command::GlyphRead;
    } else if (verb == "send") {
        o.command = Command::GlyphSend;
    } else if (verb == "export") {
        o.command = Command::GlyphExport;
        want = 6;
    } else {
        r.error = "glyphs takes read, send or export";
        return r;
    }
    if (positional.size() != want) {
        r.error = verb == "export" ? "glyphs export takes SIZE FILE N OUT.bmp"
                                   : "glyphs " + verb + " takes SIZE FILE";
        return r;
    }
    const auto size = glyphSizeNamed(positional[2]);
    if (!size) {
        r.error = "the glyph size is large, medium or small, not " + positional[2];
        return r;
    }
    if (o.command == Command::GlyphRead && o.rs485 && o.slaveAddress == 32) {
        r.error = "glyphs read needs one device address: nobody answers a broadcast";
        return r;
    }
    o.glyphSize = *size;
    o.argument = positional[3];
    if (o.command == Command::GlyphExport) {
        const int count = glyphGeometry(*size).count;
        const auto n = number(positional[4], 1, count);
        if (!n) {
            r.error = "the glyph number of a " + positional[2] + " table is 1.." +
                      std::to_string(count) + ", not " + positional[4];
            return r;
        }
        o.glyphNumber = *n;
        o.output = positional[5];
    }
    r.options = o;
    return r;
}

// "1,3,5-7": bus addresses 0..31, each once, in the order given.
std::optional<std::vector<int>> addressList(const std::string& s) {
    std::vector<int> out;
    std::size_t from = 0;
    while (from <= s.size()) {
        const auto comma = std::min(s.find(',', from), s.size());
        const std::string item = s.substr(from, comma - from);
        const auto dash = item.find('-');
        const auto lo = number(item.substr(0, dash), 0, 31);
        const auto hi = dash == std::string::npos ? lo : number(item.substr(dash + 1), 0, 31);
        if (!lo || !hi || *hi < *lo) {
            return std::nullopt;
        }
        for (int a = *lo; a <= *hi; ++a) {
            if (std::find(out.begin(), out.end(), a) != out.end()) {
                return std::nullopt;
            }
            out.push_back(a);
        }
        from = comma + 1;
    }
    return out;
}

} // namespace

ParseResult parseOptions(const std::vector<std::string>& args) {
    Options o;
    ParseResult fail;
    auto error = [&](std::string text) {
        fail.error = std::move(text);
        return fail;
    };
    bool haveLink = false;
    bool haveRs485 = false;
    bool haveDevices = false;
    bool haveWait = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 < args.size()) {
                return args[++i];
            }
            return std::nullopt;
        };
        // A value that may not be empty: a host, a path, a file name.
        auto word = [&]() -> std::optional<std::string> {
            auto v = value();
            if (v && v->empty()) {
                return std::nullopt;
            }
            return v;
        };
        auto setLink = [&](LinkChoice l) {
            if (haveLink) {
                return false;
            }
            haveLink = true;
            o.link = l;
            return true;
        };
        if (a == "--version") {
            ParseResult r;
            r.version = true;
            return r;
        }
        if (a == "--help" || a == "-h") {
            ParseResult r;
            r.help = true;
            return r;
        }
        if (a == "--model") {
            const auto v = value();
            if (!v || (*v != "F" && *v != "S" && *v != "f" && *v != "s")) {
                return error("--model takes F or S");
            }
            o.product = (*v == "F" || *v == "f") ? Product::F : Product::S;
        } else if (a == "--tcp") {
            const auto v = word();
            if (!v) {
                return error("--tcp takes HOST[:PORT], such as 192.168.1.10:9004");
            }
            if (!setLink(LinkChoice::Tcp)) {
                return error(kOneLink);
            }
            const auto colon = v->rfind(':');
            o.host = v->substr(0, colon);
            if (colon != std::string::npos) {
                const auto p = number(v->substr(colon + 1), 1, 65535);
                if (!p || o.host.empty()) {
                    return error("--tcp takes HOST[:PORT] with a port 1..65535");
                }
                o.port = *p;
            }
        } else if (a == "--listen") {
            if (!setLink(LinkChoice::Listen)) {
                return error(kOneLink);
            }
            // A number after it is its port, never a command.
            if (i + 1 < args.size() && !args[i + 1].empty() &&
                args[i + 1].find_first_not_of("0123456789") == std::string::npos) {
                const auto p = number(args[++i], 0, 65535);
                if (!p) {
                    return error("--listen takes a port 0..65535, not " + args[i]);
                }
                o.port = *p;
            }
        } else if (a == "--serial") {
            const auto v = word();
            if (!v) {
                return error("--serial takes a device path, such as /dev/ttyUSB0");
            }
            if (!setLink(LinkChoice::Serial)) {
                return error(kOneLink);
            }
            o.serialPath = *v;
        } else if (a == "--rs485") {
            const auto v = value();
            if (!v) {
                return error("--rs485 takes an address 0..31 or broadcast");
            }
            if (*v == "broadcast") {
                o.slaveAddress = 32;
            } else if (const auto n = number(*v, 0, 31)) {
                o.slaveAddress = *n;
            } else if (const auto list = addressList(*v)) {
                o.busAddresses = *list;
            } else {
                return error("--rs485 takes an address 0..31, broadcast, or a list such as 1,3,5-7");
            }
            o.rs485 = true;
            haveRs485 = true;
        } else if (a == "--devices" || a == "--wait") {
            const auto v = value();
            const auto n = v ? number(*v, a == "--devices" ? 1 : 0, a == "--devices" ? 96 : 86400)
                             : std::nullopt;
            if (!n) {
                return error(a == "--devices" ? "--devices takes a number 1..96"
                                              : "--wait takes a number of seconds 0..86400");
            }
            (a == "--devices" ? o.devices : o.waitSeconds) = *n;
            (a == "--devices" ? haveDevices : haveWait) = true;
        } else if (a == "--pace-scale") {
            const auto v = value();
            const auto x = v ? scale(*v) : std::nullopt;
            if (!x) {
                return error("--pace-scale takes a number X with 0 < X <= 1");
            }
            o.paceScale = *x;
        } else if (a == "--replace-all") {
            o.replaceAll = true;
        } else if (a == "--out" || a == "--trace") {
            const auto v = word();
            if (!v) {
                return error(a == "--out" ? "--out takes a file name" : "--trace takes a file name");
            }
            (a == "--out" ? o.outPath : o.tracePath) = *v;
        } else if (a == "--verbose" || a == "-v") {
            o.verbose = true;
        } else if (a == "--changed-from") {
            const auto v = word();
            if (!v) {
                return error("--changed-from takes a settings file");
            }
            o.changedFrom = *v;
        } else if (a == "--verify") {
            o.verifyAfter = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (isOption(a)) {
            return error("unknown option " + a);
        } else {
            positional.push_back(a);
        }
    }
    if (haveRs485 && o.link != LinkChoice::Serial) {
        return error("--rs485 goes with --serial");
    }
    if (haveDevices && o.link != LinkChoice::Listen) {
        return error("--devices goes with --listen");
    }
    if (haveWait && !haveDevices) {
        return error("--wait goes with --devices");
    }
    if (positional.empty()) {
        return error("no command given");
    }
    const std::string& c = positional[0];
    const bool importing = positional.size() > 1 && positional[1] == "import";
    if ((o.replaceAll || !o.outPath.empty()) && (c != "titles" || !importing)) {
        return error("--replace-all and --out go with titles import");
    }
    if (c == "titles") {
        const bool exporting = positional.size() > 1 && positional[1] == "export";
        if ((!exporting && !importing) || positional.size() < (exporting ? 3u : 4u) ||
            positional.size() > 4) {
            return error("titles takes export FILE.dat [OUT] or import FILE.dat IN");
        }
        o.command = Command::Titles;
        o.titleArgs.assign(positional.begin() + 1, positional.end());
        ParseResult r;
        r.options = o;
        return r;
    }
    std::size_t wantArgs = 0;
    if (c == "read-all") {
        o.command = Command::ReadAll;
        wantArgs = 1;
    } else if (c == "send-all") {
        o.command = Command::SendAll;
        wantArgs = 1;
    } else if (c == "send") {
        o.command = Command::Send;
        wantArgs = 1;
    } else if (c == "version") {
        o.command = Command::Version;
    } else if (c == "set-clock") {
        o.command = Command::SetClock;
    } else if (c == "glyphs") {
        auto r = parseGlyphCommand(o, positional);
        if (r.options && o.fleet() && r.options->command == Command::GlyphExport) {
            return error("glyphs export reads a file and takes no device");
        }
        return r;
    } else if (c == "verify") {
        o.command = Command::Verify;
        wantArgs = 1;
    } else if (c == "diff") {
        o.command = Command::Diff;
        wantArgs = 2;
    } else {
        return error("unknown command " + c);
    }
    if (positional.size() != wantArgs + 1) {
        return error(c + (wantArgs == 2   ? " takes two arguments"
                          : wantArgs == 1 ? " takes one argument"
                                          : " takes no argument"));
    }
    if (wantArgs != 0) {
        o.argument = positional[1];
    }
    if (o.rs485 && o.slaveAddress == 32 &&
        (o.command == Command::ReadAll || o.command == Command::Version ||
         o.command == Command::Verify)) {
        return error(c + " needs one device address: nobody answers a broadcast");
    }
    if (wantArgs == 2) {
        o.argument2 = positional[2];
    }
    if (o.json && o.command != Command::Diff) {
        return error("--json goes with diff");
    }
    if (!o.changedFrom.empty() && o.command != Command::SendAll) {
        return error("--changed-from goes with send-all");
    }
    if (o.verifyAfter && o.changedFrom.empty()) {
        return error("--verify goes with send-all --changed-from");
    }
    if (o.command == Command::Diff && haveLink) {
        return error("diff compares two files and takes no link");
    }
    if (o.fleet() && o.command == Command::Send) {
        return error("send takes one device: give --rs485 one address, or no --devices");
    }
    if (o.command == Command::Send) {
        for (char ch : o.argument) {
            if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) > 0x7E) {
                return error("send takes one line of printable ASCII");
            }
        }
    }
    ParseResult r;
    r.options = o;
    return r;
}

} // namespace tlx::ctl
