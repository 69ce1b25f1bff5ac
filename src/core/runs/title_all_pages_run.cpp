#include "runs/title_all_pages_run.h"

#include "protocol/app_state.h"
#include "runs/title_send.h"

namespace tlx {

namespace {

constexpr int kAllPages = static_cast<int>(kPages);

} // namespace

TitleAllPagesRun::TitleAllPagesRun(AppState& s, Host& host, Transport& transport)
    : StepRun(s, host, transport, kAllPages) {}

RunStart TitleAllPagesRun::start() {
    const RunStart r = begin();
    if (r == RunStart::Started) {
        restartProgress();
    }
    return r;
}

void TitleAllPagesRun::finish(RunEnd how) {
    // Model S blanks its shorter field with two spaces.
    StepRun::finish(how, state_.product == Product::S ? "  " : "      ");
}

std::chrono::milliseconds TitleAllPagesRun::timeLeft() const {
    return StepRun::timeLeft(kTitleAllPagesInterval, kAllPages);
}

void TitleAllPagesRun::tick() {
    if (!running_) {
        return;
    }
    // A stop or a refusal leaves the bar showing how far the send came.
    if (stopRequested_ || state_.link.abortFlag) {
        state_.link.abortFlag = false;
        release(stopRequested_ ? RunEnd::Cancelled : RunEnd::Stopped);
        return;
    }
    if (counterTaken()) {
        return;
    }
    const int page = state_.model.busyStep;
    if (page > kAllPages) {
        finish(RunEnd::CutShort);
        return;
    }
    if (linkLost()) {
        return;
    }

    const bool sent = sendTitlePage(state_, host_, transport_, static_cast<std::size_t>(page - 1));
    if (sent) {
        ++commandsSent_;
    }
    progress_.percent = percentTenthsOfPages(page);
    progress_.stepBars();
    state_.model.busyStep = page + 1;
    if (!sent) {
        finish(RunEnd::Rejected);
    } else if (state_.link.abortFlag) {
        // Over TCP/IP the refusal came with the answer inside the send.
        finish(RunEnd::Stopped);
    } else if (page >= kAllPages) {
        finish(RunEnd::Completed);
    }
}

void TitleAllPagesRun::close() {
    state_.model.busyStep = 0;
    abandon();
}

} // namespace tlx
