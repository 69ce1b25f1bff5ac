#include "protocol/traffic_log.h"

#include <array>
#include <cstdio>

#include "base/codecs.h"
#include "settings/title_code.h"
#include "settings/title_encoder.h"

namespace tlx {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view withoutLineEnd(std::string_view s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

// An RS-485 line starts with the two address characters ("00".."31", or "FF"
// for broadcast).
bool hasAddress(std::string_view s) {
    return s.size() >= 2 && ((isDigit(s[0]) && isDigit(s[1])) || s.substr(0, 2) == "FF");
}

bool isTitleCommand(std::string_view s) {
    return s.size() >= 5 && s.substr(0, 2) == "CA" && isDigit(s[2]) && isDigit(s[3]) &&
           isDigit(s[4]);
}

bool isHex(char c) { return isDigit(c) || (c >= 'A' && c <= 'F'); }

} // namespace

void TrafficRing::push(TrafficLine line) {
    if (lines_.size() < capacity_) {
        lines_.push_back(std::move(line));
        return;
    }
    lines_[head_] = std::move(line);
    head_ = (head_ + 1) % capacity_;
}

void TrafficRing::clear() {
    lines_.clear();
    head_ = 0;
}

std::uint16_t TrafficLog::linkIndex(std::string_view link) {
    for (std::size_t i = 0; i < links_.size(); ++i) {
        if (links_[i] == link) {
            return static_cast<std::uint16_t>(i);
        }
    }
    // A link seen for the first time; a week of reconnecting clients stays
    // far below the index's range, and the last one takes any excess.
    if (links_.size() < 0xFFFF) {
        links_.emplace_back(link);
    }
    return static_cast<std::uint16_t>(links_.size() - 1);
}

std::string_view TrafficLog::linkName(std::uint16_t link) const {
    return link < links_.size() ? std::string_view(links_[link]) : std::string_view{};
}

void TrafficLog::add(TrafficLine line) {
    line.number = ++recorded_;
    if (sink_) {
        sink_(line);
    }
    if (keep_) {
        ring_.push(std::move(line));
    }
}

void TrafficLog::record(TrafficDirection direction, std::string_view link, std::string_view bytes,
                        const TrafficStamp& now) {
    const std::uint16_t index = linkIndex(link);
    framers_[{index, direction}].pushEach(bytes, [&](std::string_view text) {
        TrafficLine line;
        line.time = now;
        line.direction = direction;
        line.mark = trafficMarkOf(direction, text);
        line.link = index;
        line.bytes.assign(text);
        add(std::move(line));
    });
}

void TrafficLog::event(std::string_view link, std::string_view text, const TrafficStamp& now) {
    TrafficLine line;
    line.time = now;
    line.direction = TrafficDirection::Event;
    line.mark = TrafficMark::NoAnswer;
    line.link = linkIndex(link);
    line.bytes.assign(text);
    add(std::move(line));
}

TrafficMark trafficMarkOf(TrafficDirection direction, std::string_view bytes) {
    if (direction == TrafficDirection::Event) {
        return TrafficMark::NoAnswer;
    }
    if (direction != TrafficDirection::Received) {
        return TrafficMark::None;
    }
    const std::string_view body = withoutLineEnd(bytes);
    auto refusal = [](std::string_view s) {
        return s == "GN" || s == "MENU" ||
               (s.size() == 2 && s[0] == 'E' && s[1] >= '0' && s[1] <= '3');
    };
    if (refusal(body) || (hasAddress(body) && refusal(body.substr(2)))) {
        return TrafficMark::ErrorReply;
    }
    return TrafficMark::None;
}

std::optional<std::string> trafficTitleText(std::string_view bytes) {
    std::string_view s = withoutLineEnd(bytes);
    if (!isTitleCommand(s) && hasAddress(s)) {
        s.remove_prefix(2);
    }
    if (!isTitleCommand(s) || s.substr(0, 4) == "CABC") {
        return std::nullopt;
    }
    s.remove_prefix(5);
    if (s.size() >= 3 && s[0] == 'L' && isDigit(s[1]) && isDigit(s[2])) {
        s.remove_prefix(3);
    }
    if (s.empty() || s.size() % 4 != 0) {
        return std::nullopt;
    }
    std::string stored;
    stored.reserve(s.size() / 2);
    for (std::size_t at = 0; at < s.size(); at += 4) {
        for (std::size_t k = 0; k < 4; ++k) {
            if (!isHex(s[at + k])) {
                return std::nullopt;
            }
        }
        const auto wire =
            static_cast<std::uint16_t>(decodeHexByte(s, at) << 8 | decodeHexByte(s, at + 2));
        const std::uint16_t v = titleStoredValue(wire);
        if (v == 0) {
            break; // no Shift-JIS equivalent: the device's text ends here too
        }
        stored += static_cast<char>(v >> 8);
        stored += static_cast<char>(v & 0xFFu);
    }
    std::string text = titleDisplayText(stored);
    while (text.size() >= 2 && text.size() % 2 == 0 &&
           static_cast<unsigned char>(text[text.size() - 2]) == (kSjisSpace >> 8) &&
           static_cast<unsigned char>(text.back()) == (kSjisSpace & 0xFFu)) {
        text.resize(text.size() - 2);
    }
    return text;
}

std::string formatTrafficTime(const TrafficStamp& t) {
    std::array<char, 40> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d %02d:%02d:%02d.%03d",
                                t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
    return {buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0};
}

std::string escapeTrafficBytes(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() + 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b <= 0x7E && b != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        }
    }
    return out;
}

std::string_view trafficMarkText(TrafficMark mark) {
    switch (mark) {
    case TrafficMark::None:
        return {};
    case TrafficMark::ErrorReply:
        return "** error reply";
    case TrafficMark::NoAnswer:
        return "** no answer";
    }
    return {};
}

std::string formatTrafficLine(const TrafficLine& line, std::string_view link,
                              const SjisToUtf8& toUtf8) {
    static constexpr std::array<char, 3> kDirection = {'>', '<', '!'};
    std::string out = formatTrafficTime(line.time);
    out += ' ';
    out += kDirection[static_cast<std::size_t>(line.direction)];
    out += ' ';
    out += link;
    out += "  ";
    if (line.direction == TrafficDirection::Event) {
        out += line.bytes;
    } else {
        out += escapeTrafficBytes(line.bytes);
        if (toUtf8) {
            if (const auto title = trafficTitleText(line.bytes)) {
                out += "  title \"";
                out += toUtf8(*title);
                out += '"';
            }
        }
    }
    if (line.mark != TrafficMark::None) {
        out += "  ";
        out += trafficMarkText(line.mark);
    }
    return out;
}

bool trafficLineMatches(const TrafficLog& log, const TrafficLine& line, std::string_view filter) {
    return filter.empty() || line.bytes.find(filter) != std::string::npos ||
           log.linkName(line.link).find(filter) != std::string_view::npos ||
           trafficMarkText(line.mark).find(filter) != std::string_view::npos;
}

} // namespace tlx
