#include "runs/attribute_pages_run.h"

#include "protocol/app_state.h"
#include "protocol/protocol.h"

namespace tlx {

namespace {

constexpr int kAllPages = static_cast<int>(kPages);

} // namespace

AttributePagesRun::AttributePagesRun(AppState& s, Host& host, Transport& transport,
                                     std::function<std::string(std::size_t)> pageCommand,
                                     std::chrono::milliseconds interval)
    : StepRun(s, host, transport, kAllPages), pageCommand_(std::move(pageCommand)),
      interval_(interval) {}

RunStart AttributePagesRun::start() {
    const RunStart r = begin();
    if (r == RunStart::Started) {
        restartProgress();
    }
    return r;
}

std::chrono::milliseconds AttributePagesRun::timeLeft() const {
    return StepRun::timeLeft(interval_, kAllPages);
}

void AttributePagesRun::tick() {
    if (!running_) {
        return;
    }
    // Every end blanks the percentage and empties the bar.
    if (counterTaken()) {
        progress_.reset(kBlankPercent);
        return;
    }
    if (state_.model.busyStep > kAllPages) {
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
    if (linkLost()) {
        progress_.reset(kBlankPercent);
        return;
    }

    const int page = state_.model.busyStep;
    sendCommand(state_, host_, transport_, pageCommand_(static_cast<std::size_t>(page - 1)));
    ++commandsSent_;
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
        release(RunEnd::Cancelled);
        progress_.reset(kBlankPercent);
    }
}

} // namespace tlx
