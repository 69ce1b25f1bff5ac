#pragma once

#include "app/app_state.h"

#include <algorithm>
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
          mode_(mode) {
        progress_.barMax = glyphGeometry(size).count;
    }

    RunStart start() {
        state_.link.abortFlag = false;
        return run_.start(mode_);
    }
    void tick() {
        reached_ = std::max(reached_, state_.glyphs.currentGlyph);
        if (stopRequested_ || host_.failure() != Failure::None || state_.link.abortFlag) {
            run_.abandon();
            stopped_ = true;
            return;
        }
        run_.tick();
        progress_.bar = run_.running() ? state_.glyphs.currentGlyph : progress_.bar;
        if (run_.end() == GlyphTransferEnd::Completed) {
            progress_.bar = progress_.barMax;
        }
    }
    // The glyph (0-based) the table had reached: the one not yet done.
    int reached() const { return reached_; }
    void requestStop() { stopRequested_ = true; }
    bool running() const { return run_.running(); }
    std::chrono::milliseconds nextInterval() const { return run_.interval(); }
    const RunProgress& progress() const { return progress_; }
    int commandsSent() const { return run_.commandsSent(); }
    RunEnd end() const {
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
    int reached_ = 0;
};

} // namespace tlx::ctl
