#pragma once

#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "protocol/transport.h"
#include "runs/paced_run.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"
#include "support/reply_lines.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tlx::test {

inline std::string hexCodes(const std::vector<std::uint16_t>& codes) {
    std::string s;
    for (std::uint16_t c : codes) {
        s += hex4(c);
    }
    return s;
}

inline std::string stripCrLf(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return std::string(line);
}

// A device's answer to a read command: the reply prefix with the read's page
// or day number (no data), or nothing when the line is not a read.
inline std::optional<std::string> readAnswer(std::string_view cmd) {
    // Longer mnemonics first where one begins another.
    static constexpr std::pair<std::string_view, std::string_view> kReads[] = {
        {"RCABC", "CABC"}, {"RCBS", "CBS"},   {"RCFS", "CFS"},   {"RCFT", "CFT"},
        {"RCA", "CA"},     {"RFB", "FB"},     {"RIDLS", "IDLS"}, {"RIDOH", "IDOH"},
        {"RIDO", "IDO"},   {"RIDP", "IDP"},   {"RIDRT", "IDRT"}, {"RSD", "SD"},
        {"RACA", "ACA"},   {"RADT", "ADT"},   {"RAD", "ADO"},    {"RAM", "AM"},
        {"RAP", "AP"},     {"RAR", "ARO"},    {"RCI", "CI"},     {"RPOSP", "POSP"},
        {"RRCA", "RCA"},   {"RRM", "RM"},     {"RTSDR", "TSDR"}, {"RTSDS", "TSDS"},
        {"RTSD", "TSDO"},  {"RVLBC", "VLBC"}, {"RCL", "CL"},     {"RPAST", "PAST"},
        {"RPAS", "PAS"},   {"RISS", "ISS"}};
    for (const auto& [read, reply] : kReads) {
        if (!cmd.starts_with(read)) {
            continue;
        }
        const std::string_view number = cmd.substr(read.size());
        // "RCA" + 24 digits and "RMBIN" are writes.
        if (number.size() > 3 || number.find_first_not_of("0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        return std::string(reply) + std::string(number) + "\r\n";
    }
    return std::nullopt;
}

// Answers like a device: the version read with "VN" + version, any other read
// with a reply of its kind, anything else with the custom answer if one is
// given, else "GO".
struct ScriptedDevice {
    std::string version = "2.00";
    std::function<std::optional<std::string>(std::string_view command)> custom;
    std::vector<std::string> received; // commands without CR LF

    std::string answer(std::string_view line) {
        const std::string cmd = stripCrLf(line);
        received.push_back(cmd);
        if (custom) {
            if (auto a = custom(cmd)) {
                return *a;
            }
        }
        if (cmd == "RVN") {
            return "VN" + version + "\r\n";
        }
        if (auto a = readAnswer(cmd)) {
            return *a;
        }
        return "GO\r\n";
    }

    // The command beginning with `prefix` gets `reply` instead.
    void answerWith(std::string prefix, std::string reply) {
        custom = [prefix = std::move(prefix),
                  reply = std::move(reply)](std::string_view cmd) -> std::optional<std::string> {
            return cmd.starts_with(prefix) ? std::optional<std::string>(reply) : std::nullopt;
        };
    }
};

// A TCP link whose device answers each line as it is sent.
class AnsweringTransport : public FakeTransport {
  public:
    explicit AnsweringTransport(ScriptedDevice& device) : device_(device) {}
    SocketSendStatus sendSocket(int slot, std::string_view line) override {
        const SocketSendStatus st = FakeTransport::sendSocket(slot, line);
        if (st == SocketSendStatus::Sent) {
            queueData(device_.answer(line));
        }
        return st;
    }

  private:
    ScriptedDevice& device_;
};

inline void useTcp(AppState& s) {
    s.connection.interfaceKind = InterfaceKind::Tcp;
    s.link.socketConnected = true;
}

// Ticks a run over the serial link, answering every written line before the
// next tick, until it stops or maxTicks have passed. Returns the ticks used.
template <typename Run>
int driveSerial(Run& run, AppState& s, FakeHost& host, FakeTransport& link, ScriptedDevice& device,
                int maxTicks = 20000) {
    int ticks = 0;
    std::size_t answered = link.serialWrites.size();
    while (run.running() && ticks < maxTicks) {
        run.tick();
        ++ticks;
        while (answered < link.serialWrites.size()) {
            dispatchSerialReply(s, host, device.answer(link.serialWrites[answered]));
            ++answered;
        }
    }
    return ticks;
}

template <typename Run> int driveTcp(Run& run, int maxTicks = 20000) {
    int ticks = 0;
    while (run.running() && ticks < maxTicks) {
        run.tick();
        ++ticks;
    }
    return ticks;
}

// Where a whole run ends on each firmware: how many commands it sends and
// the last of them.
struct FirmwareCase {
    Product product;
    const char* version;
    int commands;
    const char* last;
};

// One run on a fresh state with a ScriptedDevice behind it. Over serial the
// lines wait in `serial` until step() or drive() answers them (or the test
// dispatches a reply itself); over TCP/IP the device answers each line as it
// is sent.
template <typename Run> struct RunBench {
    explicit RunBench(Product product, bool tcpLink = false)
        : s(makeAppState(product)), tcp(device), overTcp(tcpLink),
          run(*s, host, tcpLink ? static_cast<Transport&>(tcp) : serial) {
        if (tcpLink) {
            useTcp(*s);
        }
    }

    // One tick, then the answers to the serial lines written so far.
    void step() {
        run.tick();
        while (answered < serial.serialWrites.size()) {
            dispatchSerialReply(*s, host, device.answer(serial.serialWrites[answered++]));
        }
    }

    int drive(int maxTicks = 20000) {
        return overTcp ? driveTcp(run, maxTicks)
                       : driveSerial(run, *s, host, serial, device, maxTicks);
    }

    std::unique_ptr<AppState> s;
    FakeHost host;
    ScriptedDevice device;
    FakeTransport serial;
    AnsweringTransport tcp;
    bool overTcp;
    Run run;
    std::size_t answered = 0;
};

// Runs Run to its end on both links for each firmware case: the commands
// from `first` to the case's last, nothing reported,
// and the progress cleared to `blank`.
template <typename Run>
void expectFirmwareEnds(std::span<const FirmwareCase> cases, std::string_view first,
                        std::string_view blank) {
    for (const bool tcp : {false, true}) {
        for (const FirmwareCase& c : cases) {
            SCOPED_TRACE(std::string(tcp ? "TCP " : "serial ") + traits(c.product).letter + " " +
                         c.version);
            RunBench<Run> b(c.product, tcp);
            b.device.version = c.version;
            ASSERT_EQ(b.run.start(), RunStart::Started);
            b.drive();
            EXPECT_FALSE(b.run.running());
            EXPECT_EQ(b.run.end(), RunEnd::Completed);
            EXPECT_EQ(b.run.commandsSent(), c.commands);
            ASSERT_EQ(static_cast<int>(b.device.received.size()), c.commands);
            EXPECT_EQ(b.device.received.front(), first);
            EXPECT_EQ(b.device.received.back(), c.last);
            EXPECT_EQ(b.s->model.busyStep, 0);
            EXPECT_EQ(b.s->model.firmwareVersion, c.version);
            EXPECT_TRUE(b.host.messages.empty());
            EXPECT_EQ(b.run.progress().percent, blank);
            EXPECT_EQ(b.run.progress().bar, 0);
        }
    }
}

} // namespace tlx::test
