#include "device/link_session.h"

namespace tlx::device {

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
        if (!reply_.empty()) {
            out.replies.push_back(reply_);
        }
    }
    if (plan_.dropAfter >= 0 && connectionLines_ >= plan_.dropAfter) {
        closing_ = true;
        out.close = true;
    }
}

} // namespace tlx::device
