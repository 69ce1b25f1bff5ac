#pragma once

#include <chrono>
#include <span>
#include <string_view>

#include "protocol/forward.h"
#include "protocol/replies.h"
#include "runs/paced_run.h"

namespace tlx {

// A short read of a few device values whose answers the reply dispatch stores
// in the model: the version read of the others dialog and the network
// read-back of the protocol dialog. One request per tick; the run holds the
// shared busyStep, so no other transfer starts meanwhile, and it ends a fixed
// number of ticks after its start (earlier when an answer or the no-answer
// rule moves busyStep on), leaving the last answers time to arrive.
struct ReadBackDescriptor {
    std::span<const std::string_view> requests; // request n is sent at busyStep n
    std::span<const Reply> replies;             // the answer each request asks for
    int endStep;                                // the run ends once busyStep reaches it
    std::chrono::milliseconds interval;
    bool holdsClose; // Close is disabled while it runs
    int progressMax; // the progress bar's range, 0 when the dialog shows none
};

extern const ReadBackDescriptor kVersionRead;
extern const ReadBackDescriptor kNetworkReadBack;

enum class ReadBackTick {
    Continue,  // tick again after the interval
    Completed, // the wait is over: show the model's values
    Stopped,   // the device refused, answered with another kind of line, or the run was
               // cleared: the fields stay as they were
};

class ReadBackRun : public StepRun {
  public:
    ReadBackRun(const ReadBackDescriptor& d, AppState& state, Host& host, Transport& transport);

    // False while any transfer holds busyStep (another one is said to run).
    // Unlike the other runs it needs no link to start: its first send says
    // what is wrong with the link.
    bool start();
    ReadBackTick tick();
    // The dialog goes away: a read still running gives busyStep back.
    void close();

    const ReadBackDescriptor& descriptor() const { return d_; }

  private:
    ReadBackTick stop(ReadBackTick how);
    // A line other than the request's own answer came: says so and stops.
    bool answeredWrongly(int request);

    const ReadBackDescriptor& d_;
};

} // namespace tlx
