#include "runs/schedule_run.h"

#include "base/codecs.h"
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
    : StepRun(s, host, transport, kScheduleRunEnd) {}

std::chrono::milliseconds ScheduleRun::interval() const {
    return std::chrono::milliseconds{state_.product == Product::S ? 200 : 100};
}

RunStart ScheduleRun::start() {
    const RunStart r = begin();
    if (r == RunStart::Started) {
        progress_.bar = 0; // the percentage stays until the first day
    }
    return r;
}

ScheduleTick ScheduleRun::tick() {
    if (!running_) {
        return ScheduleTick::Stopped;
    }
    // The bar and the percentage keep showing how far a stopped run came.
    if (refused()) {
        release(RunEnd::Stopped);
        return ScheduleTick::Stopped;
    }
    if (counterTaken()) {
        return ScheduleTick::Stopped;
    }
    std::int32_t& busyStep = state_.model.busyStep;
    const int step = busyStep;
    if (step < kScheduleRunEnd) {
        if (linkLost()) {
            return ScheduleTick::Stopped;
        }
        sendCommand(state_, host_, transport_, scheduleDayCommand(state_.model, step));
        ++commandsSent_;
        progress_.percent = std::to_string(step * 100 / kScheduleRunEnd);
        progress_.stepBars();
    }
    ++busyStep;
    if (busyStep >= kScheduleRunEnd) {
        // All 31 days, or pushed past the end by the no-answer rule.
        release(RunEnd::Completed);
        progress_.reset(kScheduleBlankPercent);
        return ScheduleTick::Completed;
    }
    return ScheduleTick::Continue;
}

std::chrono::milliseconds ScheduleRun::timeLeft() const {
    return StepRun::timeLeft(interval(), kScheduleRunEnd - 1);
}

} // namespace tlx
