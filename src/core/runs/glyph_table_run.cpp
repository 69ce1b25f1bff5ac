#include "runs/glyph_table_run.h"

#include <algorithm>

#include "protocol/app_state.h"

namespace tlx {

GlyphTableRun::GlyphTableRun(AppState& state, Host& host, Transport& transport, GlyphSize size,
                             GlyphTransferMode mode, std::function<bool()> linkFailed)
    : state_(state), linkFailed_(std::move(linkFailed)),
      run_(state, host, transport, size, glyphWire(size).readInterval,
           glyphWire(size).registerInterval),
      mode_(mode), bitmapReply_(size == GlyphSize::Large    ? Reply::FBML
                                : size == GlyphSize::Medium ? Reply::FBMM
                                                            : Reply::FBMS) {
    progress_.barMax = glyphGeometry(size).count;
}

RunStart GlyphTableRun::start() {
    state_.link.abortFlag = false;
    state_.link.answers = AnswerCheck{};
    state_.link.answers.active = true;
    return run_.start(mode_);
}

void GlyphTableRun::tick() {
    AnswerCheck& answers = state_.link.answers;
    reached_ = std::max(reached_, state_.glyphs.currentGlyph);
    if (answers.unexpected) {
        unexpected_ = true;
    }
    if (stopRequested_ || unexpected_ || linkFailed_() || state_.link.abortFlag) {
        run_.abandon();
        stopped_ = true;
        answers = AnswerCheck{};
        return;
    }
    // One line at a time on a serial link, as the other runs do: a
    // registration waits for the previous glyph's answer (the no-answer rule
    // ends a silent wait), so that each answer can be told apart from the next.
    if (state_.connection.interfaceKind != InterfaceKind::Tcp && state_.link.awaitingAnswer) {
        return;
    }
    // Each line sent is answered by its own kind of reply: the glyph's
    // bitmap, or "GO" for a registration.
    if (mode_ == GlyphTransferMode::Register || !state_.link.glyphReplyWait) {
        answers.expect(mode_ == GlyphTransferMode::Register ? Reply::GO : bitmapReply_);
    }
    run_.tick();
    if (answers.unexpected) {
        unexpected_ = true;
        run_.abandon();
        stopped_ = true;
    }
    if (!running()) {
        checkLastAnswer();
    }
    progress_.bar = run_.running() ? state_.glyphs.currentGlyph : progress_.bar;
    if (run_.end() == GlyphTransferEnd::Completed) {
        progress_.bar = progress_.barMax;
    }
}

void GlyphTableRun::checkLastAnswer() {
    AnswerCheck& answers = state_.link.answers;
    if (answers.unexpected) {
        unexpected_ = true;
    }
    if (!answers.active || state_.link.awaitingAnswer) {
        return;
    }
    answers = AnswerCheck{};
}

RunEnd GlyphTableRun::end() const {
    if (unexpected_) {
        return RunEnd::Unexpected;
    }
    if (stopped_) {
        return stopRequested_ ? RunEnd::Cancelled : RunEnd::Stopped;
    }
    switch (run_.end()) {
    case GlyphTransferEnd::Completed:
        return RunEnd::Completed;
    case GlyphTransferEnd::DeviceSilent:
        return RunEnd::CutShort;
    case GlyphTransferEnd::LinkLost:
        return RunEnd::Stopped;
    case GlyphTransferEnd::None:
        break;
    }
    return RunEnd::None;
}

} // namespace tlx
