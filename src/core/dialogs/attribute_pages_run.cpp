#include "dialogs/attribute_pages_run.h"

#include "app/app_state.h"
#include "app/host.h"
#include "link/protocol.h"

namespace tlx {

namespace {

constexpr int kAllPages = static_cast<int>(kPages);

} // namespace

AttributePagesRun::AttributePagesRun(AppState& s, Host& host, Transport& transport,
                                     std::function<std::string(std::size_t)> pageCommand,
                                     std::chrono::milliseconds interval)
    : state_(s), host_(host), transport_(transport), pageCommand_(std::move(pageCommand)),
      interval_(interval) {
    progress_.barMax = kAllPages;
}

RunStart AttributePagesRun::start() {
    if (running_) {
        return RunStart::Busy;
    }
    if (const RunStart r = claimBusyStep(state_, host_); r != RunStart::Started) {
        return r;
    }
    progress_ = RunProgress{};
    progress_.barMax = kAllPages;
    running_ = true;
    end_ = RunEnd::None;
    pagesSent_ = 0;
    return RunStart::Started;
}

void AttributePagesRun::finish(RunEnd how) {
    state_.model.busyStep = 0;
    state_.link.abortFlag = false;
    running_ = false;
    end_ = how;
    progress_.reset(kBlankPercent);
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

std::chrono::milliseconds AttributePagesRun::timeLeft() const {
    if (!running_) {
        return std::chrono::milliseconds{0};
    }
    return Pacing{interval_, {}}.timeLeft(state_.model.busyStep, kAllPages);
}

} // namespace tlx
