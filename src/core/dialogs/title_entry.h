#pragma once

#include "dialogs/slave_address_logic.h"
#include "protocol/forward.h"
#include "runs/title_all_pages_run.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

inline constexpr std::string_view kTitleEntryTitle = "タイトルの設定";
// The caption's word when a TCP/IP connection is selected.
inline constexpr std::string_view kTitleEntryTcpWord = "タイトル入力";

// What the operator may type: one line (model F) or one page (model S).
inline constexpr std::size_t kTitleLineInputBytes = 56;
inline constexpr std::size_t kTitlePageInputBytes = 560;

inline constexpr std::chrono::milliseconds kTitlePreviewDelay{200};

enum class TitleEditResult {
    Stored,
    TooLong, // the input would grow past its limit: the keystroke is refused
};

// What the dialog does after a tick of its timer.
struct TitleTick {
    bool repaintPreview = false;
    bool progressChanged = false;
    bool keepTimer = false; // restart the timer with kTitleAllPagesInterval
};

// The title dialog's logic: the current page and line (shared with the other
// setting dialogs), the text of the input as stored bytes, the three sends
// and the all-pages run with the dialog's one timer. The input's text is
// stored Shift-JIS with glyph units; turning the operator's characters into
// those bytes is the widget's work.
class TitleEntry {
  public:
    TitleEntry(AppState& state, Host& host, Transport& transport);

    // Model F edits one line at a time and shows a preview of the page;
    // model S edits the page's one string.
    bool perLine() const;
    std::size_t inputLimit() const;

    std::int32_t currentPage() const;
    std::int32_t currentLine() const;
    // Model F: the input then shows the line of the new page, which counts as
    // an edit (the text goes back unchanged and the model is marked
    // modified); the preview follows after kTitlePreviewDelay. Out-of-range
    // indexes are ignored.
    void choosePage(std::int32_t index);
    // Model F: as choosePage, with the preview repainted at once.
    void chooseLine(std::int32_t index);

    // The stored bytes the input shows: the current line (F) or page (S).
    std::string_view inputText() const;
    // Every change of the input: the bytes become the current line's (page's)
    // title and the model is marked modified.
    TitleEditResult edit(std::string_view bytes);
    // The operator typed a character that has no Shift-JIS code: it is
    // refused with the JIS message.
    void refuseCharacter();

    // "ライン設定" (model F) and "ページ設定": nothing while a transfer runs;
    // false when the text failed the code check (the message was shown).
    bool sendLine();
    bool sendPage();
    // "全設定": after the confirmation, starts the all-pages run. True when the
    // timer is to start.
    bool sendAll();

    // The dialog's timer: a pending preview repaint first (that tick sends
    // nothing), then the next page of a running send.
    TitleTick tick();
    // Opening and uncovering the dialog repaint the preview a moment later.
    void schedulePreview() { previewPending_ = true; }
    bool previewPending() const { return previewPending_; }

    // Model F's preview as Shift-JIS rows: "Page 001", then "Line01 = " and
    // the line, each glyph drawn as a full-width space and the rest of the 28
    // characters filled with full-width spaces.
    std::vector<std::string> previewRows() const;

    bool sending() const { return run_.running(); }
    // "残り m:ss" while the all-pages send runs, else empty.
    std::string timeLeft() const;
    const RunProgress& progress() const { return run_.progress(); }
    RunEnd runEnd() const { return run_.end(); }
    // Model S keeps the dialog open while the send runs.
    bool closeEnabled() const;

    // Close: a running send of model F is abandoned once the operator agrees.
    // False when the dialog stays open (the operator said No; model S while
    // its own send runs).
    bool close();
    // The dialog goes away without Close (the program ends): nothing may
    // keep busyStep.
    void abandon();

    SlaveAddressChoice& slaveAddress() { return slave_; }

  private:
    // True (and says so when it is not this dialog's send) while a transfer
    // holds busyStep.
    bool heldByAnotherTransfer();

    AppState& state_;
    Host& host_;
    Transport& transport_;
    TitleAllPagesRun run_;
    SlaveAddressChoice slave_;
    bool previewPending_ = false;
};

} // namespace tlx
