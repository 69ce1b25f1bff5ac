#include "dialogs/glyph_insert.h"

#include "base/codecs.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"

namespace tlx {

namespace {

std::vector<std::string> numbered(int count, int digits) {
    std::vector<std::string> items;
    for (int n = 1; n <= count; ++n) {
        items.push_back(digits == 2 ? encode2(n) : encode3(n));
    }
    return items;
}

} // namespace

GlyphInsertLogic::GlyphInsertLogic(AppState& state, Host& host, Transport& transport)
    : state_(state), host_(host), transport_(transport), slave_(state, true) {
    GlyphStore& g = state_.glyphs;
    if (g.insertSize < 0 || g.insertSize > 2) {
        g.insertSize = 0;
    }
    if (g.currentGlyph < 0 || g.currentGlyph >= glyphCount()) {
        g.currentGlyph = 0;
    }
    if (g.insertPosition < 0 || g.insertPosition >= positionCount()) {
        g.insertPosition = 0;
    }
    DialogMemory& d = state_.dialogs;
    if (d.currentPage < 0 || d.currentPage >= static_cast<int>(kPages)) {
        d.currentPage = 0;
    }
    if (d.currentLine < 0 || d.currentLine >= static_cast<int>(kLines)) {
        d.currentLine = 0;
    }
}

bool GlyphInsertLogic::hasLine() const {
    return state_.product == Product::F;
}

int GlyphInsertLogic::glyphCount() const {
    switch (size()) {
    case InsertSize::Large:
        return 70;
    case InsertSize::Medium:
        return 160;
    case InsertSize::Small:
        break;
    }
    return 256;
}

int GlyphInsertLogic::positionCount() const {
    const bool large = size() == InsertSize::Large;
    if (state_.product == Product::S) {
        return large ? 200 : 280;
    }
    return large ? 20 : 28;
}

std::vector<std::string> GlyphInsertLogic::pageItems() const {
    return numbered(static_cast<int>(kPages), 3);
}

std::vector<std::string> GlyphInsertLogic::lineItems() const {
    return numbered(static_cast<int>(kLines), 2);
}

std::vector<std::string> GlyphInsertLogic::sizeItems() {
    return {"LARGE ", "MEDIUM", "SMALL "};
}

std::vector<std::string> GlyphInsertLogic::glyphItems() const {
    return numbered(glyphCount(), 3);
}

std::vector<std::string> GlyphInsertLogic::positionItems() const {
    return numbered(positionCount(), state_.product == Product::S ? 3 : 2);
}

int GlyphInsertLogic::page() const {
    return state_.dialogs.currentPage;
}
int GlyphInsertLogic::line() const {
    return state_.dialogs.currentLine;
}
InsertSize GlyphInsertLogic::size() const {
    return static_cast<InsertSize>(state_.glyphs.insertSize);
}
int GlyphInsertLogic::glyph() const {
    return state_.glyphs.currentGlyph;
}
int GlyphInsertLogic::position() const {
    return state_.glyphs.insertPosition;
}

void GlyphInsertLogic::choosePage(int item) {
    if (item >= 0 && item < static_cast<int>(kPages)) {
        state_.dialogs.currentPage = item;
    }
}

void GlyphInsertLogic::chooseLine(int item) {
    if (item >= 0 && item < static_cast<int>(kLines)) {
        state_.dialogs.currentLine = item;
    }
}

void GlyphInsertLogic::chooseSize(InsertSize size) {
    state_.glyphs.insertSize = static_cast<int>(size);
    if (glyph() >= glyphCount()) {
        state_.glyphs.currentGlyph = 0;
    }
    if (position() >= positionCount()) {
        state_.glyphs.insertPosition = 0;
    }
}

void GlyphInsertLogic::chooseGlyph(int item) {
    if (item >= 0 && item < glyphCount()) {
        state_.glyphs.currentGlyph = item;
    }
}

void GlyphInsertLogic::choosePosition(int item) {
    if (item >= 0 && item < positionCount()) {
        state_.glyphs.insertPosition = item;
    }
}

std::string GlyphInsertLogic::command() const {
    std::string cmd = "G";
    append3(cmd, glyph() + 1);
    cmd += 'P';
    append3(cmd, page() + 1);
    if (hasLine()) {
        cmd += 'L';
        append2(cmd, line() + 1);
    }
    cmd += 'I';
    if (state_.product == Product::S) {
        append3(cmd, position() + 1);
    } else {
        append2(cmd, position() + 1);
    }
    cmd += "\r\n";
    return cmd;
}

void GlyphInsertLogic::send() {
    sendCommand(state_, host_, transport_, command());
}

} // namespace tlx
