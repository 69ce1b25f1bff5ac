#include "runs/attribute_pages_run.h"

#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"

namespace tlx {

namespace {

constexpr int kAllPages = static_cast<int>(kPages);

} // namespace

AttributePagesRun::AttributePagesRun(AppState& s, Host& host, Transport& transport,
                                     std::function<std::string(std::size_t)> pageCommand,
                                     std::chrono::milliseconds interval)
    : PagesRunBase(s, host, transport), pageCommand_(std::move(pageCommand)), interval_(interval) {}

RunStart AttributePagesRun::start() {
    if (running_) {
        return RunStart::Busy;
    }
    return begin();
}

void AttributePagesRun::tick() {
    if (!running_) {
        return;
    }
    const std::int32_t busyStep = state_.model.busyStep;
    if (busyStep <= 0) {
        // Another part of the program took the counter back: nothing of ours
        // is running any more.
        running_ = false;
        end_ = RunEnd::Cancelled;
        progress_.reset(kBlankPercent);
        return;
    }
    if (busyStep > kAllPages) {
        // The no-answer rule pushed the counter past the end.
        finish(RunEnd::CutShort);
        return;
    }
    // A refusal that came in on the serial link since the last tick stops the
    // run before another page goes out.
    if (state_.link.abortFlag) {
        finish(RunEnd::Stopped);
        return;
    }
    if (!linkReady(state_)) {
        host_.warning(kMsgNotConnected);
        finish(RunEnd::Stopped);
        return;
    }

    const int page = busyStep;
    sendCommand(state_, host_, transport_, pageCommand_(static_cast<std::size_t>(page - 1)));
    ++pagesSent_;
    progress_.percent = std::to_string(page * 100 / kAllPages);
    progress_.stepBars();
    // The no-answer rule may have moved the counter while the send waited.
    if (state_.model.busyStep == page) {
        state_.model.busyStep = page + 1;
    }
    if (state_.model.busyStep > kAllPages || state_.link.abortFlag) {
        finish(state_.link.abortFlag ? RunEnd::Stopped
                                     : (page >= kAllPages ? RunEnd::Completed : RunEnd::CutShort));
    }
}

void AttributePagesRun::abandon() {
    if (running_) {
        state_.model.busyStep = 0;
        running_ = false;
        end_ = RunEnd::Cancelled;
        progress_.reset(kBlankPercent);
    }
}

} // namespace tlx
