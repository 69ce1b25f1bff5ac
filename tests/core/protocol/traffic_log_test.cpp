#include "protocol/traffic_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tlx {
namespace {

const TrafficStamp kNoon{{2026, 3, 4, 12, 5, 9}, 7};

std::string codes(const std::string& first, int spaces) {
    std::string s = first;
    for (int i = 0; i < spaces; ++i) {
        s += "2121";
    }
    return s;
}

TEST(TrafficLog, RingKeepsTheNewestLinesInOrder) {
    struct Case {
        std::size_t capacity;
        int pushed;
        std::size_t size;
        std::uint64_t oldest;
    };
    for (const Case c : {Case{3, 2, 2, 1}, Case{3, 3, 3, 1}, Case{3, 4, 3, 2}, Case{3, 10, 3, 8},
                         Case{kTrafficLogLines, 1000000, kTrafficLogLines, 900001}}) {
        TrafficLog log(c.capacity);
        for (int i = 0; i < c.pushed; ++i) {
            log.record(TrafficDirection::Sent, "tcp", "RVN\r\n", kNoon);
        }
        SCOPED_TRACE(c.pushed);
        ASSERT_EQ(log.lines().size(), c.size);
        EXPECT_EQ(log.lines().at(0).number, c.oldest);
        for (std::size_t i = 1; i < log.lines().size(); ++i) {
            EXPECT_EQ(log.lines().at(i).number, log.lines().at(i - 1).number + 1);
        }
        EXPECT_EQ(log.recorded(), static_cast<std::uint64_t>(c.pushed));
    }
}

TEST(TrafficLog, ChunksAreFramedPerLinkAndDirection) {
    TrafficLog log;
    std::vector<std::string> sunk;
    log.setSink([&](const TrafficLine& l) {
        sunk.push_back(std::string(log.linkName(l.link)) + "|" + l.bytes);
    });
    log.record(TrafficDirection::Received, "10.0.0.1:9004", "CB", kNoon);
    log.record(TrafficDirection::Received, "10.0.0.2:9004", "GO\r", kNoon);
    log.record(TrafficDirection::Sent, "10.0.0.1:9004", "RVN\r\n", kNoon);
    log.record(TrafficDirection::Received, "10.0.0.1:9004", "S0011\r\nVN2.00\r\nE", kNoon);
    log.record(TrafficDirection::Received, "10.0.0.2:9004", "\n", kNoon);
    EXPECT_EQ(sunk, (std::vector<std::string>{"10.0.0.1:9004|RVN\r\n", "10.0.0.1:9004|CBS0011\r\n",
                                              "10.0.0.1:9004|VN2.00\r\n", "10.0.0.2:9004|GO\r\n"}));
    EXPECT_EQ(log.lines().size(), 4u);
    log.clear();
    EXPECT_TRUE(log.lines().empty());

    // A trace file alone keeps nothing in memory.
    log.setKeepLines(false);
    log.record(TrafficDirection::Sent, "x", "RVN\r\n", kNoon);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(sunk.size(), 5u);
}

TEST(TrafficLog, ErrorRepliesAndSilenceAreMarked) {
    struct Case {
        TrafficDirection direction;
        const char* bytes;
        TrafficMark mark;
    };
    const auto in = TrafficDirection::Received;
    for (const Case c : {Case{in, "E0\r\n", TrafficMark::ErrorReply},
                         Case{in, "E3\r\n", TrafficMark::ErrorReply},
                         Case{in, "MENU\r\n", TrafficMark::ErrorReply},
                         Case{in, "GN\r\n", TrafficMark::ErrorReply},
                         Case{in, "05E1\r\n", TrafficMark::ErrorReply},
                         Case{in, "FFGN\r\n", TrafficMark::ErrorReply},
                         Case{in, "GO\r\n", TrafficMark::None},
                         Case{in, "E4\r\n", TrafficMark::None},
                         Case{in, "E3X\r\n", TrafficMark::None},
                         Case{in, "AXE3\r\n", TrafficMark::None},
                         Case{TrafficDirection::Sent, "E3\r\n", TrafficMark::None},
                         Case{TrafficDirection::Event, "No Connect", TrafficMark::NoAnswer}}) {
        EXPECT_EQ(trafficMarkOf(c.direction, c.bytes), c.mark) << c.bytes;
    }
    TrafficLog log;
    log.event("/dev/ttyS0", "No Connect", kNoon);
    EXPECT_EQ(log.lines().at(0).mark, TrafficMark::NoAnswer);
    EXPECT_EQ(formatTrafficLine(log.lines().at(0), "/dev/ttyS0", {}),
              "2026-03-04 12:05:09.007 ! /dev/ttyS0  No Connect  ** no answer");
    // The window's filter finds a line by its bytes, its link or its mark.
    const TrafficLine& line = log.lines().at(0);
    for (const char* f : {"", "Connect", "ttyS0", "no answer"}) {
        EXPECT_TRUE(trafficLineMatches(log, line, f)) << f;
    }
    EXPECT_FALSE(trafficLineMatches(log, line, "E3"));
}

TEST(TrafficLog, TitleLinesAreDecoded) {
    struct Case {
        std::string line;
        std::optional<std::string> sjis;
    };
    const std::string ab = "\x82\x60\x82\x61";
    for (const Case& c : {
             // The letters A and B on page 1, line 1, then 26 spaces.
             Case{"CA001L01" + codes("23412342", 26) + "\r\n", ab},
             Case{"05CA001L01" + codes("23412342", 26) + "\r\n", ab},
             // A page: 280 codes; a glyph code (A346) shows as a full-width space.
             Case{"CA512" + codes("A3462341", 278) + "\r\n", "\x81\x40\x82\x60"},
             Case{"CA003" + codes("", 280) + "\r\n", ""},
             Case{"CABC00170707070707070707070\r\n", std::nullopt},
             Case{"RCA001\r\n", std::nullopt},
             Case{"CA001L0123\r\n", std::nullopt},
             Case{"CA001L01234G\r\n", std::nullopt},
         }) {
        EXPECT_EQ(trafficTitleText(c.line), c.sjis) << c.line.substr(0, 20);
    }
}

TEST(TrafficLog, LineTextEscapesBytesAndShowsTheTitle) {
    TrafficLog log;
    log.record(TrafficDirection::Sent, "127.0.0.1:9004", "CA001L01" + codes("23412342", 26) + "\r\n",
               kNoon);
    log.record(TrafficDirection::Received, "/dev/ttyUSB0@05", "05E3\\\x01\xff\r\n", kNoon);
    log.record(TrafficDirection::Received, "/dev/ttyUSB0@05", "05E3\r\n", kNoon);
    const auto size = [](std::string_view sjis) { return "<" + std::to_string(sjis.size()) + ">"; };
    EXPECT_EQ(formatTrafficLine(log.lines().at(0), log.linkName(log.lines().at(0).link), size),
              "2026-03-04 12:05:09.007 > 127.0.0.1:9004  CA001L01" + codes("23412342", 26) +
                  "\\x0D\\x0A  title \"<4>\"");
    EXPECT_EQ(formatTrafficLine(log.lines().at(1), log.linkName(log.lines().at(1).link), size),
              "2026-03-04 12:05:09.007 < /dev/ttyUSB0@05  05E3\\x5C\\x01\\xFF\\x0D\\x0A");
    EXPECT_EQ(formatTrafficLine(log.lines().at(2), "/dev/ttyUSB0@05", size),
              "2026-03-04 12:05:09.007 < /dev/ttyUSB0@05  05E3\\x0D\\x0A  ** error reply");
}

} // namespace
} // namespace tlx
