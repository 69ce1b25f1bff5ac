#pragma once

#include "device/device_bus.h"
#include "link/line_framer.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tlx::device {

// Faults a link can be told to show. Lines are counted from 1.
struct FaultPlan {
    std::int64_t silentAfter = -1; // lines after this one are neither carried out nor answered
    std::map<std::int64_t, std::string> replyAt; // line -> text answered instead
    std::int64_t dropAfter = -1; // a connection closes once it has answered this many lines
};

// Line count of one link end point, kept across its connections.
struct LinkCounters {
    std::int64_t lines = 0;
};

// One connection of a link: assembles received bytes into lines (never
// holding more than one line's worth of bytes), hands them to the bus and
// collects what is to be sent back.
class LinkSession {
  public:
    LinkSession(DeviceBus& bus, const FaultPlan& plan, LinkCounters& counters);

    struct Output {
        std::vector<std::string> replies; // each a whole reply line with its CR LF
        bool close = false;               // close the connection after the replies
    };

    using LineTap = std::function<void(std::string_view line)>;

    // Feeds received bytes; appends to out. Once a close is due the rest of
    // the bytes are ignored.
    void receive(std::string_view bytes, Output& out, const LineTap& tap = {});

    bool closing() const { return closing_; }
    std::int64_t connectionLines() const { return connectionLines_; }

  private:
    void line(std::string_view text, Output& out, const LineTap& tap);

    DeviceBus& bus_;
    const FaultPlan& plan_;
    LinkCounters& counters_;
    LineFramer framer_;
    std::int64_t connectionLines_ = 0;
    bool closing_ = false;
    std::string reply_;
};

} // namespace tlx::device
