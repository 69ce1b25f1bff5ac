#include "cli_host.h"

#include <array>
#include <iostream>
#include <utility>

#include "protocol/protocol.h"
#include "settings/title_encoder.h"

namespace tlx::ctl {

namespace {

struct Known {
    std::string_view text;
    Failure failure;
    const char* english;
};

constexpr std::array kKnown{
    Known{"No Connect", Failure::Link, "no answer from the device"},
    Known{kMsgNotConnected, Failure::Link, "not connected to the device"},
    Known{kMsgSocketSend, Failure::Link, "sending to the device failed: the connection is gone"},
    Known{kMsgNoAnswer, Failure::Link, "no answer from the device"},
    Known{"ソケットイベントにエラーが発生しました。", Failure::Link, "the connection failed"},
    Known{"接続できません", Failure::Link, "cannot connect"},
    Known{"Bindできません", Failure::Link, "cannot listen on the port (in use?)"},
    Known{"Menu Display", Failure::Refused, "the device is showing its menu and refused the command"},
    Known{"Mode Difference", Failure::Refused, "the device is in another mode and refused the command"},
    Known{"Socket mode difference", Failure::Refused,
          "the device is in another mode and refused the command"},
    Known{"Framing Error", Failure::Refused, "the device reported a framing error (E0)"},
    Known{"Socket Framing", Failure::Refused, "the device reported a framing error (E0)"},
    Known{"Parity Error", Failure::Refused, "the device reported a parity error (E1)"},
    Known{"Over Run Error", Failure::Refused, "the device reported an overrun (E2)"},
    Known{"Socket Over run", Failure::Refused, "the device reported an overrun (E2)"},
    Known{"Command Error", Failure::Refused, "the device refused the command (E3)"},
    Known{"Socket Command", Failure::Refused, "the device refused the command (E3)"},
    Known{kMsgJisCheck, Failure::Refused,
          "a title holds a character outside JIS levels 1 and 2: nothing was sent for it"},
};

} // namespace

std::string explain(std::string_view text, Failure* failure) {
    // A message may say more on a second line (where a title went wrong).
    const std::string_view first = text.substr(0, text.find('\n'));
    for (const auto& k : kKnown) {
        if (k.text == first) {
            if (failure) {
                *failure = k.failure;
            }
            std::string out = std::string(k.english) + " (" + std::string(first) + ")";
            if (first.size() < text.size()) {
                out += ": ";
                out += text.substr(first.size() + 1);
            }
            return out;
        }
    }
    if (failure) {
        *failure = Failure::None;
    }
    return std::string(text);
}

void CliHost::worst(Failure f) {
    if (static_cast<int>(f) > static_cast<int>(failure_)) {
        failure_ = f;
    }
}

void CliHost::fail(Failure f, const std::string& message) {
    std::cerr << "tlx500ctl: " << message << "\n";
    worst(f);
}

void CliHost::showMessage(MessageKind kind, std::string_view text, std::string_view) {
    if (onMessage) {
        onMessage(text);
    }
    Failure f = Failure::None;
    const std::string english = explain(text, &f);
    // Acknowledgements ("Success", "Socket ＯＫ", "Socket 接続 OK") are for the
    // desktop; a refusal shown in a notice box ("Socket mode difference") is not.
    if (kind == MessageKind::Notice && f == Failure::None) {
        if (verbose) {
            std::cerr << "tlx500ctl: " << text << "\n";
        }
        return;
    }
    if (firstFailure_.empty()) {
        firstFailure_ = text;
    }
    if (text == "No Connect") {
        noConnect_ = true;
    }
    std::cerr << "tlx500ctl: " << english << "\n";
    worst(f == Failure::None ? Failure::Refused : f);
}

} // namespace tlx::ctl
