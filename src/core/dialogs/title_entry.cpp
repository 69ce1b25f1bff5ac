#include "dialogs/title_entry.h"

#include "base/codecs.h"
#include "base/host.h"
#include "protocol/app_state.h"
#include "runs/run_progress.h"
#include "runs/title_send.h"
#include "settings/title_encoder.h"

namespace tlx {

namespace {

constexpr std::string_view kFullWidthSpace = "\x81\x40";

bool pageIndexValid(std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < kPages;
}

bool lineIndexValid(std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < kLines;
}

} // namespace

TitleEntry::TitleEntry(AppState& state, Host& host, Transport& transport)
    : state_(state), host_(host), transport_(transport), run_(state, host, transport),
      slave_(state, true) {
    // The page and line last used by any setting dialog may have been left
    // out of range by nothing but a damaged state; never index with them.
    if (!pageIndexValid(state_.dialogs.currentPage)) {
        state_.dialogs.currentPage = 0;
    }
    if (!lineIndexValid(state_.dialogs.currentLine)) {
        state_.dialogs.currentLine = 0;
    }
    previewPending_ = true;
}

bool TitleEntry::perLine() const {
    return state_.product == Product::F;
}

std::size_t TitleEntry::inputLimit() const {
    return perLine() ? kTitleLineInputBytes : kTitlePageInputBytes;
}

std::int32_t TitleEntry::currentPage() const {
    return state_.dialogs.currentPage;
}

std::int32_t TitleEntry::currentLine() const {
    return state_.dialogs.currentLine;
}

void TitleEntry::choosePage(std::int32_t index) {
    if (!pageIndexValid(index)) {
        return;
    }
    state_.dialogs.currentPage = index;
    if (perLine()) {
        // The single-line input reports the text it is given as a change.
        state_.model.dataModified = true;
        previewPending_ = true;
    }
}

void TitleEntry::chooseLine(std::int32_t index) {
    if (!perLine() || !lineIndexValid(index)) {
        return;
    }
    state_.dialogs.currentLine = index;
    state_.model.dataModified = true;
}

std::string_view TitleEntry::inputText() const {
    const auto page = static_cast<std::size_t>(currentPage());
    if (perLine()) {
        return state_.model.titleText[page][static_cast<std::size_t>(currentLine())].view();
    }
    return state_.model.titlePageText[page].view();
}

TitleEditResult TitleEntry::edit(std::string_view bytes) {
    // A text already longer than the input takes (from a file or the device)
    // may still be shortened, never lengthened.
    if (bytes.size() > inputLimit() && bytes.size() > inputText().size()) {
        return TitleEditResult::TooLong;
    }
    const auto page = static_cast<std::size_t>(currentPage());
    if (perLine()) {
        state_.model.titleText[page][static_cast<std::size_t>(currentLine())].assign(bytes);
    } else {
        state_.model.titlePageText[page].assign(bytes);
    }
    state_.model.dataModified = true;
    return TitleEditResult::Stored;
}

void TitleEntry::refuseCharacter() {
    host_.warning(kMsgJisCheck);
}

bool TitleEntry::heldByAnotherTransfer() {
    if (state_.model.busyStep == 0) {
        return false;
    }
    // While this dialog's own send runs its buttons just wait.
    if (!run_.running()) {
        refuseWhileBusy(host_);
    }
    return true;
}

bool TitleEntry::sendLine() {
    if (!perLine() || heldByAnotherTransfer()) {
        return false;
    }
    return sendTitleLine(state_, host_, transport_, static_cast<std::size_t>(currentPage()),
                         static_cast<std::size_t>(currentLine()));
}

bool TitleEntry::sendPage() {
    if (heldByAnotherTransfer()) {
        return false;
    }
    return sendTitlePage(state_, host_, transport_, static_cast<std::size_t>(currentPage()));
}

bool TitleEntry::sendAll() {
    return startConfirmed(run_, host_);
}

TitleTick TitleEntry::tick() {
    TitleTick t;
    if (previewPending_) {
        previewPending_ = false;
        t.repaintPreview = true;
        t.keepTimer = run_.running();
        return t;
    }
    if (!run_.running()) {
        return t;
    }
    run_.tick();
    t.progressChanged = true;
    t.keepTimer = run_.running();
    return t;
}

std::vector<std::string> TitleEntry::previewRows() const {
    std::vector<std::string> rows;
    rows.reserve(kLines + 1);
    std::string head = "Page ";
    append3(head, currentPage() + 1);
    rows.push_back(std::move(head));
    const auto& lines = state_.model.titleText[static_cast<std::size_t>(currentPage())];
    for (std::size_t n = 0; n < kLines; ++n) {
        std::string row = "Line";
        append2(row, static_cast<int>(n + 1));
        row += " = ";
        std::string text = titleDisplayText(lines[n].view());
        if (text.size() % 2 != 0) {
            text += ' ';
        }
        while (text.size() < kTitleLineBytes) {
            text += kFullWidthSpace;
        }
        rows.push_back(row + text);
    }
    return rows;
}

bool TitleEntry::closeEnabled() const {
    return perLine() || !run_.running();
}

std::string TitleEntry::timeLeft() const {
    return run_.running() ? timeLeftText(run_.timeLeft()) : std::string();
}

bool TitleEntry::close() {
    // Model S waits only for its own send; a busyStep held by anything else
    // must not lock the dialog.
    if (!perLine() && run_.running()) {
        return false;
    }
    // The question's own event loop lets the send go on; it may end meanwhile.
    if (run_.running() && !confirmStopTransfer(host_, kTitleEntryTitle) && run_.running()) {
        return false;
    }
    abandon();
    return true;
}

void TitleEntry::abandon() {
    run_.close();
    state_.model.busyStep = 0;
}

} // namespace tlx
