#include "device/link_session.h"

namespace tlx::device {

std::string faultyReply(ReplyFault fault, const std::string& reply) {
    using namespace std::string_literals;
    switch (fault) {
    case ReplyFault::Garbage:
        return "\x00\x9F\xFE\x01\xFF\x7F\x80\x1B\r\n"s;
    case ReplyFault::Prefix:
        return "\xFE\x00\x1B"s + reply;
    case ReplyFault::NoLineEnd:
        return reply.ends_with('\n') ? reply.substr(0, reply.size() - 1) : reply;
    case ReplyFault::Endless:
        return std::string(64, 'X');
    case ReplyFault::Xoff:
        return "\x13";
    }
    return reply;
}

LinkSession::LinkSession(DeviceBus& bus, const FaultPlan& plan, LinkCounters& counters)
    : bus_(bus), plan_(plan), counters_(counters) {}

void LinkSession::receive(std::string_view bytes, Output& out, const LineTap& tap) {
    if (closing_) {
        return;
    }
    for (std::size_t i = 0; i < bytes.size() && !closing_; ++i) {
        // Feed up to and including the next LF, so that a close after line N
        // leaves the bytes behind it untouched.
        const std::size_t lf = bytes.find('\n', i);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        framer_.pushEach(bytes.substr(i, end - i),
                         [&](std::string_view text) { line(text, out, tap); });
        i = end - 1;
    }
}

void LinkSession::line(std::string_view text, Output& out, const LineTap& tap) {
    if (closing_) {
        return;
    }
    if (tap) {
        tap(text);
    }
    const std::int64_t n = ++counters_.lines;
    ++connectionLines_;
    if (plan_.silentAfter < 0 || n <= plan_.silentAfter) {
        const auto it = plan_.replyAt.find(n);
        reply_.clear();
        bus_.handleLine(text, framer_.lastLineTruncated(),
                        it == plan_.replyAt.end() ? nullptr : &it->second, reply_);
        const auto fault = plan_.faultAt.find(n);
        if (fault == plan_.faultAt.end()) {
            if (!reply_.empty()) {
                out.replies.push_back(reply_);
            }
        } else if (fault->second == ReplyFault::Endless) {
            out.endless = faultyReply(fault->second, reply_);
        } else {
            out.replies.push_back(faultyReply(fault->second, reply_));
        }
    }
    if (plan_.dropAfter >= 0 && connectionLines_ >= plan_.dropAfter) {
        closing_ = true;
        out.close = true;
    }
}

} // namespace tlx::device
