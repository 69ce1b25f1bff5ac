#include "runs/device_network_read_run.h"

#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"

#include <algorithm>
#include <array>
#include <string>

namespace tlx {

namespace {

using std::chrono::milliseconds;

constexpr std::array<std::string_view, 1> kVersionRequests{"RVN"};
constexpr std::array kVersionReplies{Reply::VN};
constexpr std::array<std::string_view, 10> kNetworkRequests{"REAA", "REGA", "REIA", "RECT", "REKA",
                                                            "REPN", "RESM", "RETR", "REMA", "RVN"};
constexpr std::array kNetworkReplies{Reply::EAA, Reply::EGA, Reply::EIA, Reply::ECT, Reply::EKA,
                                     Reply::EPN, Reply::ESM, Reply::ETR, Reply::EMA, Reply::VN};

} // namespace

// Four ticks: the version answer has three tick periods to arrive.
constexpr ReadBackDescriptor kVersionRead{kVersionRequests, kVersionReplies, 5, milliseconds{200},
                                          false, 0};
// One tick after the tenth request, which leaves a period for its answer.
constexpr ReadBackDescriptor kNetworkReadBack{kNetworkRequests, kNetworkReplies, 12,
                                              milliseconds{200}, true, 11};

ReadBackRun::ReadBackRun(const ReadBackDescriptor& d, AppState& state, Host& host,
                         Transport& transport)
    : StepRun(state, host, transport, d.progressMax), d_(d) {}

bool ReadBackRun::start() {
    if (running_) {
        return false;
    }
    if (state_.model.busyStep != 0) {
        refuseWhileBusy(host_);
        return false;
    }
    state_.model.busyStep = 1;
    running_ = true;
    return true;
}

ReadBackTick ReadBackRun::stop(ReadBackTick how) {
    state_.link.answers = AnswerCheck{};
    release(how == ReadBackTick::Completed ? RunEnd::Completed : RunEnd::Stopped);
    if (how == ReadBackTick::Completed) {
        progress_.bar = 0;
    }
    return how;
}

ReadBackTick ReadBackRun::tick() {
    if (!running_) {
        return ReadBackTick::Stopped;
    }
    if (refused()) {
        return stop(ReadBackTick::Stopped);
    }
    if (counterTaken()) {
        return ReadBackTick::Stopped;
    }
    std::int32_t& busyStep = state_.model.busyStep;
    const auto requests = static_cast<int>(d_.requests.size());
    // The previous request's answer is in by now (a serial one within the
    // no-answer time, a socket one inside the send).
    if (answeredWrongly(std::min(busyStep - 1, requests))) {
        return stop(ReadBackTick::Stopped);
    }
    if (busyStep <= requests) {
        const auto n = static_cast<std::size_t>(busyStep - 1);
        std::string line(d_.requests[n]);
        line += "\r\n";
        AnswerCheck& answers = state_.link.answers;
        answers = AnswerCheck{};
        answers.active = true;
        answers.expect(d_.replies[n]);
        sendCommand(state_, host_, transport_, line);
        ++commandsSent_;
        if (answeredWrongly(busyStep)) {
            return stop(ReadBackTick::Stopped);
        }
    }
    progress_.stepBars();
    // Over TCP/IP the answer came inside the send and may have moved busyStep
    // on (the version answer of old firmware); the step counts from there.
    ++busyStep;
    if (busyStep >= d_.endStep) {
        return stop(ReadBackTick::Completed);
    }
    return ReadBackTick::Continue;
}

bool ReadBackRun::answeredWrongly(int request) {
    if (!state_.link.answers.unexpected) {
        return false;
    }
    host_.error(unexpectedAnswerMessage(request));
    return true;
}

void ReadBackRun::close() {
    if (running_) {
        state_.link.answers = AnswerCheck{};
        release(RunEnd::Cancelled);
    }
}

} // namespace tlx
