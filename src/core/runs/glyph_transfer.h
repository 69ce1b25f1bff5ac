#pragma once

#include "glyphs/glyph_store.h"
#include "protocol/forward.h"
#include "runs/paced_run.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace tlx {

// The wire side of one size class: the heads of its register and read
// commands and the pacing of a whole-table transfer.
struct GlyphWire {
    std::string_view registerCommand;
    std::string_view readCommand;
    std::chrono::milliseconds readInterval;
    std::chrono::milliseconds registerInterval;
};

const GlyphWire& glyphWire(GlyphSize size);

// The read of a glyph bitmap: by glyph code or by a character's JIS code.
std::string glyphReadCommand(GlyphSize size, std::uint16_t code);
// The registration of one glyph (number = index + 1) with its digits.
std::string glyphRegisterCommand(GlyphSize size, int index, std::string_view digits);

// Over the serial link a glyph read whose answer never came (the no-answer
// rule gave up on it, or a broadcast that nobody answers) would hold
// glyphReplyWait forever and keep every later read out. This ends such a
// wait; it also takes back the end-of-run mark the no-answer rule puts into
// busyStep, which would otherwise block every later transfer. True when a
// wait was ended.
bool endUnansweredGlyphRead(AppState& state);

enum class GlyphTransferMode { Read, Register };

enum class GlyphTransferEnd {
    None,         // running, or never started
    Completed,    // every glyph of the table was sent or read
    DeviceSilent, // a read was never answered: waiting longer would hang the list
    LinkLost,     // the TCP/IP connection went away during the transfer
};

// The whole table of one size class to or from the device, one glyph per
// tick: a register line every tick without waiting, or a read each time the
// previous glyph's reply has come (the reply handler stores it at
// currentGlyph and advances it). The list dialog drives it with its timer.
class GlyphTransferRun {
  public:
    GlyphTransferRun(AppState& state, Host& host, Transport& transport, GlyphSize size,
                     std::chrono::milliseconds readInterval,
                     std::chrono::milliseconds registerInterval);
    GlyphTransferRun(const GlyphTransferRun&) = delete;
    GlyphTransferRun& operator=(const GlyphTransferRun&) = delete;

    // Steps after any question: a TCP/IP link without connection is warned
    // about, another transfer holding busyStep refuses it.
    RunStart start(GlyphTransferMode mode);
    void tick();

    bool running() const { return running_; }
    GlyphTransferMode mode() const { return mode_; }
    GlyphTransferEnd end() const { return end_; }
    // The glyph (0-based) the table had reached when the run ended: the first
    // one not done.
    int stoppedAt() const { return stoppedAt_; }
    std::chrono::milliseconds interval() const;

    // " 42.8": the share of glyphs done to one decimal; three blanks when idle.
    const std::string& percent() const { return percent_; }
    int bar() const { return bar_; }
    int barMax() const { return barMax_; }
    int commandsSent() const { return commandsSent_; }

    // The dialog goes away while the transfer runs (the program ends).
    void abandon();
    // True when a read has stored a glyph since the previous call, so that
    // the list redraws as the table fills, not only at the end.
    bool glyphArrived();

  private:
    void finish(GlyphTransferEnd how);
    void showProgress();

    AppState& state_;
    Host& host_;
    Transport& transport_;
    GlyphSize size_;
    std::chrono::milliseconds readInterval_;
    std::chrono::milliseconds registerInterval_;
    GlyphTransferMode mode_ = GlyphTransferMode::Read;
    bool running_ = false;
    GlyphTransferEnd end_ = GlyphTransferEnd::None;
    std::string percent_ = "   ";
    int bar_ = 0;
    int barMax_ = 0;
    int commandsSent_ = 0;
    int shownGlyph_ = 0;
    int stoppedAt_ = 0;
};

// " 42.8" for done of count.
std::string glyphTransferPercent(int done, int count);

// Our own addition: a list transfer that ends before the last glyph tells
// the operator that the table is incomplete and from which glyph (1-based) on.
std::string glyphTransferStoppedText(GlyphTransferMode mode, int glyphNumber);

} // namespace tlx
