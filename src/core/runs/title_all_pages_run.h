#pragma once

#include "runs/paced_run.h"
#include "runs/run_progress.h"

#include <chrono>

namespace tlx {

struct AppState;
class Host;
class Transport;

inline constexpr std::chrono::milliseconds kTitleAllPagesInterval{300};

// Sends the title of all 512 pages, one page per tick. The ticks do not wait
// for the device's answers: the timer alone paces them, and a refusal stops
// the run at the next tick.
class TitleAllPagesRun : public PagesRunBase {
  public:
    TitleAllPagesRun(AppState& s, Host& host, Transport& transport);

    RunStart start();
    void tick();
    void requestStop() { stopRequested_ = true; }
    // The title dialog's Close: the send is abandoned at once.
    void close();

    std::chrono::milliseconds nextInterval() const { return kTitleAllPagesInterval; }
    std::chrono::milliseconds timeLeft() const {
        return PagesRunBase::timeLeft(kTitleAllPagesInterval);
    }

  private:
    void finish(RunEnd how);

    bool stopRequested_ = false;
};

} // namespace tlx
