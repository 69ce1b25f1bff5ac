#include "dialogs/glyph_editor.h"

#include "base/codecs.h"
#include "base/host.h"
#include "glyphs/glyph_scale.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/run_progress.h"
#include "settings/title_code.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tlx {

namespace {

constexpr std::array<GlyphEditorDescriptor, 3> kEditors{{
    {GlyphSize::Large, 169, "外字登録設定（大文字）", "外字登録設定（ゴシック体 大文字）",
     "外字登録（大文字）の設定 ", 10, 8, 2},
    {GlyphSize::Medium, 173, "外字登録（中文字）の設定", "外字登録（ゴシック体 中文字）の設定",
     "外字登録（中文字）の設定 ", 15, 12, 3},
    {GlyphSize::Small, 171, "外字登録（小文字）の設定", "外字登録（ゴシック体 小文字）の設定",
     "外字登録（小文字）の設定 ", 20, 16, 3},
}};

std::string numberText(int number, int digits) {
    return digits == 2 ? encode2(number) : encode3(number);
}

} // namespace

const GlyphEditorDescriptor& glyphEditorDescriptor(GlyphSize size) {
    return kEditors[static_cast<std::size_t>(size)];
}

std::uint16_t sampleJisCode(std::string_view sjis) {
    std::uint16_t v = 0;
    if (sjis.size() >= 2) {
        v = static_cast<std::uint16_t>((static_cast<unsigned char>(sjis[0]) << 8) |
                                       static_cast<unsigned char>(sjis[1]));
    }
    if (v >= 0xFA5C || (v >= 0xFA40 && v <= 0xFA49) || (v >= 0xFA55 && v <= 0xFA57)) {
        v = replaceIbmExtension(v);
    }
    const std::uint16_t jis = sjisToJis(v);
    return jis == 0 ? kJisSpace : jis;
}

GlyphEditorLogic::GlyphEditorLogic(const GlyphEditorDescriptor& d, AppState& state, Host& host,
                                   Transport& transport)
    : d_(d), state_(state), host_(host), transport_(transport), slave_(state, true) {
    GlyphStore& store = state_.glyphs;
    const auto& g = glyphGeometry(d_.size);
    if (store.currentGlyph < 0 || store.currentGlyph >= g.count) {
        store.currentGlyph = 0;
    }
    store.editBuffer = store.glyph(GlyphFace::Gothic, d_.size, store.currentGlyph);
    buffer();
}

std::string GlyphEditorLogic::title(std::string_view address) const {
    if (address.empty()) {
        return std::string(state_.product == Product::S ? d_.templateTitleS : d_.templateTitleF);
    }
    return std::string(d_.titleWord) + std::string(address);
}

std::vector<std::string> GlyphEditorLogic::numberItems() const {
    std::vector<std::string> items;
    const int count = glyphGeometry(d_.size).count;
    for (int n = 1; n <= count; ++n) {
        items.push_back(numberText(n, d_.numberDigits));
    }
    return items;
}

int GlyphEditorLogic::currentNumber() const {
    return state_.glyphs.currentGlyph;
}

void GlyphEditorLogic::chooseNumber(int item) {
    if (item >= 0 && item < glyphGeometry(d_.size).count) {
        state_.glyphs.currentGlyph = item;
    }
}

std::string& GlyphEditorLogic::buffer() {
    std::string& b = state_.glyphs.editBuffer;
    const auto digits = static_cast<std::size_t>(glyphGeometry(d_.size).digits);
    if (b.size() < digits) {
        b.resize(digits, '0');
    }
    return b;
}

std::string_view GlyphEditorLogic::workingGlyph() const {
    const std::string_view b = state_.glyphs.editBuffer;
    return b.substr(0, static_cast<std::size_t>(glyphGeometry(d_.size).digits));
}

bool GlyphEditorLogic::pixel(int x, int y) const {
    return glyphPixel(workingGlyph(), d_.size, x, y);
}

void GlyphEditorLogic::storeWorkingGlyph() {
    GlyphStore& store = state_.glyphs;
    auto& table = store.table(GlyphFace::Gothic, d_.size);
    if (store.currentGlyph < 0 || static_cast<std::size_t>(store.currentGlyph) >= table.size()) {
        return;
    }
    const auto digits = static_cast<std::size_t>(glyphGeometry(d_.size).digits);
    std::string& slot = table[static_cast<std::size_t>(store.currentGlyph)];
    slot.replace(0, std::min(digits, slot.size()), buffer().substr(0, digits));
}

bool GlyphEditorLogic::apply(int x, int y, bool lit) {
    const auto& g = glyphGeometry(d_.size);
    const int o = kEditorGridOrigin;
    if (x < o + d_.cellWidth || x > o + (g.pixels - 1) * d_.cellWidth - 1 ||
        y < o + d_.cellHeight || y > o + (g.pixels - 1) * d_.cellHeight - 1) {
        return false;
    }
    const int column = (x - o) / d_.cellWidth;
    const int row = (y - o) / d_.cellHeight;
    const std::size_t k = glyphDigitIndex(d_.size, column, row);
    std::string& b = buffer();
    setGlyphPixel(b, d_.size, column, row, lit);
    std::string& memory = state_.glyphs.editorDigitMemory;
    if (memory.size() < kEditBufferChars) {
        memory.resize(kEditBufferChars, '\0');
    }
    const bool redraw = b[k] != memory[k];
    storeWorkingGlyph();
    memory[k] = b[k];
    return redraw;
}

namespace {

// The grid cell of a coordinate relative to the grid's corner, also left of
// or above it.
int cellOf(int v, int size) {
    return v >= 0 ? v / size : -((-v + size - 1) / size);
}

} // namespace

bool GlyphEditorLogic::stroke(int x, int y, bool lit) {
    const int o = kEditorGridOrigin;
    const int w = d_.cellWidth;
    const int h = d_.cellHeight;
    int column = cellOf(lastX_ - o, w);
    int row = cellOf(lastY_ - o, h);
    const int toColumn = cellOf(x - o, w);
    const int toRow = cellOf(y - o, h);
    // Bresenham over the cells between the last cell (drawn already) and
    // this one (drawn at the mouse itself, below).
    const int dc = std::abs(toColumn - column);
    const int dr = -std::abs(toRow - row);
    const int stepColumn = column < toColumn ? 1 : -1;
    const int stepRow = row < toRow ? 1 : -1;
    int error = dc + dr;
    bool redraw = false;
    for (int steps = std::max(dc, -dr) - 1; steps > 0; --steps) {
        const int twice = 2 * error;
        if (twice >= dr) {
            error += dr;
            column += stepColumn;
        }
        if (twice <= dc) {
            error += dc;
            row += stepRow;
        }
        redraw = apply(o + column * w + w / 2, o + row * h + h / 2, lit) || redraw;
    }
    return apply(x, y, lit) || redraw;
}

bool GlyphEditorLogic::press(int x, int y, bool lit) {
    lastX_ = x;
    lastY_ = y;
    const bool redraw = apply(x, y, lit);
    (lit ? leftDrag_ : rightDrag_) = true;
    state_.glyphs.glyphDirty = true;
    return redraw;
}

bool GlyphEditorLogic::leftDown(int x, int y) {
    return press(x, y, true);
}

bool GlyphEditorLogic::rightDown(int x, int y) {
    return press(x, y, false);
}

bool GlyphEditorLogic::move(int x, int y) {
    bool redraw = false;
    if (leftDrag_) {
        redraw = stroke(x, y, true) || redraw;
    }
    if (rightDrag_) {
        redraw = stroke(x, y, false) || redraw;
    }
    lastX_ = x;
    lastY_ = y;
    return redraw;
}

bool GlyphEditorLogic::clearBuffer() {
    GlyphStore& store = state_.glyphs;
    if (state_.link.glyphReplyWait) {
        return false;
    }
    if (store.glyphDirty && !host_.askYesNo(kAskClearUnsaved, kCaptionBufferClear)) {
        return false;
    }
    std::string& b = buffer();
    b.replace(0, static_cast<std::size_t>(glyphGeometry(d_.size).digits),
              static_cast<std::size_t>(glyphGeometry(d_.size).digits), '0');
    store.glyphDirty = false;
    storeWorkingGlyph();
    return true;
}

void GlyphEditorLogic::registerGlyph() {
    if (!confirmNotAutoSwitching(host_)) {
        return;
    }
    sendCommand(state_, host_, transport_,
                glyphRegisterCommand(d_.size, state_.glyphs.currentGlyph, workingGlyph()));
}

void GlyphEditorLogic::read(std::uint16_t code) {
    const std::string line = glyphReadCommand(d_.size, code);
    if (!linkReady(state_)) {
        host_.error(kMsgNotConnected);
        return;
    }
    LinkState& link = state_.link;
    if (link.glyphReplyWait) {
        return;
    }
    link.glyphReplyWait = true;
    sendCommand(state_, host_, transport_, line);
    if (state_.connection.interfaceKind == InterfaceKind::Tcp) {
        // The socket send has waited for its answer: a wait still marked now
        // has ended without one, and must not keep later reads out.
        link.glyphReplyWait = false;
    }
}

void GlyphEditorLogic::readByNumber() {
    read(glyphCode(state_.glyphs.currentGlyph));
}

void GlyphEditorLogic::setSample(std::string_view sjis) {
    sample_ = sjis.size() >= 2 ? std::string(sjis.substr(0, 2)) : std::string();
}

void GlyphEditorLogic::readSample() {
    read(sampleJisCode(sample_));
}

bool GlyphEditorLogic::deriveSizes() {
    if (!host_.askYesNo(kAskDeriveSizes, kCaptionDeriveSizes)) {
        return false;
    }
    const std::string source(workingGlyph());
    deriveOtherSizes(state_.glyphs, d_.size, state_.glyphs.currentGlyph, source);
    return true;
}

void GlyphEditorLogic::close() {
    state_.link.glyphReplyWait = false;
    leftDrag_ = false;
    rightDrag_ = false;
}

} // namespace tlx
