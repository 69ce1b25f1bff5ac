#include "runs/paced_run.h"

#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/read_all_steps.h"
#include "runs/send_all_steps.h"
#include "settings/title_encoder.h"

#include <algorithm>

namespace tlx {

std::string unexpectedAnswerMessage(int step) {
    return "機器から予期しない応答がありました（ステップ " + std::to_string(step) + "）";
}

RunStart refuseWhileBusy(Host& host) {
    host.warning(kMsgOtherTransferRuns);
    return RunStart::Busy;
}

RunStart mayStart(AppState& s, Host& host) {
    if (!linkReady(s)) {
        host.warning(kMsgNotConnected);
        return RunStart::NotReady;
    }
    if (s.model.busyStep != 0) {
        return refuseWhileBusy(host);
    }
    return RunStart::Started;
}

StepRun::StepRun(AppState& s, Host& host, Transport& transport, int barMax)
    : state_(s), host_(host), transport_(transport) {
    progress_.barMax = barMax;
}

RunStart StepRun::begin(std::int32_t firstStep) {
    if (running_) {
        return RunStart::Busy;
    }
    if (const RunStart r = mayStart(state_, host_); r != RunStart::Started) {
        return r;
    }
    state_.link.abortFlag = false;
    state_.model.busyStep = firstStep;
    running_ = true;
    stopRequested_ = false;
    end_ = RunEnd::None;
    commandsSent_ = 0;
    return RunStart::Started;
}

void StepRun::restartProgress() {
    const int barMax = progress_.barMax;
    progress_ = RunProgress{};
    progress_.barMax = barMax;
}

void StepRun::release(RunEnd how) {
    state_.model.busyStep = 0;
    running_ = false;
    end_ = how;
}

void StepRun::finish(RunEnd how, std::string_view blank) {
    release(how);
    state_.link.abortFlag = false;
    progress_.reset(blank);
}

bool StepRun::refused() {
    if (!state_.link.abortFlag) {
        return false;
    }
    state_.link.abortFlag = false;
    return true;
}

bool StepRun::counterTaken() {
    if (state_.model.busyStep > 0) {
        return false;
    }
    running_ = false;
    end_ = RunEnd::Cancelled;
    return true;
}

bool StepRun::linkLost() {
    if (linkReady(state_)) {
        return false;
    }
    host_.warning(kMsgNotConnected);
    release(RunEnd::Stopped);
    return true;
}

std::chrono::milliseconds StepRun::timeLeft(std::chrono::milliseconds interval, int last) const {
    if (!running_) {
        return std::chrono::milliseconds{0};
    }
    return Pacing{interval, {}}.timeLeft(state_.model.busyStep, last);
}

PacedStepRun::PacedStepRun(AppState& s, Host& host, Transport& transport, Pacing pacing,
                           std::string_view blank)
    : StepRun(s, host, transport, s.traits().readAllSteps), total_(s.traits().readAllSteps),
      versionStep_(versionReadStep(s.product)), pacing_(pacing), blank_(blank),
      interval_(pacing.first) {}

RunStart PacedStepRun::start() {
    if (const RunStart r = begin(performedFrom(1)); r != RunStart::Started) {
        return r;
    }
    interval_ = pacing_.first;
    restartProgress();
    rejected_ = false;
    cutShort_ = false;
    lastPerformed_ = 0;
    lastTableStep_ = 0;
    expectedNext_ = state_.model.busyStep;
    failedStep_ = 0;
    state_.link.answers = AnswerCheck{};
    state_.link.answers.active = true;
    return RunStart::Started;
}

void PacedStepRun::finish(RunEnd end) {
    running_ = false;
    end_ = end;
    // The last answer of a serial run is still to come: keep judging lines
    // until checkLastAnswer() has looked at it.
    const AnswerCheck& answers = state_.link.answers;
    if (end != RunEnd::Completed || (answers.awaited == Reply::None && !answers.unexpected)) {
        state_.link.answers = AnswerCheck{};
    }
}

void PacedStepRun::checkLastAnswer() {
    AnswerCheck& answers = state_.link.answers;
    if (end_ == RunEnd::Completed && answers.active && !state_.link.awaitingAnswer) {
        if (answers.unexpected) {
            end_ = RunEnd::Unexpected;
            failedStep_ = lastPerformed_;
        } else if (answers.awaited != Reply::None) {
            end_ = RunEnd::CutShort;
        }
        answers = AnswerCheck{};
    }
}

void PacedStepRun::tick() {
    if (!running_) {
        return;
    }
    std::int32_t& busyStep = state_.model.busyStep;
    LinkState& link = state_.link;

    if (link.abortFlag || rejected_ || stopRequested_) {
        link.abortFlag = false;
        busyStep = 0;
        finish(rejected_ ? RunEnd::Rejected : stopRequested_ ? RunEnd::Cancelled : RunEnd::Stopped);
        return;
    }
    if (busyStep <= 0) {
        finish(RunEnd::Cancelled);
        return;
    }
    // Past the end without this run's doing: either the firmware's answer to
    // the version read, or the no-answer rule giving up on the device.
    if (busyStep != expectedNext_ && busyStep > total_ && lastPerformed_ != versionStep_) {
        cutShort_ = true;
    }
    if (link.awaitingAnswer) {
        return;
    }
    // A step is done only when its own reply came: garbage, another kind of
    // reply or a line cut for its length would leave its fields unread.
    const AnswerCheck& answers = link.answers;
    if (answers.unexpected || (answers.awaited != Reply::None && !cutShort_)) {
        busyStep = 0;
        failedStep_ = lastPerformed_;
        finish(RunEnd::Unexpected);
        return;
    }

    // A step this run leaves out (the firmware's answer may point at one)
    // costs no tick.
    if (busyStep <= total_ && performedFrom(busyStep) != busyStep) {
        busyStep = performedFrom(busyStep);
        expectedNext_ = busyStep;
    }
    const int step = busyStep;
    if (!perform(step)) {
        host_.warning(kMsgNotConnected);
        busyStep = 0;
        finish(RunEnd::Stopped);
        return;
    }
    if (!partial_) {
        progress_.percent = percentHundredths(step, total_);
    } else {
        const auto done = std::upper_bound(only_.begin(), only_.end(), step) - only_.begin();
        progress_.percent = percentHundredths(static_cast<int>(done), progress_.barMax);
    }
    progress_.stepBars();

    // Over TCP/IP the answer is applied inside sendCommand, so the version
    // answer may already have chosen the next step; it then counts as given,
    // exactly as a serial answer arriving before the next tick.
    int next = busyStep != step ? busyStep : step + 1;
    if (next <= total_) {
        next = performedFrom(next);
    }
    lastPerformed_ = step;
    if (step <= total_) {
        lastTableStep_ = step;
    }
    expectedNext_ = next;
    busyStep = next;
    if (next > total_) {
        busyStep = 0;
        finish(cutShort_ ? RunEnd::CutShort : RunEnd::Completed);
        progress_.reset(blank_);
    }
}

std::chrono::milliseconds PacedStepRun::timeLeft() const {
    if (!running_) {
        return std::chrono::milliseconds{0};
    }
    // A partial run waits only before the steps it performs.
    return partial_ ? pacing_.timeLeft(only_, state_.model.busyStep)
                    : pacing_.timeLeft(state_.model.busyStep, total_);
}

void PacedStepRun::close() {
    state_.model.busyStep = 0;
    state_.link.awaitingAnswer = false;
    state_.link.noAnswerTicks = 0;
    if (running_) {
        finish(RunEnd::Cancelled);
    }
}

void PacedStepRun::performOnly(std::vector<int> steps) {
    partial_ = true;
    only_ = std::move(steps);
    progress_.barMax = static_cast<int>(only_.size());
}

int PacedStepRun::performedFrom(int step) const {
    if (!partial_) {
        return step;
    }
    const auto it = std::lower_bound(only_.begin(), only_.end(), step);
    return it == only_.end() ? total_ + 1 : *it;
}

bool PacedStepRun::perform(int step) {
    if (step > total_) {
        return true;
    }
    RunStep r = stepAt(step);
    switch (r.kind) {
    case RunStep::Kind::Idle:
        break;
    case RunStep::Kind::Pace:
        interval_ = r.interval;
        break;
    case RunStep::Kind::Send:
        // A connection that dropped mid-run ends it with one warning instead
        // of one per remaining step.
        if (!linkReady(state_)) {
            return false;
        }
        state_.link.answers.expect(r.answer);
        sendCommand(state_, host_, transport_, r.line);
        if (state_.connection.interfaceKind != InterfaceKind::Tcp && !state_.link.awaitingAnswer) {
            state_.link.answers.awaited = Reply::None; // a broadcast: nobody answers
        }
        ++commandsSent_;
        break;
    case RunStep::Kind::TitleRefused:
        state_.link.abortFlag = true;
        rejected_ = true;
        // The title steps are the pages in order.
        host_.warning(
            titleRefusal(state_.model, state_.product, static_cast<std::size_t>(step - 1)));
        break;
    case RunStep::Kind::HoldTimeRefused:
        host_.error(kMsgHoldTimeTooShort);
        break;
    }
    return true;
}

} // namespace tlx
