#pragma once

#include <functional>

#include "glyphs/glyph_store.h"
#include "protocol/forward.h"
#include "runs/glyph_transfer.h"
#include "runs/paced_run.h"

namespace tlx {

// A whole glyph table to or from one device, in the shape of the other paced
// runs (start, tick every nextInterval(), progress, end), for the command-line
// tool and the fleet runs. Unlike the list dialog, which lets a registration
// go on past a refused glyph, it stops at the first refusal or link failure,
// so that nothing more is written after it.
class GlyphTableRun {
  public:
    // linkFailed: whether the caller's host has seen a link failure or a
    // refusal since the start.
    GlyphTableRun(AppState& state, Host& host, Transport& transport, GlyphSize size,
                  GlyphTransferMode mode, std::function<bool()> linkFailed);

    RunStart start();
    void tick();
    // After the run, with the last serial answer in: a line of another kind
    // ends it as Unexpected.
    void checkLastAnswer();
    void requestStop() { stopRequested_ = true; }

    bool running() const { return run_.running(); }
    std::chrono::milliseconds nextInterval() const { return run_.interval(); }
    const RunProgress& progress() const { return progress_; }
    int commandsSent() const { return run_.commandsSent(); }
    RunEnd end() const;
    // The glyph (0-based) the table had reached: the one not yet done.
    int reached() const { return reached_; }
    // The glyph (1-based) where the run stopped, as a step number.
    int failedStep() const { return reached_ + 1; }
    // The glyph (1-based) whose line went out last.
    int lastStep() const { return run_.commandsSent(); }

  private:
    AppState& state_;
    std::function<bool()> linkFailed_;
    GlyphTransferRun run_;
    GlyphTransferMode mode_;
    RunProgress progress_;
    bool stopRequested_ = false;
    bool stopped_ = false;
    bool unexpected_ = false;
    int reached_ = 0;
    Reply bitmapReply_;
};

} // namespace tlx
