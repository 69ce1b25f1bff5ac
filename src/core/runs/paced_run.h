#pragma once

#include "protocol/forward.h"
#include "runs/run_progress.h"
#include "runs/run_step.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

enum class RunStart {
    Started,
    NotReady, // TCP/IP chosen and not connected: the warning was shown
    Busy,     // another transfer holds busyStep: refused with kMsgOtherTransferRuns
};

// Our own addition: a start refused because another transfer holds busyStep
// says so; refusing in silence looked like a dead button.
inline constexpr std::string_view kMsgOtherTransferRuns = "他の転送を実行中です。";

// Tells the operator that another transfer holds busyStep; answers Busy.
RunStart refuseWhileBusy(Host& host);

// Whether a transfer may start: refused (and said so) without a link or
// while another transfer holds busyStep.
RunStart mayStart(AppState& s, Host& host);

enum class RunEnd {
    None,      // not ended (or never started)
    Completed, // past its last step, or the firmware's end of the table
    Stopped,   // the device refused, a send failed, no socket answer came, or the link dropped
    Rejected,  // a title failed the code check
    CutShort,  // the serial no-answer rule pushed busyStep past the end ("No Connect")
    Cancelled, // stopped by the operator, or busyStep was cleared behind the run's back
    Unexpected, // a line other than the step's own reply came back (see failedStep())
};

// The error box of a run that got an answer it did not ask for.
std::string unexpectedAnswerMessage(int step);

// The engine every run over busyStep is built on: the start checks and the
// claim, how the run ended, giving busyStep back, the progress, the commands
// sent and the link check before each send. PacedStepRun adds the table
// walk with its answer check. The runs paced by the timer alone (all titles,
// attribute pages, schedule, read-back) tick on these pieces themselves: each
// looks at a stop, a refusal, a cleared or pushed counter and the link in
// its own order, and ends with its own progress.
class StepRun {
  public:
    StepRun(const StepRun&) = delete;
    StepRun& operator=(const StepRun&) = delete;

    bool running() const { return running_; }
    RunEnd end() const { return end_; }
    const RunProgress& progress() const { return progress_; }
    int commandsSent() const { return commandsSent_; }

  protected:
    StepRun(AppState& s, Host& host, Transport& transport, int barMax);
    ~StepRun() = default;

    // Ends the run at its next tick (the CLI's interrupt), for a run whose
    // tick looks at stopRequested_.
    void requestStop() { stopRequested_ = true; }
    // The dialog went away while the run was going: busyStep is given back.
    void abandon() {
        if (running_) {
            release(RunEnd::Cancelled);
        }
    }

    // The start every run over busyStep shares, for a run not already going
    // (starting it again does nothing): mayStart, then busyStep becomes
    // firstStep and a refusal left over from an earlier single command is
    // forgotten, so it cannot end the new run before its first step. Nothing
    // is sent yet, no end and no stop asked for.
    RunStart begin(std::int32_t firstStep = 1);
    // The bars and the percentage of a fresh run, over the same range.
    void restartProgress();
    // The run is over and busyStep given back.
    void release(RunEnd how);
    // release, a refusal forgotten, the bars back to 0 and the percentage
    // replaced by blank.
    void finish(RunEnd how, std::string_view blank);
    // A refusal came in: true, and it is forgotten.
    bool refused();
    // busyStep was cleared behind the run's back (a Close, another part of
    // the program): nothing of the run is left to finish.
    bool counterTaken();
    // The connection dropped mid-run: one warning, not one per remaining
    // step, and busyStep given back.
    bool linkLost();
    // What a timer of interval still needs for steps busyStep..last; 0
    // when idle.
    std::chrono::milliseconds timeLeft(std::chrono::milliseconds interval, int last) const;

    AppState& state_;
    Host& host_;
    Transport& transport_;
    RunProgress progress_;
    bool running_ = false;
    bool stopRequested_ = false;
    RunEnd end_ = RunEnd::None;
    int commandsSent_ = 0;
};

// The operator's start of a long run: nothing while it runs or when the
// operator does not confirm (confirmNotAutoSwitching); true when it started.
template <typename Run>
bool startConfirmed(Run& run, Host& host) {
    return !run.running() && confirmNotAutoSwitching(host) && run.start() == RunStart::Started;
}

// The table engine of the read-all and send-all runs: one step a tick,
// paced by the caller's timer and, while a serial answer is outstanding, by
// the device. The caller asks for the confirmation (confirmNotAutoSwitching)
// before start(), calls tick() every nextInterval() while running(), and
// shows progress().
class PacedStepRun : public StepRun {
  public:
    virtual ~PacedStepRun() = default;

    using StepRun::requestStop;

    RunStart start();
    void tick();
    // The dialog's Close: the run is abandoned at once; what the device has
    // received (or the model has read) so far stays.
    void close();

    std::chrono::milliseconds nextInterval() const { return interval_; }
    int totalSteps() const { return total_; }
    // A run completes as soon as its last command is out. Once that answer
    // is in (over TCP/IP at once, on a serial link when awaitingAnswer is
    // clear), this judges it: another kind of
    // line turns the end into Unexpected, no line at all into CutShort.
    void checkLastAnswer();
    // The step whose answer was wrong, when end() is Unexpected.
    int failedStep() const { return failedStep_; }
    // What the pacing table still asks for the steps not yet performed; 0
    // when no run goes on.
    std::chrono::milliseconds timeLeft() const;
    // The step of the table performed last (0 before the first).
    int lastStep() const { return lastTableStep_; }

  protected:
    PacedStepRun(AppState& s, Host& host, Transport& transport, Pacing pacing,
                 std::string_view blank);
    virtual RunStep stepAt(int step) const = 0;
    // Performs only these steps of the table (ascending), back to back at
    // the pace the table gives them; progress counts them alone. For the
    // runs that send or read back only what changed.
    void performOnly(std::vector<int> steps);

  private:
    bool perform(int step);
    void finish(RunEnd end);
    // The first step at or after `step` that this run performs; past the
    // end when none is left.
    int performedFrom(int step) const;

    int total_;
    int versionStep_;
    Pacing pacing_;
    std::string_view blank_;

    std::chrono::milliseconds interval_;
    bool rejected_ = false;
    int lastPerformed_ = 0;
    int lastTableStep_ = 0;
    int expectedNext_ = 0;
    bool cutShort_ = false;
    int failedStep_ = 0;
    bool partial_ = false; // performs only the steps in only_
    std::vector<int> only_;
};

} // namespace tlx
