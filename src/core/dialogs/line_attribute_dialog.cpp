#include "dialogs/line_attribute_dialog.h"

#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/run_progress.h"

namespace tlx {

namespace {

std::size_t clampedLine(std::int32_t v) {
    return v >= 0 && static_cast<std::size_t>(v) < kLines ? static_cast<std::size_t>(v) : 0;
}

} // namespace

LineAttributeDialog::LineAttributeDialog(const LineAttributeDescriptor& d, AppState& state,
                                         Host& host, Transport& transport)
    : AttributeDialog(state, host, transport, d.transferInterval), d_(d) {}

int LineAttributeDialog::line() const {
    return static_cast<int>(clampedLine(state_.dialogs.currentLine));
}

std::int32_t LineAttributeDialog::stored(int which, std::size_t page, std::size_t line) const {
    return cell(state_.model, d_.value[static_cast<std::size_t>(which)].table, page, line);
}

AllSameMemory& LineAttributeDialog::memory(int which) const {
    return state_.dialogs.of(d_.value[static_cast<std::size_t>(which)].memory);
}

int LineAttributeDialog::value(int which) const {
    if (!knows(which)) {
        return -1;
    }
    const std::int32_t v =
        stored(which, static_cast<std::size_t>(page()), static_cast<std::size_t>(line()));
    return d_.values.contains(v) ? v : -1;
}

int LineAttributeDialog::allPagesChoice(int which) const {
    return knows(which) && d_.values.contains(memory(which).allPages) ? memory(which).allPages : -1;
}

int LineAttributeDialog::allLinesChoice(int which) const {
    return knows(which) && d_.values.contains(memory(which).allLines) ? memory(which).allLines : -1;
}

std::vector<PreviewText> LineAttributeDialog::preview() const {
    std::vector<PreviewText> out;
    std::string head = "Page 001 ";
    writeNumber(head, 5, 3, page() + 1);
    out.push_back({10, 1, head});
    if (!d_.previewHeader.empty()) {
        out.push_back({80, 1, std::string(d_.previewHeader)});
    }
    const auto p = static_cast<std::size_t>(page());
    for (std::size_t i = 0; i < kLines; ++i) {
        std::string text = "Line01";
        writeNumber(text, 4, 2, static_cast<int>(i) + 1);
        text += d_.linePreviewGap;
        for (int w = 0; w < d_.valueCount; ++w) {
            text += previewValue(d_.values, d_.look, stored(w, p, i));
        }
        out.push_back({20, 20 + 23 * static_cast<int>(i), std::move(text)});
    }
    return out;
}

void LineAttributeDialog::chooseLine(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < kLines) {
        state_.dialogs.currentLine = index;
    }
}

void LineAttributeDialog::chooseValue(int which, int index) {
    if (!knows(which) || !d_.values.contains(index)) {
        return;
    }
    cell(state_.model, d_.value[static_cast<std::size_t>(which)].table,
         static_cast<std::size_t>(page()), static_cast<std::size_t>(line())) = index;
}

void LineAttributeDialog::chooseAllPages(int which, int index) {
    fill(which, index, &AllSameMemory::allPages, 0, kPages);
}

void LineAttributeDialog::chooseAllLines(int which, int index) {
    const auto p = static_cast<std::size_t>(page());
    fill(which, index, &AllSameMemory::allLines, p, p + 1);
}

void LineAttributeDialog::fill(int which, int index, std::int32_t AllSameMemory::*choice,
                               std::size_t firstPage, std::size_t endPage) {
    if (!knows(which) || !d_.values.contains(index) || index == memory(which).*choice) {
        return;
    }
    memory(which).*choice = index;
    const TableRef& t = d_.value[static_cast<std::size_t>(which)].table;
    for (std::size_t p = firstPage; p < endPage; ++p) {
        for (std::size_t l = 0; l < kLines; ++l) {
            cell(state_.model, t, p, l) = index;
        }
    }
}

std::string LineAttributeDialog::lineCommand(std::size_t page, std::size_t line) const {
    std::string out(d_.lineLiteral);
    const std::size_t at = d_.mnemonic.size();
    writeNumber(out, at, 3, static_cast<int>(page) + 1);
    writeNumber(out, at + 4, 2, static_cast<int>(line) + 1);
    writeValues(out, at + 6, page, line, &LineValue::lineField);
    out += "\r\n";
    return out;
}

std::string LineAttributeDialog::pageCommand(std::size_t page) const {
    std::string out(d_.pageTemplate);
    const std::size_t at = d_.mnemonic.size();
    writeNumber(out, at, 3, static_cast<int>(page) + 1);
    std::size_t pos = at + 3;
    for (std::size_t l = 0; l < kLines; ++l) {
        pos = writeValues(out, pos, page, l, &LineValue::pageField);
    }
    out += "\r\n";
    return out;
}

std::size_t LineAttributeDialog::writeValues(std::string& out, std::size_t pos, std::size_t page,
                                             std::size_t line, WireField LineValue::*field) const {
    for (int w = 0; w < d_.valueCount; ++w) {
        const WireField& f = d_.value[static_cast<std::size_t>(w)].*field;
        writeField(out, pos, f, stored(w, page, line));
        pos += static_cast<std::size_t>(f.width());
    }
    return pos;
}

void LineAttributeDialog::sendLine() {
    sendCommand(state_, host_, transport_,
                lineCommand(static_cast<std::size_t>(page()), static_cast<std::size_t>(line())));
}

} // namespace tlx
