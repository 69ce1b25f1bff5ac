#include "runs/schedule_run.h"

#include "base/codecs.h"
#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"

namespace tlx {

std::string scheduleDayCommand(const SettingsModel& m, int dayNumber) {
    std::string line = "SD";
    line.reserve(174);
    append2(line, dayNumber);
    const auto d = static_cast<std::size_t>(dayNumber - 1);
    for (std::size_t e = 0; e < kScheduleEntries; ++e) {
        append2(line, m.scheduleHour[d][e]);
        append2(line, m.scheduleMinute[d][e]);
        const std::int32_t page = m.schedulePage[d][e];
        if (page == kPagePas) {
            line += "PAS";
        } else if (page >= 0 && page < kPagePas) {
            append3(line, page + 1);
        } else {
            line += "000";
        }
    }
    return line + "\r\n";
}

ScheduleRun::ScheduleRun(AppState& s, Host& host, Transport& transport)
    : state_(s), host_(host), transport_(transport) {}

std::chrono::milliseconds ScheduleRun::interval() const {
    return std::chrono::milliseconds{state_.product == Product::S ? 200 : 100};
}

RunStart ScheduleRun::start() {
    if (!linkReady(state_)) {
        host_.warning(kMsgNotConnected);
        return RunStart::NotReady;
    }
    if (running_) {
        return RunStart::Busy;
    }
    if (state_.model.busyStep != 0) {
        return refuseWhileBusy(host_);
    }
    // A refusal left over from an earlier single command would otherwise end
    // this run at its first tick, without a word to the operator.
    state_.link.abortFlag = false;
    state_.model.busyStep = 1;
    running_ = true;
    daysSent_ = 0;
    bar_ = 0;
    return RunStart::Started;
}

ScheduleTick ScheduleRun::stop() {
    running_ = false;
    state_.model.busyStep = 0;
    return ScheduleTick::Stopped;
}

ScheduleTick ScheduleRun::tick() {
    if (!running_) {
        return ScheduleTick::Stopped;
    }
    std::int32_t& busyStep = state_.model.busyStep;
    if (state_.link.abortFlag) {
        // The bar and the percentage keep showing how far it came.
        state_.link.abortFlag = false;
        return stop();
    }
    if (busyStep <= 0) {
        running_ = false;
        return ScheduleTick::Stopped;
    }
    const int step = busyStep;
    if (step < kScheduleRunEnd) {
        // A connection that dropped mid-run ends it with one warning instead
        // of one per remaining day.
        if (!linkReady(state_)) {
            host_.warning(kMsgNotConnected);
            return stop();
        }
        sendCommand(state_, host_, transport_, scheduleDayCommand(state_.model, step));
        ++daysSent_;
        percent_ = std::to_string(step * 100 / kScheduleRunEnd);
        if (bar_ < kScheduleRunEnd) {
            ++bar_;
        }
    }
    ++busyStep;
    if (busyStep >= kScheduleRunEnd) {
        // All 31 days, or pushed past the end by the no-answer rule.
        busyStep = 0;
        running_ = false;
        percent_ = std::string(kScheduleBlankPercent);
        bar_ = 0;
        return ScheduleTick::Completed;
    }
    return ScheduleTick::Continue;
}

void ScheduleRun::close() {
    if (running_) {
        running_ = false;
        state_.model.busyStep = 0;
    }
}

std::chrono::milliseconds ScheduleRun::timeLeft() const {
    if (!running_) {
        return std::chrono::milliseconds{0};
    }
    return Pacing{interval(), {}}.timeLeft(state_.model.busyStep, kScheduleRunEnd - 1);
}

} // namespace tlx
