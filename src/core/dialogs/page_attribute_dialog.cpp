#include "dialogs/page_attribute_dialog.h"

#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/run_progress.h"

namespace tlx {

PageAttributeDialog::PageAttributeDialog(const PageAttributeDescriptor& d, AppState& state,
                                         Host& host, Transport& transport)
    : AttributeDialog(state, host, transport, d.transferInterval), d_(d) {
    for (std::size_t w = 0; w < shownAllPages_.size(); ++w) {
        shownAllPages_[w] = state_.dialogs.of(d_.value[w].memory).allPages;
    }
}

std::int32_t PageAttributeDialog::stored(int which, std::size_t page) const {
    return cell(state_.model, d_.value[static_cast<std::size_t>(which)].table, page);
}

int PageAttributeDialog::value(int which) const {
    if (!knows(which)) {
        return -1;
    }
    const std::int32_t v = stored(which, static_cast<std::size_t>(page()));
    return d_.values.contains(v) ? v : -1;
}

int PageAttributeDialog::allPagesChoice(int which) const {
    if (!knows(which)) {
        return -1;
    }
    const std::int32_t v = shownAllPages_[static_cast<std::size_t>(which)];
    return d_.values.contains(v) ? v : -1;
}

std::string PageAttributeDialog::entry(std::string_view prefix, std::size_t page) const {
    std::string text(prefix);
    writeNumber(text, prefix.size() - 3, 3, static_cast<int>(page) + 1);
    text += d_.previewGap;
    for (int w = 0; w < d_.valueCount; ++w) {
        if (w > 0) {
            text += d_.valueGap;
        }
        text += previewValue(d_.values, d_.look, stored(w, page));
    }
    return text;
}

std::vector<PreviewText> PageAttributeDialog::preview() const {
    std::vector<PreviewText> out;
    const auto current = static_cast<std::size_t>(page());
    if (d_.preview == PagePreview::Colours8) {
        out.push_back({80, 1, std::string(kColourHeader)});
        const std::size_t first = current / 8 * 8;
        for (std::size_t i = 0; i < 8; ++i) {
            out.push_back({10, 20 + 23 * static_cast<int>(i), entry("Page 001", first + i)});
        }
        return out;
    }
    const bool levels = d_.preview == PagePreview::Pages32Levels;
    if (levels) {
        for (int c = 0; c < 4; ++c) {
            out.push_back({72 + 130 * c, 2, "W  B"});
        }
    }
    const std::size_t first = current / 32 * 32;
    for (std::size_t i = 0; i < 32; ++i) {
        const int column = static_cast<int>(i / 8);
        const int row = static_cast<int>(i % 8);
        out.push_back({20 + 130 * column, (levels ? 20 : 10) + 23 * row, entry("P001", first + i)});
    }
    return out;
}

void PageAttributeDialog::chooseValue(int which, int index) {
    if (!knows(which) || !d_.values.contains(index)) {
        return;
    }
    cell(state_.model, d_.value[static_cast<std::size_t>(which)].table,
         static_cast<std::size_t>(page())) = index;
}

void PageAttributeDialog::chooseAllPages(int which, int index) {
    if (!knows(which) || !d_.values.contains(index) ||
        index == shownAllPages_[static_cast<std::size_t>(which)]) {
        return;
    }
    const PageValue& v = d_.value[static_cast<std::size_t>(which)];
    shownAllPages_[static_cast<std::size_t>(which)] = index;
    if (d_.remembers) {
        state_.dialogs.of(v.memory).allPages = index;
    }
    for (std::size_t p = 0; p < kPages; ++p) {
        cell(state_.model, v.table, p) = index;
    }
}

std::string PageAttributeDialog::pageCommand(std::size_t page) const {
    std::string out(d_.pageLiteral);
    const std::size_t at = d_.mnemonic.size();
    writeNumber(out, at, 3, static_cast<int>(page) + 1);
    std::size_t pos = at + 3;
    for (int w = 0; w < d_.valueCount; ++w) {
        const WireField& f = d_.value[static_cast<std::size_t>(w)].pageField;
        writeField(out, pos, f, stored(w, page));
        pos += static_cast<std::size_t>(f.width());
    }
    out += "\r\n";
    return out;
}

std::string PageAttributeDialog::allPagesCommand() const {
    // A value the list does not know keeps the field of the page literal, as
    // the page command does; work that field out once.
    std::array<std::string, 2> fallback;
    std::array<std::size_t, 2> width{};
    std::size_t pos = d_.mnemonic.size() + 3;
    for (std::size_t w = 0; w < static_cast<std::size_t>(d_.valueCount); ++w) {
        const WireField& page = d_.value[w].pageField;
        const WireField& all = d_.value[w].allField;
        width[w] = static_cast<std::size_t>(all.width());
        // The page literal's field in the all-pages form: its own value,
        // where page and all-pages fields differ (the OF/ON words).
        std::int32_t literalValue = -1;
        for (int v = 0; v < d_.values.size(); ++v) {
            std::string probe(d_.pageLiteral);
            writeField(probe, pos, page, v);
            if (probe == d_.pageLiteral) {
                literalValue = v;
                break;
            }
        }
        fallback[w].assign(width[w], '0');
        writeField(fallback[w], 0, all, literalValue);
        pos += static_cast<std::size_t>(page.width());
    }

    std::string out(d_.mnemonic);
    out.reserve(d_.mnemonic.size() + kPages * (width[0] + width[1]) + 2);
    for (std::size_t p = 0; p < kPages; ++p) {
        for (std::size_t w = 0; w < static_cast<std::size_t>(d_.valueCount); ++w) {
            std::string field = fallback[w];
            writeField(field, 0, d_.value[w].allField, stored(static_cast<int>(w), p));
            out += field;
        }
    }
    out += "\r\n";
    return out;
}

bool PageAttributeDialog::pressSendAll() {
    if (!d_.pacedAll) {
        sendCommand(state_, host_, transport_, allPagesCommand());
        return false;
    }
    return AttributeDialog::pressSendAll();
}

} // namespace tlx
