#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/product.h"
#include "glyphs/glyph_store.h"
#include "protocol/transport.h"
#include "runs/paced_run.h"

namespace tlx {

struct AppState;
struct SettingsModel;

enum class FleetJob { ReadAll, SendAll, Version, SetClock, GlyphRead, GlyphSend };

// How one device's run ended.
struct FleetOutcome {
    enum class Kind { Running, Done, Refused, NoAnswer, ConnectionLost, Stopped };
    Kind kind = Kind::Running;
    std::string reply; // Refused: what the device answered ("E3", "MENU", "GN"), or "JIS"
    int step = 0;      // the step whose command failed, counted from 1

    bool failed() const { return kind != Kind::Running && kind != Kind::Done; }
};

// "done", "refused "E3" at step 12", "no answer at step 5", ...
std::string describe(const FleetOutcome& o);
// The desktop's words: "完了", "拒否 "E3" (ステップ 12)", "応答なし (ステップ 5)", ...
std::string describeInJapanese(const FleetOutcome& o);

// The outcome of a run that did not complete, from the first failure message
// the link or the run raised (empty: none) and the step it ended at.
FleetOutcome failureOutcome(std::string_view firstFailure, bool stopped, int step);

// The devices' connections, as the fleet engine uses them: sending never waits;
// the answer comes back through FleetRun::received.
class FleetLink {
public:
    virtual ~FleetLink() = default;
    virtual SocketSendStatus send(int device, std::string_view line) = 0;
};

// One job on many TCP/IP devices at once. Every device has its own state (link
// state, model, pacing, answer wait), so a refusal, silence or a dropped
// connection ends that device's run only, and no device waits for another.
// The caller owns the clock and the timers: after every call concerning a
// device it asks wakeAt(device) and calls poke(device) at that time.
class FleetRun {
public:
    using Clock = std::chrono::steady_clock;

    struct Setup {
        Product product = Product::F;
        FleetJob job = FleetJob::Version;
        const SettingsModel* source = nullptr; // send-all: what every device gets
        std::vector<std::string> lines;        // set-clock: the commands, with CR LF
        GlyphSize glyphSize = GlyphSize::Large; // glyph runs: the table's size class
        const std::vector<std::string>* glyphTable = nullptr; // glyph send: what every device gets
        double paceScale = 1.0;
        std::chrono::milliseconds answerWait{3300};
    };

    FleetRun(Setup setup, FleetLink& link);
    ~FleetRun();
    FleetRun(const FleetRun&) = delete;
    FleetRun& operator=(const FleetRun&) = delete;

    // Before start(): one more device, known by its label; returns its index.
    int add(std::string label);
    void start(Clock::time_point now);

    // Performs what is due for the device at now: its next step, or the end of
    // an answer wait.
    void poke(int device, Clock::time_point now);
    // Bytes from the device's connection.
    void received(int device, std::string_view bytes, Clock::time_point now);
    // The device closed its connection.
    void lost(int device, Clock::time_point now);
    // Every device stops at its next step (the operator's interrupt).
    void stop(Clock::time_point now);

    // When the device next needs a poke; nothing once its run has ended.
    std::optional<Clock::time_point> wakeAt(int device) const;
    // While the device awaits an answer: from when the answer is of use. The
    // answer to a paced step changes nothing before the next step is due;
    // single commands and a run's last answer go on as soon as it comes (a
    // time already past). Nothing when no answer is awaited.
    std::optional<Clock::time_point> answerUsefulAt(int device) const;

    const Setup& setup() const { return setup_; }
    int size() const { return static_cast<int>(devices_.size()); }
    bool finished() const;
    const std::string& label(int device) const;
    const FleetOutcome& outcome(int device) const;
    int commandsSent(int device) const;
    double seconds(int device) const; // from the start to the device's end (or now)
    // The device's own state: for read-all, the model it read; for a glyph
    // read, the table in its glyph store.
    const AppState& state(int device) const;

    struct Counts {
        int done = 0;
        int running = 0;
        int failed = 0;
    };
    Counts counts() const;
    // Progress in 0..1 of one device, and of all: ended devices count whole.
    double share(int device) const;
    double share() const;

private:
    struct Device;
    void step(Device& d, Clock::time_point now);
    void finish(Device& d, Clock::time_point now);
    bool answered(const Device& d) const;

    Setup setup_;
    FleetLink& link_;
    std::vector<RunStep> sendAllTable_; // send-all: every device sends the same commands
    std::vector<std::unique_ptr<Device>> devices_;
    Clock::time_point started_{};
};

// The file name of each device for a read: "<address>.dat", and
// "<address>-2.dat", "-3" ... for later devices sharing an address (a glyph
// read gives its list's extension instead of ".dat").
std::vector<std::string> fleetFileNames(const std::vector<std::string>& addresses,
                                        std::string_view extension = ".dat");

// "addr-05.dat": the file of an RS-485 bus address.
std::string busAddressFileName(int address, std::string_view extension = ".dat");

// What a read of the job writes: ".dat", or the glyph list's extension.
std::string fleetFileExtension(FleetJob job, GlyphSize size);

// A device's file that could not be written, and why.
struct FleetFileFailure {
    std::string path;
    std::string reason;
};

// Read-all and glyph read: every device whose run completed gets one file in
// the folder, named by fleetFileNames from the devices' addresses (in the
// fleet's order), holding its settings or its glyph table, each written whole.
// Other jobs write nothing. The failures come back in the devices' order.
std::vector<FleetFileFailure> writeFleetFiles(const FleetRun& fleet,
                                              const std::vector<std::string>& addresses,
                                              const std::string& folder);

} // namespace tlx
