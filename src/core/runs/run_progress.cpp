#include "runs/run_progress.h"

#include "base/host.h"
#include "runs/run_step.h"

namespace tlx {

bool confirmNotAutoSwitching(Host& host) {
    return host.askYesNo(kMsgConfirmNotAutoSwitching, kCaptionConfirmDevice);
}

bool confirmStopTransfer(Host& host, std::string_view caption) {
    return host.askYesNo(kMsgConfirmStopTransfer, caption);
}

std::optional<std::chrono::milliseconds> Pacing::changeAt(int step) const {
    for (const PaceChange& c : changes) {
        if (c.step == step) {
            return c.interval;
        }
    }
    return std::nullopt;
}

std::chrono::milliseconds Pacing::timeLeft(int next, int last) const {
    // Each step waits the interval in force before it; a change applies from
    // the step after the one that makes it.
    std::chrono::milliseconds total{0};
    std::chrono::milliseconds interval = first;
    int from = next < 1 ? 1 : next;
    for (const PaceChange& c : changes) {
        if (c.step >= from && from <= last) {
            const int until = c.step < last ? c.step : last;
            total += interval * (until - from + 1);
            from = until + 1;
        }
        if (c.step < from) {
            interval = c.interval;
        }
    }
    if (from <= last) {
        total += interval * (last - from + 1);
    }
    return total;
}

std::chrono::milliseconds Pacing::timeLeft(std::span<const int> steps, int next) const {
    std::chrono::milliseconds total{0};
    std::chrono::milliseconds interval = first;
    auto change = changes.begin();
    for (int step : steps) {
        for (; change != changes.end() && change->step < step; ++change) {
            interval = change->interval;
        }
        if (step >= next) {
            total += interval;
        }
    }
    return total;
}

void RunProgress::stepBars() {
    if (bar < barMax) {
        ++bar;
    }
    activity = activity < activityMax ? activity + 1 : 0;
}

void RunProgress::reset(std::string_view blank) {
    bar = 0;
    activity = 0;
    percent.assign(blank);
}

namespace {

char digit(int v) {
    return static_cast<char>('0' + v % 10);
}

} // namespace

std::string percentHundredths(int step, int total) {
    if (total <= 0 || step >= total) {
        return "100.00";
    }
    const int whole = step < 0 ? 0 : step * 100 / total;
    const int hundredths = step < 0 ? 0 : step * 10000 / total;
    std::string text = " 00.00";
    text[1] = digit(whole / 10);
    text[2] = digit(whole);
    text[4] = digit(hundredths / 10);
    text[5] = digit(hundredths);
    return text;
}

std::string minutesSeconds(std::chrono::milliseconds d) {
    const long long ms = d.count() < 0 ? 0 : d.count();
    const long long seconds = (ms + 999) / 1000;
    std::string text = std::to_string(seconds / 60) + ":";
    text += digit(static_cast<int>(seconds % 60 / 10));
    text += digit(static_cast<int>(seconds % 10));
    return text;
}

std::string timeLeftText(std::chrono::milliseconds left) {
    return "残り " + minutesSeconds(left);
}

std::string percentTenthsOfPages(int step) {
    constexpr int kAllPages = 512;
    if (step >= kAllPages) {
        return "100.0";
    }
    const int s = step < 0 ? 0 : step;
    std::string text = " 00.0";
    text[1] = digit(s * 100 / (kAllPages * 10));
    text[2] = digit(s * 100 / kAllPages);
    text[4] = digit(s * 1000 / kAllPages);
    return text;
}

} // namespace tlx
