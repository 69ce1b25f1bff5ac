#pragma once

#include "protocol/forward.h"
#include "runs/paced_run.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace tlx {

// An attribute's "全設定" over all 512 pages: one page command per tick,
// paced by the timer alone on the serial link (over TCP/IP each send also
// waits for its answer). busyStep is the page to send next. The percentage
// is the page number x 100 / 512 in whole per cent; at the end it is blanked
// with two spaces and the bar goes back to 0.
class AttributePagesRun : public StepRun {
  public:
    // pageCommand builds the command of a page index (0..511), CR LF included,
    // from the model as it is at that tick.
    AttributePagesRun(AppState& s, Host& host, Transport& transport,
                      std::function<std::string(std::size_t)> pageCommand,
                      std::chrono::milliseconds interval);

    // After the operator's confirmation (confirmNotAutoSwitching): checks the
    // link and that no other transfer runs.
    RunStart start();
    void tick();
    // The dialog went away while the run was going: busyStep is released.
    void abandon();

    std::chrono::milliseconds interval() const { return interval_; }
    std::chrono::milliseconds timeLeft() const;

    static constexpr std::string_view kBlankPercent = "  ";

  private:
    void finish(RunEnd how) { StepRun::finish(how, kBlankPercent); }

    std::function<std::string(std::size_t)> pageCommand_;
    std::chrono::milliseconds interval_;
};

} // namespace tlx
