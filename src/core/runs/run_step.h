#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>

#include "protocol/replies.h"

namespace tlx {

// What one step of a paced run does.
struct RunStep {
    enum class Kind {
        Idle,            // nothing (a step past the table, or a step that only passes)
        Send,            // send line
        Pace,            // the timer interval becomes interval from now on
        TitleRefused,    // a title page failed the code check: nothing sent, the run stops
        HoldTimeRefused, // the alarm hold time is below 3 s: nothing sent, the run goes on
    };

    Kind kind = Kind::Idle;
    std::string line; // with CR LF, for Send
    std::chrono::milliseconds interval{0};
    Reply answer = Reply::GO; // for Send: the only reply that completes the step

    static RunStep send(std::string l) { return {Kind::Send, std::move(l), {}}; }
    static RunStep read(std::string l, Reply kind) { return {Kind::Send, std::move(l), {}, kind}; }
    static RunStep pace(std::chrono::milliseconds ms) { return {Kind::Pace, {}, ms}; }
};

// At `step`, which sends nothing, the timer's interval becomes `interval`.
struct PaceChange {
    int step;
    std::chrono::milliseconds interval;
};

// How a run's timer is paced: the interval before its first step and the
// steps that change it.
struct Pacing {
    std::chrono::milliseconds first{0};
    std::span<const PaceChange> changes;

    std::optional<std::chrono::milliseconds> changeAt(int step) const;
    // The time the timer alone needs for steps next..last; a device that
    // answers late only adds to it.
    std::chrono::milliseconds timeLeft(int next, int last) const;
    // The same for a run that performs only `steps` (ascending, each change
    // of pace before the last of them included), from step `next` on.
    std::chrono::milliseconds timeLeft(std::span<const int> steps, int next) const;
};

} // namespace tlx
