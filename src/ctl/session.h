#pragma once

#include <QObject>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli_host.h"
#include "ctl_options.h"
#include "protocol/line_framer.h"
#include "protocol/replies.h"
#include "protocol/traffic_log.h"
#include "runs/paced_run.h"

namespace tlx {
struct AppState;
struct SettingsModel;
struct SettingsDifference;
namespace qt {
class SerialLink;
class TcpLink;
class LinkTransport;
class TrafficRecorder;
} // namespace qt
} // namespace tlx

namespace tlx::ctl {

class TraceFile;

// One run of the tool: opens the link the options name, performs the command
// and returns the exit status.
class Session : public QObject {
    Q_OBJECT
public:
    Session(Options options, CliHost& host);
    ~Session() override;
    int run();

    // After run(): how far it got, for a row of a result table.
    int lastStep() const { return lastStep_; }
    int commandsSent() const { return commandsSent_; }
    const std::string& firmwareVersion() const;

private:
    bool openTrace();
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
    // A read run driven to its end; the exit status when it did not
    // complete (the consequence said), else nothing.
    std::optional<int> readToEnd(PacedStepRun& run, const char* what, const char* consequence);

    // A settings file of the chosen model, whole and undamaged, read over
    // `into`; says why not.
    bool loadFile(const std::string& path, SettingsModel& into);
    // Prints the differences and their count; 0 when none, else 1.
    int report(const std::vector<SettingsDifference>& differences) const;

    int readAll();
    int sendAll();
    int sendChanged();
    int verify();
    int diff();
    int sendLine();
    int version();
    int setClock();
    int glyphRead();
    int glyphSend();
    int glyphExport();
    int status(int fallback = 0) const;

    std::chrono::milliseconds scaled(std::chrono::milliseconds ms) const;

    Options options_;
    CliHost& host_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<qt::SerialLink> serial_;
    std::unique_ptr<qt::TcpLink> tcp_;
    std::unique_ptr<qt::LinkTransport> transport_;
    TrafficLog traffic_{1};
    std::unique_ptr<TraceFile> trace_;
    std::unique_ptr<qt::TrafficRecorder> recorder_;
    LineFramer replyLines_;
    std::vector<std::string> replies_;
    std::vector<int> changed_; // send-all --changed-from: the steps to send
    int lastStep_ = 0;
    int commandsSent_ = 0;
};

inline constexpr int kInterruptedStatus = 130;

// Set by SIGINT / SIGTERM; a transfer stops at its next step.
bool interrupted();
void installInterruptHandler();

// send-all: the file named by the options, refused unless it is a complete
// settings file of the model.
bool loadFileToSend(const Options& options, CliHost& host, SettingsModel& model);
// glyphs: the list file named by the options must carry its size's
// extension; loading also checks its digits.
bool checkGlyphListName(const Options& options, CliHost& host);
std::optional<std::vector<std::string>> loadGlyphListFile(const Options& options, CliHost& host);
// set-clock: the commands for this computer's time now, and that time as shown.
std::optional<std::vector<std::string>> clockLinesNow(CliHost& host, std::string* shown);

} // namespace tlx::ctl
