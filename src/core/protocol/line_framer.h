#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

// Bytes in, complete LF-terminated lines out. A line longer than the limit is
// cut: its first kMaxLineChars characters are kept, the rest up to the LF is
// dropped, and the line is delivered with the LF that ends it, so the stream
// stays in step with the device's lines.
class LineFramer {
public:
    static constexpr std::size_t kMaxLineChars = 1199;

    // Appends bytes and returns every line completed by them, each ending in
    // LF (and normally CR LF).
    std::vector<std::string> push(std::string_view bytes);

    // Calls fn(line) for every completed line without collecting them.
    template <typename Fn> void pushEach(std::string_view bytes, Fn&& fn) {
        for (char c : bytes) {
            if (c == '\n') {
                pending_.push_back('\n');
                fn(std::string_view(pending_));
                pending_.clear();
                truncated_ = false;
            } else if (pending_.size() < kMaxLineChars) {
                pending_.push_back(c);
            } else {
                truncated_ = true;
            }
        }
    }

    bool hasPartial() const { return !pending_.empty() || truncated_; }
    std::string_view partial() const { return pending_; }
    bool lastLineTruncated() const { return truncated_; }
    void clear() {
        pending_.clear();
        truncated_ = false;
    }

private:
    std::string pending_;
    bool truncated_ = false;
};

} // namespace tlx
