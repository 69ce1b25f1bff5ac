#include "protocol/protocol.h"

#include "base/codecs.h"
#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/apply_reply.h"
#include "protocol/replies.h"
#include "protocol/transport.h"

namespace tlx {

namespace {

std::string_view linkError(Reply r, LinkKind link) {
    const bool serial = link == LinkKind::Serial;
    switch (r) {
    case Reply::E0:
        return serial ? "Framing Error" : "Socket Framing";
    case Reply::E1:
        return "Parity Error";
    case Reply::E2:
        return serial ? "Over Run Error" : "Socket Over run";
    default:
        return serial ? "Command Error" : "Socket Command";
    }
}

bool glyphReply(Reply r, GlyphFace& face, GlyphSize& size) {
    struct GlyphReply {
        Reply reply;
        GlyphFace face;
        GlyphSize size;
    };
    static constexpr GlyphReply kGlyphReplies[] = {
        {Reply::FBML, GlyphFace::Gothic, GlyphSize::Large},
        {Reply::FBMM, GlyphFace::Gothic, GlyphSize::Medium},
        {Reply::FBMS, GlyphFace::Gothic, GlyphSize::Small},
        {Reply::FMBML, GlyphFace::Mincho, GlyphSize::Large},
        {Reply::FMBMM, GlyphFace::Mincho, GlyphSize::Medium},
        {Reply::FMBMS, GlyphFace::Mincho, GlyphSize::Small},
    };
    for (const GlyphReply& g : kGlyphReplies) {
        if (g.reply == r) {
            face = g.face;
            size = g.size;
            return true;
        }
    }
    return false;
}

void raiseSuccess(AppState& s, LinkKind link) {
    if (link == LinkKind::Serial) {
        s.link.successPending = true;
    } else {
        s.link.socketSuccessPending = true;
    }
}

bool isRefusal(Reply r) {
    switch (r) {
    case Reply::GN:
    case Reply::MENU:
    case Reply::E0:
    case Reply::E1:
    case Reply::E2:
    case Reply::E3:
        return true;
    default:
        return false;
    }
}

void judgeAnswer(AnswerCheck& c, Reply r, bool cut) {
    if (!c.active || isRefusal(r)) {
        c.awaited = Reply::None;
        return;
    }
    if (c.awaited != Reply::None && r == c.awaited && !cut) {
        c.arrived = true;
    } else {
        c.unexpected = true;
    }
    c.awaited = Reply::None;
}

// As much of a reply as the status panel shows; short enough to need no
// allocation on the busiest runs.
constexpr std::size_t kLastReplyShown = 12;

// cut: the framer dropped the end of an over-long line.
void dispatchLine(AppState& s, Host& host, LinkKind link, std::string_view line, bool cut) {
    LinkState& ls = s.link;
    SettingsModel& m = s.model;
    ls.abortFlag = false;
    std::string_view shown = line.substr(0, kLastReplyShown);
    while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n')) {
        shown.remove_suffix(1);
    }
    ls.lastReply.assign(shown);
    ++ls.repliesReceived;
    const Reply r = classifyReply(s.product, link, line);
    judgeAnswer(ls.answers, r, cut);
    GlyphFace face{};
    GlyphSize size{};
    switch (r) {
    case Reply::None:
        break;
    case Reply::GO:
        if (m.busyStep == 0 && !ls.glyphTransferBusy) {
            if (link == LinkKind::Serial) {
                ls.successPending = true;
            } else {
                host.notice(kMsgSocketOk);
            }
        }
        break;
    case Reply::MENU:
        ls.abortFlag = true;
        host.error("Menu Display");
        break;
    case Reply::GN:
        // A refusal like the others: a run that carried on would report
        // success over a setting the device never took.
        ls.abortFlag = true;
        if (link == LinkKind::Serial) {
            host.error("Mode Difference");
        } else {
            host.notice("Socket mode difference");
        }
        break;
    case Reply::E0:
    case Reply::E1:
    case Reply::E2:
    case Reply::E3:
        ls.abortFlag = true;
        host.error(linkError(r, link));
        break;
    case Reply::TSDS:
        applyReply(s, r, line);
        if (m.busyStep == 0 && !ls.glyphTransferBusy) {
            raiseSuccess(s, link);
        }
        break;
    case Reply::VN:
        applyReply(s, r, line);
        if ((m.busyStep == 0 || m.busyStep >= s.traits().busyStepPastEnd) &&
            !ls.glyphTransferBusy) {
            raiseSuccess(s, link);
        }
        break;
    default:
        if (glyphReply(r, face, size)) {
            if (applyGlyphReply(s.glyphs, ls, face, size, line)) {
                host.glyphEditorChanged();
            }
        } else {
            applyReply(s, r, line);
        }
        break;
    }
    ls.glyphReplyWait = false;
}

} // namespace

bool linkReady(const AppState& s) {
    return s.connection.interfaceKind != InterfaceKind::Tcp || s.link.socketConnected;
}

std::string serialFrame(const AppState& s, std::string_view line) {
    std::string frame;
    frame.reserve(line.size() + 2);
    if (s.connection.rs485()) {
        if (s.connection.slaveAddress >= 0 && s.connection.slaveAddress < kSlaveBroadcast) {
            append2(frame, s.connection.slaveAddress);
        } else {
            frame += "FF";
        }
    }
    frame += line;
    return frame;
}

void sendCommand(AppState& s, Host& host, Transport& transport, std::string_view line) {
    LinkState& ls = s.link;
    if (s.connection.interfaceKind != InterfaceKind::Tcp) {
        const bool broadcast = s.connection.rs485() &&
                               (s.connection.slaveAddress < 0 ||
                                s.connection.slaveAddress >= kSlaveBroadcast);
        ls.awaitingAnswer = !broadcast;
        transport.writeSerial(serialFrame(s, line));
        return;
    }

    if (!linkReady(s)) {
        host.warning(kMsgNotConnected);
        return;
    }
    const int slot = s.connection.clientServer == 1 ? s.connection.selectNumber : -1;
    switch (transport.sendSocket(slot, line)) {
    case SocketSendStatus::Sent:
        if (transport.answersLater()) {
            ls.awaitingAnswer = true;
            return;
        }
        break;
    case SocketSendStatus::WouldBlock:
        if (s.product == Product::F) {
            ls.answers.awaited = Reply::None; // no answer is awaited
            return;
        }
        [[fallthrough]];
    case SocketSendStatus::Failed:
        ls.abortFlag = true;
        host.warning(kMsgSocketSend);
        return;
    }

    // Wait for one complete answer line. The transport bounds the whole wait
    // from the send, so a stream of bytes that never ends its line cannot
    // hold the wait open; pieces without their LF are not an answer.
    while (ls.linkRunning) {
        SocketReceive r = transport.receiveSocket(slot);
        if (r.kind == SocketReceive::Kind::Stopped) {
            return;
        }
        if (r.kind == SocketReceive::Kind::TimedOut) {
            ls.abortFlag = true;
            host.warning(kMsgNoAnswer);
            return;
        }
        if (r.bytes.empty()) {
            // The device closed the connection before it answered.
            ls.abortFlag = true;
            host.warning(kMsgSocketSend);
            return;
        }
        if (dispatchSocketReply(s, host, r.bytes) > 0) {
            return;
        }
    }
}

void dispatchSerialReply(AppState& s, Host& host, std::string_view line) {
    if (s.connection.rs485()) {
        // Only the addressed device answers; a line without that address
        // (another device, or one not set up for the bus) is no answer, and
        // the no-answer rule says so in time.
        const std::string address = serialFrame(s, {});
        if (!line.starts_with(address)) {
            return;
        }
        line.remove_prefix(address.size());
    }
    s.link.noAnswerTicks = 0;
    s.link.awaitingAnswer = false;
    dispatchLine(s, host, LinkKind::Serial, line, s.link.serialLines.lastLineTruncated());
}

void receiveSerialBytes(AppState& s, Host& host, std::string_view bytes) {
    s.link.serialLines.pushEach(bytes,
                                [&](std::string_view line) { dispatchSerialReply(s, host, line); });
}

int dispatchSocketReply(AppState& s, Host& host, std::string_view received) {
    if (received.empty()) {
        return 0;
    }
    LinkState& ls = s.link;
    int lines = 0;
    ls.socketLines.pushEach(received, [&](std::string_view line) {
        dispatchLine(s, host, LinkKind::Socket, line, ls.socketLines.lastLineTruncated());
        ++lines;
    });
    ls.partialLinePending = received.back() != '\n';
    return lines;
}

void receiveSocketAnswer(AppState& s, Host& host, std::string_view received) {
    if (dispatchSocketReply(s, host, received) > 0) {
        s.link.awaitingAnswer = false;
    }
}

void tickWork(AppState& s, Host& host) {
    LinkState& ls = s.link;
    if (ls.awaitingAnswer) {
        const int taken = ls.noAnswerTicks++;
        if (taken > s.traits().noAnswerTickLimit) {
            // A running transfer is cut short; with none running there is
            // nothing to end, and a held busyStep would refuse every later
            // start until some dialog happened to clear it.
            if (s.model.busyStep != 0) {
                s.model.busyStep = s.traits().busyStepPastEnd;
            }
            ls.awaitingAnswer = false;
            ls.noAnswerTicks = 0;
            host.error(kMsgNoConnect);
        }
    }
    if (ls.successPending) {
        ls.successPending = false;
        host.notice(kMsgSuccess);
    }
    if (ls.socketSuccessPending) {
        ls.socketSuccessPending = false;
        host.notice(kMsgSocketOk);
    }
}

} // namespace tlx
