#include "runs/title_all_pages_run.h"

#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/title_send.h"

namespace tlx {

namespace {

constexpr int kAllPages = static_cast<int>(kPages);

} // namespace

TitleAllPagesRun::TitleAllPagesRun(AppState& s, Host& host, Transport& transport)
    : PagesRunBase(s, host, transport) {}

RunStart TitleAllPagesRun::start() {
    const RunStart r = begin();
    if (r == RunStart::Started) {
        stopRequested_ = false;
    }
    return r;
}

void TitleAllPagesRun::finish(RunEnd how) {
    // Model S blanks its shorter field with two spaces.
    PagesRunBase::finish(how, state_.product == Product::S ? "  " : "      ");
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

} // namespace tlx
