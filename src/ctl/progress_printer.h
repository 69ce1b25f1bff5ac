#pragma once

#include <chrono>
#include <string>

namespace tlx::ctl {

// Progress on stderr: a redrawn bar on a terminal, a line every few seconds
// otherwise.
class ProgressPrinter {
public:
    explicit ProgressPrinter(std::string what);
    // detail, when given, replaces the "done/total steps" count.
    void update(int done, int total, const std::string& detail = {});
    void finish();

private:
    using Clock = std::chrono::steady_clock;
    std::string what_;
    bool terminal_;
    Clock::time_point start_;
    Clock::time_point lastLine_;
    Clock::time_point lastDraw_;
    bool drawn_ = false;
};

// "m:ss" or "h:mm:ss".
std::string formatDuration(std::chrono::seconds s);

} // namespace tlx::ctl
