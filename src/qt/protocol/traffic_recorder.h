#pragma once

#include <string>
#include <string_view>

#include "protocol/traffic_log.h"
#include "protocol/traffic_tap.h"

namespace tlx {
struct AppState;
} // namespace tlx

namespace tlx::qt {

class SerialLink;
class TcpLink;

// Local time now, for a traffic line.
TrafficStamp trafficStampNow();

// Title text of a traffic line, for showing (code page 932).
std::string sjisToUtf8(std::string_view sjis);

// A traffic line as text, titles decoded.
std::string trafficLineText(const TrafficLog& log, const TrafficLine& line);

// Feeds a traffic log from the links: their taps, and the messages that say
// no answer came (which are no traffic but explain its end).
class TrafficRecorder {
public:
    TrafficRecorder(TrafficLog& log, const AppState& state, const SerialLink& serial,
                    const TcpLink& tcp)
        : log_(log), state_(state), serial_(serial), tcp_(tcp) {}

    void record(Direction direction, std::string_view link, std::string_view bytes);
    // Any message the core raised; "No Connect" and a missing socket answer are
    // logged against the link commands go to.
    void message(std::string_view text);

    TrafficLog& log() { return log_; }

private:
    TrafficLog& log_;
    const AppState& state_;
    const SerialLink& serial_;
    const TcpLink& tcp_;
};

} // namespace tlx::qt
