#include "model/run_progress.h"

#include "app/host.h"

namespace tlx {

bool confirmNotAutoSwitching(Host& host) {
    return host.askYesNo(kMsgConfirmNotAutoSwitching, kCaptionConfirmDevice);
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
