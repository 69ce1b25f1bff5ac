#include "progress_printer.h"

#include <cstdio>
#include <unistd.h>

namespace tlx::ctl {

std::string formatDuration(std::chrono::seconds s) {
    const long long total = s.count() < 0 ? 0 : s.count();
    char buf[32];
    if (total >= 3600) {
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    } else {
        std::snprintf(buf, sizeof buf, "%lld:%02lld", total / 60, total % 60);
    }
    return buf;
}

ProgressPrinter::ProgressPrinter(std::string what)
    : what_(std::move(what)), terminal_(::isatty(STDERR_FILENO) == 1), start_(Clock::now()),
      lastLine_(start_), lastDraw_(start_) {}

void ProgressPrinter::update(int done, int total, const std::string& detail) {
    const auto now = Clock::now();
    if (total <= 0) {
        return;
    }
    if (done > total) {
        done = total;
    }
    const double share = static_cast<double>(done) / total;
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - start_);
    const auto left = done > 0 ? std::chrono::seconds(static_cast<long long>(
                                     static_cast<double>(elapsed.count()) * (total - done) / done))
                               : std::chrono::seconds(0);
    const std::string count =
        detail.empty() ? std::to_string(done) + "/" + std::to_string(total) + " steps" : detail;
    if (terminal_) {
        if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100) && done < total) {
            return;
        }
        constexpr int width = 30;
        const int filled = static_cast<int>(share * width);
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(width - filled), '.');
        std::fprintf(stderr, "\r%s [%s] %5.1f%% %s, %s left ", what_.c_str(), bar.c_str(),
                     share * 100.0, count.c_str(), formatDuration(left).c_str());
        std::fflush(stderr);
        lastDraw_ = now;
        drawn_ = true;
    } else if (now - lastLine_ >= std::chrono::seconds(5)) {
        std::fprintf(stderr, "%s: %5.1f%% (%s, %s left)\n", what_.c_str(), share * 100.0,
                     count.c_str(), formatDuration(left).c_str());
        lastLine_ = now;
    }
}

void ProgressPrinter::finish() {
    if (terminal_ && drawn_) {
        std::fprintf(stderr, "\n");
    }
    drawn_ = false;
}

} // namespace tlx::ctl
