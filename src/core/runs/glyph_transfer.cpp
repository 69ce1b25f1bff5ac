#include "runs/glyph_transfer.h"

#include "base/codecs.h"
#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "protocol/transport.h"

#include <algorithm>
#include <array>

namespace tlx {

namespace {

constexpr std::string_view kIdlePercent = "   ";

using std::chrono::milliseconds;

constexpr std::array<GlyphWire, 3> kWire{{
    {"GRL", "RFBML", milliseconds{400}, milliseconds{2000}},
    {"GRM", "RFBMM", milliseconds{300}, milliseconds{2000}},
    {"GRS", "RFBMS", milliseconds{300}, milliseconds{2000}},
}};

} // namespace

const GlyphWire& glyphWire(GlyphSize size) {
    return kWire[static_cast<std::size_t>(size)];
}

std::string glyphReadCommand(GlyphSize size, std::uint16_t code) {
    std::string line(glyphWire(size).readCommand);
    appendHex4(line, code);
    line += "\r\n";
    return line;
}

std::string glyphRegisterCommand(GlyphSize size, int index, std::string_view digits) {
    const auto count = static_cast<std::size_t>(glyphGeometry(size).digits);
    std::string line(glyphWire(size).registerCommand);
    append3(line, index + 1);
    line += digits.substr(0, count);
    // A glyph held shorter than its size (never written whole) goes out
    // unlit rather than as a short line the device would misread.
    line.append(count - std::min(count, digits.size()), '0');
    line += "\r\n";
    return line;
}

bool endUnansweredGlyphRead(AppState& state) {
    LinkState& link = state.link;
    if (!link.glyphReplyWait || state.connection.interfaceKind == InterfaceKind::Tcp ||
        link.awaitingAnswer) {
        return false;
    }
    link.glyphReplyWait = false;
    if (state.model.busyStep >= state.traits().busyStepPastEnd) {
        state.model.busyStep = 0;
    }
    return true;
}

std::string glyphTransferPercent(int done, int count) {
    const int p = done * 100 / count;
    const int t = (done * 10000 / count / 10) % 10;
    std::string s = " ";
    append2(s, p);
    s += '.';
    s += static_cast<char>('0' + t);
    return s;
}

std::string glyphTransferStoppedText(GlyphTransferMode mode, int glyphNumber) {
    const std::string no = "No." + std::to_string(glyphNumber);
    if (mode == GlyphTransferMode::Read) {
        return "外字の読み込みは" + no + "で止まりました。" + no + "から先は読み込まれていません。";
    }
    return "外字の登録は" + no + "で止まりました。" + no + "から先は登録されていません。";
}

GlyphTransferRun::GlyphTransferRun(AppState& state, Host& host, Transport& transport,
                                   GlyphSize size, std::chrono::milliseconds readInterval,
                                   std::chrono::milliseconds registerInterval)
    : state_(state), host_(host), transport_(transport), size_(size), readInterval_(readInterval),
      registerInterval_(registerInterval), barMax_(glyphGeometry(size).count + 2) {}

std::chrono::milliseconds GlyphTransferRun::interval() const {
    return mode_ == GlyphTransferMode::Read ? readInterval_ : registerInterval_;
}

RunStart GlyphTransferRun::start(GlyphTransferMode mode) {
    // It holds glyphTransferBusy, not busyStep: the reply handler moves
    // currentGlyph on, and the no-answer rule ends a silent read.
    if (const RunStart r = mayStart(state_, host_); r != RunStart::Started) {
        return r;
    }
    mode_ = mode;
    state_.glyphs.currentGlyph = 0;
    state_.link.glyphTransferBusy = true;
    running_ = true;
    end_ = GlyphTransferEnd::None;
    commandsSent_ = 0;
    shownGlyph_ = 0;
    return RunStart::Started;
}

void GlyphTransferRun::tick() {
    if (!running_) {
        return;
    }
    GlyphStore& store = state_.glyphs;
    LinkState& link = state_.link;
    const int count = glyphGeometry(size_).count;
    if (!linkReady(state_)) {
        // Every further line would only repeat the same warning.
        finish(GlyphTransferEnd::LinkLost);
        return;
    }
    const int n = store.currentGlyph;
    if (n >= 0 && n < count) {
        if (mode_ == GlyphTransferMode::Register) {
            const std::string& glyph = store.glyph(GlyphFace::Gothic, size_, n);
            sendCommand(state_, host_, transport_, glyphRegisterCommand(size_, n, glyph));
            ++commandsSent_;
            ++store.currentGlyph;
        } else if (link.glyphReplyWait) {
            if (endUnansweredGlyphRead(state_)) {
                finish(GlyphTransferEnd::DeviceSilent);
                return;
            }
        } else {
            link.glyphReplyWait = true;
            sendCommand(state_, host_, transport_, glyphReadCommand(size_, glyphCode(n)));
            ++commandsSent_;
            if (state_.connection.interfaceKind == InterfaceKind::Tcp && link.glyphReplyWait &&
                !transport_.answersLater()) {
                // The bounded socket wait ended without a line. (A link that
                // answers later brings the line, or its silence, by itself.)
                finish(GlyphTransferEnd::DeviceSilent);
                return;
            }
        }
    }
    showProgress();
    if (store.currentGlyph >= count || store.currentGlyph < 0) {
        finish(GlyphTransferEnd::Completed);
    }
}

void GlyphTransferRun::showProgress() {
    const int count = glyphGeometry(size_).count;
    percent_ = glyphTransferPercent(state_.glyphs.currentGlyph, count);
    // The bar starts over when it passes its end, as a stepped bar does.
    bar_ = bar_ + 1 > barMax_ ? 0 : bar_ + 1;
}

bool GlyphTransferRun::glyphArrived() {
    const int now = state_.glyphs.currentGlyph;
    if (mode_ != GlyphTransferMode::Read || now == shownGlyph_) {
        return false;
    }
    shownGlyph_ = now;
    return true;
}

void GlyphTransferRun::finish(GlyphTransferEnd how) {
    stoppedAt_ = state_.glyphs.currentGlyph;
    // A read the device may still answer late keeps currentGlyph on its
    // glyph, so that the answer is stored where it belongs and not over
    // glyph 1.
    if (how != GlyphTransferEnd::DeviceSilent) {
        state_.glyphs.currentGlyph = 0;
    }
    state_.link.glyphTransferBusy = false;
    state_.link.glyphReplyWait = false;
    // A silent device made the no-answer rule mark busyStep as past the end
    // of a run; no run holds it here, and left so it would block every
    // later transfer.
    if (state_.model.busyStep >= state_.traits().busyStepPastEnd) {
        state_.model.busyStep = 0;
    }
    running_ = false;
    end_ = how;
    percent_ = std::string(kIdlePercent);
    bar_ = 0;
}

void GlyphTransferRun::abandon() {
    if (running_) {
        finish(GlyphTransferEnd::None);
    }
}

} // namespace tlx
