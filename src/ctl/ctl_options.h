#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/product.h"
#include "glyphs/glyph_store.h"

namespace tlx::ctl {

enum class LinkChoice { Ini, Tcp, Listen, Serial };
enum class Command {
    ReadAll,
    SendAll,
    Send,
    Version,
    SetClock,
    GlyphRead,
    GlyphSend,
    GlyphExport,
    Titles,
    Diff,
    Verify,
};

struct Options {
    Product product = Product::F;
    LinkChoice link = LinkChoice::Ini;
    std::string host;        // --tcp
    int port = 9004;         // --tcp, --listen
    std::string serialPath;  // --serial
    bool rs485 = false;
    int slaveAddress = 0;    // 0..31, 32 broadcast
    std::vector<int> busAddresses; // --rs485 with a list: one run per address, in turn
    int devices = 0;         // --listen --devices N: every device that connected
    int waitSeconds = 60;    // how long to wait for the N devices
    double paceScale = 1.0;  // 0 < x <= 1
    bool verbose = false;
    std::string tracePath;   // --trace: the traffic log is appended here
    Command command = Command::Version;
    std::string argument;    // the file or the line
    GlyphSize glyphSize = GlyphSize::Large; // glyphs
    int glyphNumber = 1;                    // glyphs export: 1..the table's count
    std::string output;                     // glyphs export: the picture
    // titles: "export" or "import", the settings file, then OUT or IN
    std::vector<std::string> titleArgs;
    bool replaceAll = false; // titles import --replace-all
    std::string outPath;     // titles import --out
    std::string argument2;   // diff: the second file
    std::string changedFrom; // send-all: send only what differs from this file
    bool verifyAfter = false; // send-all --changed-from: read back what was sent
    bool json = false;        // diff

    // One job on several devices.
    bool fleet() const { return devices > 0 || !busAddresses.empty(); }
};

// The word for a glyph size on the command line: "large", "medium", "small".
std::string glyphSizeWord(GlyphSize size);

struct ParseResult {
    std::optional<Options> options;
    std::string error; // a usage error, when options is empty and help is false
    bool help = false;
    bool version = false;
};

ParseResult parseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

} // namespace tlx::ctl
