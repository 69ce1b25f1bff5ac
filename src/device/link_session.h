#pragma once

#include "device/device_bus.h"
#include "protocol/line_framer.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tlx::device {

// What a broken line or a confused device does to a reply.
enum class ReplyFault : std::uint8_t {
    Garbage,   // binary bytes (and CR LF) in place of the reply
    Prefix,    // binary bytes in front of the reply, on its line
    NoLineEnd, // the reply without its LF
    Endless,   // in place of the reply, bytes without LF that never stop
    Xoff,      // a lone XOFF byte in place of the reply
};

// Faults a link can be told to show. Lines are counted from 1.
struct FaultPlan {
    std::int64_t silentAfter = -1; // lines after this one are neither carried out nor answered
    std::map<std::int64_t, std::string> replyAt; // line -> text answered instead
    std::map<std::int64_t, ReplyFault> faultAt;  // line -> what becomes of its reply
    std::int64_t dropAfter = -1; // a connection closes once it has answered this many lines
};

// The bytes that replace reply (a whole line with its CR LF) under the fault;
// for Endless, the piece that is sent again and again.
std::string faultyReply(ReplyFault fault, const std::string& reply);

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
        std::string endless; // after the replies, send this again and again
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
