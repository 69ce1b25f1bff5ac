#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace tlx {

class Host;

// Asked before every long transfer to or from the device.
inline constexpr std::string_view kMsgConfirmNotAutoSwitching =
    "本機が自動切換えでない事を確認してください";
inline constexpr std::string_view kCaptionConfirmDevice = "本機の確認";

// Asks the operator to confirm that the device is not switching pages on its
// own; false on No.
bool confirmNotAutoSwitching(Host& host);

// Asked before Close abandons a running transfer.
inline constexpr std::string_view kMsgConfirmStopTransfer = "転送を中止しますか？";

// True when the operator lets Close abandon the transfer; `caption` is the
// dialog's own title.
bool confirmStopTransfer(Host& host, std::string_view caption);

// What a transfer shows while it runs: the progress bar (0..barMax), the
// activity bar that wraps at activityMax, and the percentage text.
struct RunProgress {
    static constexpr int activityMax = 20;

    int bar = 0;
    int barMax = 0;
    int activity = 0;
    std::string percent;

    // One step done: both bars move on, the activity bar wrapping to 0.
    void stepBars();
    // The end of a run: both bars back to 0, the percentage replaced by blank.
    void reset(std::string_view blank);
};

// " 00.00": the share of step in total to two decimals, for the read-all and
// send-all runs. 100 % and beyond read "100.00".
std::string percentHundredths(int step, int total);

// "m:ss", whole seconds rounded up.
std::string minutesSeconds(std::chrono::milliseconds d);

// "残り m:ss": the time a run still needs, shown beside its percentage.
std::string timeLeftText(std::chrono::milliseconds left);

// " 00.0": the share of step in 512 pages to one decimal, for the all-pages
// title send. 100 % and beyond read "100.0".
std::string percentTenthsOfPages(int step);

} // namespace tlx
