#pragma once

#include "model/paced_run.h"
#include "model/run_progress.h"

#include <chrono>

namespace tlx {

struct AppState;
class Host;
class Transport;

inline constexpr std::chrono::milliseconds kTitleAllPagesInterval{300};

// Sends the title of all 512 pages, one page per tick. The ticks do not wait
// for the device's answers: the timer alone paces them, and a refusal stops
// the run at the next tick.
class TitleAllPagesRun {
  public:
    TitleAllPagesRun(AppState& s, Host& host, Transport& transport);

    RunStart start();
    void tick();
    void requestStop() { stopRequested_ = true; }
    // The title dialog's Close: the send is abandoned at once.
    void close();

    bool running() const { return running_; }
    RunEnd end() const { return end_; }
    std::chrono::milliseconds nextInterval() const { return kTitleAllPagesInterval; }
    const RunProgress& progress() const { return progress_; }
    int pagesSent() const { return pagesSent_; }
    // What the timer still needs for the pages not yet sent; 0 when idle.
    std::chrono::milliseconds timeLeft() const;

  private:
    void finish(RunEnd how);

    AppState& state_;
    Host& host_;
    Transport& transport_;
    RunProgress progress_;
    bool running_ = false;
    bool stopRequested_ = false;
    RunEnd end_ = RunEnd::None;
    int pagesSent_ = 0;
};

} // namespace tlx
