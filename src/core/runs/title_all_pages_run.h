#pragma once

#include "runs/paced_run.h"

#include <chrono>

namespace tlx {

inline constexpr std::chrono::milliseconds kTitleAllPagesInterval{300};

// Sends the title of all 512 pages, one page per tick. The ticks do not wait
// for the device's answers: the timer alone paces them, and a refusal stops
// the run at the next tick (over TCP/IP, at the tick that brought it).
class TitleAllPagesRun : public StepRun {
  public:
    TitleAllPagesRun(AppState& s, Host& host, Transport& transport);

    RunStart start();
    void tick();
    using StepRun::requestStop;
    // The title dialog's Close: the send is abandoned at once.
    void close();

    int pagesSent() const { return commandsSent(); }
    std::chrono::milliseconds nextInterval() const { return kTitleAllPagesInterval; }
    std::chrono::milliseconds timeLeft() const;

  private:
    void finish(RunEnd how);
};

} // namespace tlx
