#pragma once

#include <QObject>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli_host.h"
#include "ctl_options.h"
#include "link/line_framer.h"
#include "link/replies.h"

namespace tlx {
struct AppState;
namespace qt {
class SerialLink;
class TcpLink;
class LinkTransport;
} // namespace qt
} // namespace tlx

namespace tlx::ctl {

// One run of the tool: opens the link the options name, performs the command
// and returns the exit status.
class Session : public QObject {
    Q_OBJECT
public:
    Session(Options options, CliHost& host);
    ~Session() override;
    int run();

private:
    bool openLink();
    bool openSerial();
    bool openTcpClient();
    bool connectClient(); // to hostList[selectNumber], waiting for the outcome
    bool openListening();
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // Sends, waits for the answer; with an answer kind, any other line fails.
    bool exchange(const std::string& line, Reply answer = Reply::None);
    void settleSerial(); // the last answer in, every byte out
    template <typename Run> bool drive(Run& run, const char* what, int total);

    int readAll();
    int sendAll();
    int sendLine();
    int version();
    int setClock();
    int glyphRead();
    int glyphSend();
    int glyphExport();
    bool checkGlyphListName();
    std::optional<std::vector<std::string>> loadGlyphList(); // the checked table of the file
    int status(int fallback = 0) const;

    std::chrono::milliseconds scaled(std::chrono::milliseconds ms) const;

    Options options_;
    CliHost& host_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<qt::SerialLink> serial_;
    std::unique_ptr<qt::TcpLink> tcp_;
    std::unique_ptr<qt::LinkTransport> transport_;
    LineFramer replyLines_;
    std::vector<std::string> replies_;
};

inline constexpr int kInterruptedStatus = 130;

// Set by SIGINT / SIGTERM; a transfer stops at its next step.
bool interrupted();
void installInterruptHandler();

} // namespace tlx::ctl
