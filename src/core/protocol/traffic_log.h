#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/date_time.h"
#include "protocol/line_framer.h"

namespace tlx {

// What went over the wire, line by line, for the operator who asks "what
// exactly did the device get and say?". The links hand in raw chunks; the log
// frames them into lines per link and direction, keeps the newest lines in a
// bounded ring and passes each completed line to a sink (a trace file).

inline constexpr std::size_t kTrafficLogLines = 100000;

enum class TrafficDirection : std::uint8_t { Sent, Received, Event };

// Lines an operator looks for first.
enum class TrafficMark : std::uint8_t {
    None,
    ErrorReply, // "E0".."E3", "MENU", "GN"
    NoAnswer,   // "No Connect", or no answer on a socket
};

// Local wall-clock time, supplied by the platform side.
struct TrafficStamp : ClockTime {
    int millisecond = 0;
};

struct TrafficLine {
    std::uint64_t number = 0; // 1 for the first line ever recorded
    TrafficStamp time;
    TrafficDirection direction = TrafficDirection::Sent;
    TrafficMark mark = TrafficMark::None;
    std::uint16_t link = 0; // index into TrafficLog::linkName
    std::string bytes;      // the line as it went, with its line end; an event's text
};

// The newest lines, oldest first; the oldest is overwritten once full.
class TrafficRing {
public:
    explicit TrafficRing(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

    void push(TrafficLine line);
    void clear();
    std::size_t size() const { return lines_.size(); }
    std::size_t capacity() const { return capacity_; }
    bool empty() const { return lines_.empty(); }
    // i = 0 is the oldest line kept.
    const TrafficLine& at(std::size_t i) const { return lines_[(head_ + i) % lines_.size()]; }

private:
    std::size_t capacity_;
    std::size_t head_ = 0; // the oldest line once the ring has wrapped
    std::vector<TrafficLine> lines_;
};

class TrafficLog {
public:
    using Sink = std::function<void(const TrafficLine&)>;

    explicit TrafficLog(std::size_t capacity = kTrafficLogLines) : ring_(capacity) {}

    // Bytes as one link sent or received them: every line they complete is
    // recorded (a part line waits for the rest).
    void record(TrafficDirection direction, std::string_view link, std::string_view bytes,
                const TrafficStamp& now);
    // Something that is no traffic but explains it, such as "No Connect".
    void event(std::string_view link, std::string_view text, const TrafficStamp& now);

    void setSink(Sink sink) { sink_ = std::move(sink); }
    // A trace file may want every line without keeping any in memory.
    void setKeepLines(bool keep) { keep_ = keep; }
    void clear() { ring_.clear(); }

    const TrafficRing& lines() const { return ring_; }
    std::string_view linkName(std::uint16_t link) const;
    std::uint64_t recorded() const { return recorded_; }

private:
    std::uint16_t linkIndex(std::string_view link);
    void add(TrafficLine line);

    TrafficRing ring_;
    Sink sink_;
    bool keep_ = true;
    std::uint64_t recorded_ = 0;
    std::vector<std::string> links_;
    std::map<std::pair<std::uint16_t, TrafficDirection>, LineFramer> framers_;
};

// The mark a line earns: error replies (after an RS-485 address, if any).
TrafficMark trafficMarkOf(TrafficDirection direction, std::string_view bytes);

// A title line ("CA" + page [+ "L" + line] + wire codes) as Shift-JIS text,
// user glyphs shown as full-width spaces and trailing spaces dropped; nothing
// for any other line.
std::optional<std::string> trafficTitleText(std::string_view bytes);

// Shift-JIS to UTF-8, from the platform side.
using SjisToUtf8 = std::function<std::string(std::string_view sjis)>;

// One line of text, as the log window shows it and a trace file holds it:
// time to the millisecond, direction (">" sent, "<" received, "!" event),
// link, the bytes with every byte outside printable ASCII (and the backslash)
// as \xHH, the decoded title text and the mark.
std::string formatTrafficLine(const TrafficLine& line, std::string_view link,
                              const SjisToUtf8& toUtf8);
std::string formatTrafficTime(const TrafficStamp& t);
std::string escapeTrafficBytes(std::string_view bytes);
std::string_view trafficMarkText(TrafficMark mark);

// The log window's filter: the text occurs in the line's bytes, its link's
// name or its mark's text; an empty filter takes every line.
bool trafficLineMatches(const TrafficLog& log, const TrafficLine& line, std::string_view filter);

} // namespace tlx
