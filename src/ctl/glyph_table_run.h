#pragma once

#include <algorithm>

#include "app/app_state.h"
#include "cli_host.h"
#include "glyphs/glyph_list.h"
#include "glyphs/glyph_transfer.h"
#include "model/paced_run.h"

namespace tlx::ctl {

// A whole glyph table to or from the device, in the shape the session's run
// driver expects of a paced run. Unlike the list dialog, which lets a
// registration go on past a refused glyph, the tool stops at the first
// refusal or link failure, so that nothing more is written after it.
class GlyphTableRun {
  public:
    GlyphTableRun(AppState& state, CliHost& host, Transport& transport, GlyphSize size,
                  GlyphTransferMode mode)
        : state_(state), host_(host), run_(state, host, transport, size,
                                           glyphListDescriptor(size).readInterval,
                                           glyphListDescriptor(size).registerInterval),
          mode_(mode), bitmapReply_(size == GlyphSize::Large    ? Reply::FBML
                                    : size == GlyphSize::Medium ? Reply::FBMM
                                                                : Reply::FBMS) {
        progress_.barMax = glyphGeometry(size).count;
    }

    RunStart start() {
        state_.link.abortFlag = false;
        state_.link.answers = AnswerCheck{};
        state_.link.answers.active = true;
        return run_.start(mode_);
    }
    void tick() {
        AnswerCheck& answers = state_.link.answers;
        reached_ = std::max(reached_, state_.glyphs.currentGlyph);
        if (answers.unexpected) {
            unexpected_ = true;
        }
        if (stopRequested_ || unexpected_ || host_.failure() != Failure::None ||
            state_.link.abortFlag) {
            run_.abandon();
            stopped_ = true;
            answers = AnswerCheck{};
            return;
        }
        // One line at a time on a serial link, as the other runs of the tool
        // do: a registration waits for the previous glyph's answer (the
        // no-answer rule ends a silent wait), so that each answer can be
        // told apart from the next.
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
    // After the run, with the last serial answer in: a line of another kind
    // ends it as Unexpected.
    void checkLastAnswer() {
        AnswerCheck& answers = state_.link.answers;
        if (answers.unexpected) {
            unexpected_ = true;
        }
        if (!answers.active || state_.link.awaitingAnswer) {
            return;
        }
        answers = AnswerCheck{};
    }
    int failedStep() const { return reached_ + 1; }
    // The glyph (0-based) the table had reached: the one not yet done.
    int reached() const { return reached_; }
    void requestStop() { stopRequested_ = true; }
    bool running() const { return run_.running(); }
    std::chrono::milliseconds nextInterval() const { return run_.interval(); }
    const RunProgress& progress() const { return progress_; }
    int commandsSent() const { return run_.commandsSent(); }
    RunEnd end() const {
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

  private:
    AppState& state_;
    CliHost& host_;
    GlyphTransferRun run_;
    GlyphTransferMode mode_;
    RunProgress progress_;
    bool stopRequested_ = false;
    bool stopped_ = false;
    bool unexpected_ = false;
    int reached_ = 0;
    Reply bitmapReply_;
};

} // namespace tlx::ctl
