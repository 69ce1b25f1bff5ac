#include "model/title_all_pages_run.h"

#include "app/app_state.h"
#include "app/host.h"
#include "link/protocol.h"
#include "model/title_send.h"

namespace tlx {

namespace {

constexpr int kAllPages = static_cast<int>(kPages);

} // namespace

TitleAllPagesRun::TitleAllPagesRun(AppState& s, Host& host, Transport& transport)
    : state_(s), host_(host), transport_(transport) {
    progress_.barMax = kAllPages;
}

RunStart TitleAllPagesRun::start() {
    if (const RunStart r = claimBusyStep(state_, host_); r != RunStart::Started) {
        return r;
    }
    progress_ = RunProgress{};
    progress_.barMax = kAllPages;
    running_ = true;
    stopRequested_ = false;
    end_ = RunEnd::None;
    pagesSent_ = 0;
    return RunStart::Started;
}

void TitleAllPagesRun::finish(RunEnd how) {
    state_.model.busyStep = 0;
    state_.link.abortFlag = false;
    running_ = false;
    end_ = how;
    // Model S blanks its shorter field with two spaces.
    progress_.reset(state_.product == Product::S ? "  " : "      ");
}

void TitleAllPagesRun::tick() {
    if (!running_) {
        return;
    }
    std::int32_t& busyStep = state_.model.busyStep;
    LinkState& link = state_.link;
    if (stopRequested_) {
        busyStep = 0;
        link.abortFlag = false;
        running_ = false;
        end_ = RunEnd::Cancelled;
        return;
    }
    if (link.abortFlag) {
        busyStep = 0;
        link.abortFlag = false;
        running_ = false;
        end_ = RunEnd::Stopped;
        return;
    }
    if (busyStep <= 0) {
        running_ = false;
        end_ = RunEnd::Cancelled;
        return;
    }
    if (busyStep > kAllPages) {
        finish(RunEnd::CutShort);
        return;
    }
    if (!linkReady(state_)) {
        host_.warning(kMsgNotConnected);
        busyStep = 0;
        running_ = false;
        end_ = RunEnd::Stopped;
        return;
    }

    const int page = busyStep;
    bool rejected = false;
    if (sendTitlePage(state_, host_, transport_, static_cast<std::size_t>(page - 1))) {
        ++pagesSent_;
    } else {
        link.abortFlag = true;
        rejected = true;
    }
    progress_.percent = percentTenthsOfPages(page);
    progress_.stepBars();
    busyStep = page + 1;
    if (rejected) {
        finish(RunEnd::Rejected);
    } else if (link.abortFlag) {
        // Over TCP/IP the refusal came with the answer inside the send.
        finish(RunEnd::Stopped);
    } else if (page >= kAllPages) {
        finish(RunEnd::Completed);
    }
}

void TitleAllPagesRun::close() {
    state_.model.busyStep = 0;
    if (running_) {
        running_ = false;
        end_ = RunEnd::Cancelled;
    }
}

std::chrono::milliseconds TitleAllPagesRun::timeLeft() const {
    if (!running_) {
        return std::chrono::milliseconds{0};
    }
    return Pacing{kTitleAllPagesInterval, {}}.timeLeft(state_.model.busyStep,
                                                       static_cast<int>(kPages));
}

} // namespace tlx
