#include "dialogs/glyph_list.h"

#include "base/codecs.h"
#include "base/host.h"
#include "base/settings_file_io.h"
#include "dialogs/glyph_editor.h"
#include "dialogs/settings_file_commands.h"
#include "glyphs/glyph_bmp.h"
#include "glyphs/glyph_files.h"
#include "protocol/app_state.h"
#include "runs/run_progress.h"
#include "settings/settings_file_name.h"

#include <array>
#include <system_error>

namespace tlx {

namespace {

constexpr std::array<GlyphListDescriptor, 3> kLists{{
    {GlyphSize::Large, 216, "外字一覧（大文字）", "外字一覧（ゴシック体 大文字）",
     "外字一覧（大文字） ", "外字一覧（大文字）", 7, 2, 5, 2,
     "大文字", "gl", 2},
    {GlyphSize::Medium, 214, "外字一覧（中文字）", "外字一覧（ゴシック体 中文字）",
     "外字一覧（中文字） ", "外字一覧（中文字）", 8, 2, 10, 3,
     "中文字", "gm", 3},
    {GlyphSize::Small, 212, "外字一覧（小文字）", "外字一覧（ゴシック体 小文字）",
     "外字一覧（小文字） ", "外字一覧（小文字）", 8, 2, 16, 3,
     "小文字", "gs", 3},
}};

std::string rightAligned(int value, int width) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width) {
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    }
    return s;
}

std::string zeroPadded(int value, int digits) {
    return digits == 2 ? encode2(value) : encode3(value);
}

} // namespace

const GlyphListDescriptor& glyphListDescriptor(GlyphSize size) {
    return kLists[static_cast<std::size_t>(size)];
}

std::optional<int> glyphCellAt(const GlyphListDescriptor& d, int x, int y) {
    using G = GlyphCellGeometry;
    int row = -1;
    if (y >= G::topRow && y < G::topRow + G::hitHeight) {
        row = 0;
    } else if (y >= G::bottomRow && y < G::bottomRow + G::hitHeight) {
        row = 1;
    }
    if (row < 0 || row >= d.rows) {
        return std::nullopt;
    }
    for (int i = 0; i < d.columns; ++i) {
        if (x >= G::pitch * i + G::left && x < G::pitch * i + G::left + G::hitWidth) {
            return row * d.columns + i;
        }
    }
    return std::nullopt;
}

GlyphListLogic::GlyphListLogic(const GlyphListDescriptor& d, AppState& state, Host& host,
                               Transport& transport)
    : d_(d), state_(state), host_(host), slave_(state, true),
      run_(state, host, transport, d.size, glyphWire(d.size).readInterval,
           glyphWire(d.size).registerInterval) {
    GlyphStore& store = state_.glyphs;
    store.editBuffer.assign(kEditBufferChars, '0');
    if (store.listPage < 0 || store.listPage >= d_.pages) {
        store.listPage = 0;
    }
}

std::string GlyphListLogic::title(std::string_view address) const {
    const bool s = state_.product == Product::S;
    if (address.empty()) {
        return std::string(s ? d_.templateTitleS : d_.templateTitleF);
    }
    return std::string(s ? d_.titleWordS : d_.titleWordF) + std::string(address);
}

std::vector<std::string> GlyphListLogic::pageItems() const {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(d_.pages));
    const int per = cellsPerPage();
    for (int p = 0; p < d_.pages; ++p) {
        items.push_back("No." + rightAligned(p * per + 1, d_.pageNumberWidth) + "～" +
                        rightAligned((p + 1) * per, d_.pageNumberWidth));
    }
    return items;
}

int GlyphListLogic::page() const {
    return state_.glyphs.listPage;
}

void GlyphListLogic::choosePage(int page) {
    if (page >= 0 && page < d_.pages) {
        state_.glyphs.listPage = page;
    }
}

int GlyphListLogic::glyphOfCell(int cell) const {
    if (cell < 0 || cell >= cellsPerPage()) {
        return -1;
    }
    const int index = page() * cellsPerPage() + cell;
    return index < glyphGeometry(d_.size).count ? index : -1;
}

std::string GlyphListLogic::cellLabel(int cell) const {
    const int index = glyphOfCell(cell);
    return index < 0 ? std::string() : "No." + std::to_string(index + 1);
}

std::string_view GlyphListLogic::cellGlyph(int cell) const {
    const int index = glyphOfCell(cell);
    if (index < 0) {
        return {};
    }
    return state_.glyphs.glyph(GlyphFace::Gothic, d_.size, index);
}

std::vector<std::string>& GlyphListLogic::table() {
    return state_.glyphs.table(GlyphFace::Gothic, d_.size);
}

bool GlyphListLogic::openEditor(int cell) {
    const int index = glyphOfCell(cell);
    if (state_.link.glyphTransferBusy || index < 0) {
        return false;
    }
    state_.glyphs.currentGlyph = index;
    return true;
}

FileChoice GlyphListLogic::pictureFileChoice(int index) const {
    const std::string number = zeroPadded(index + 1, d_.numberDigits);
    FileChoice c;
    c.save = true;
    c.title = std::string(state_.product == Product::S ? "" : "ゴシック体 ") +
              std::string(d_.exportSizeWord) + "外字登録番号" + number + "をbmpファイルで保存";
    c.filters = {{"データ(*.bmp)", "*.bmp"}, {"すべて(*.*)", "*.*"}};
    c.initialPath = std::string(d_.exportPrefix) + number + ".bmp";
    return c;
}

bool GlyphListLogic::exportPicture(int cell, int cellWidth, int cellHeight,
                                   std::uint32_t background) {
    const int index = glyphOfCell(cell);
    if (state_.link.glyphTransferBusy || index < 0) {
        return false;
    }
    // Taken before the chooser opens: what the operator clicked on.
    const RgbPicture picture =
        glyphCellPicture(state_.glyphs.glyph(GlyphFace::Gothic, d_.size, index), d_.size, cellWidth,
                         cellHeight, background);
    if (state_.link.glyphReplyWait) {
        return false;
    }
    const auto chosen = host_.chooseFile(pictureFileChoice(index));
    if (!chosen) {
        return false;
    }
    const std::string path = withFileExtension(*chosen, ".bmp");
    const auto bytes = bmpFile(picture);
    // A picture the operator asked for and did not get is said so.
    if (!bytes || !writeFileAtomically(path, *bytes).ok()) {
        host_.error(kMsgCantFileOpen);
        return false;
    }
    return true;
}

bool GlyphListLogic::clearBuffer() {
    GlyphStore& store = state_.glyphs;
    if (state_.link.glyphReplyWait || transferring()) {
        return false;
    }
    if (store.glyphDirty && !host_.askYesNo(kAskClearUnsaved, kCaptionBufferClear)) {
        return false;
    }
    for (auto& glyph : table()) {
        glyph.assign(static_cast<std::size_t>(glyphGeometry(d_.size).digits), '0');
    }
    store.listFilePath(d_.size).clear();
    store.glyphDirty = false;
    return true;
}

bool GlyphListLogic::openFile() {
    if (state_.link.glyphReplyWait || transferring() || state_.model.busyStep != 0) {
        return false;
    }
    if (state_.model.dataModified &&
        !host_.askYesNo(kAskOpenWithoutSaving, state_.traits().productString)) {
        return false;
    }
    const auto chosen = host_.chooseFile(glyphListFileChoice(d_.size, false));
    if (!chosen) {
        return false;
    }
    const auto file = readWholeFile(*chosen);
    if (!file.bytes) {
        host_.warning(kMsgCantFileOpen);
        return false;
    }
    readGlyphList(*file.bytes, table(), d_.size);
    // The titles' unsaved edits are not in this file: dataModified stays.
    state_.glyphs.listFilePath(d_.size) = *chosen;
    return true;
}

bool GlyphListLogic::writeTable(const std::string& path) {
    if (namesOtherSizeList(path, d_.size)) {
        host_.warning(kMsgDontFileOpen);
        return false;
    }
    const auto written = writeFileAtomically(path, writeGlyphList(table(), d_.size));
    if (!written.ok()) {
        host_.error(fileWriteFailureText(path, written));
        return false;
    }
    return true;
}

bool GlyphListLogic::saveFile() {
    if (state_.link.glyphReplyWait || transferring()) {
        return false;
    }
    const std::string path = state_.glyphs.listFilePath(d_.size);
    if (path.empty()) {
        host_.warning(kMsgDontFileOpen);
        return false;
    }
    return writeTable(path);
}

bool GlyphListLogic::saveFileAs() {
    if (state_.link.glyphReplyWait || transferring()) {
        return false;
    }
    const auto chosen = host_.chooseFile(glyphListFileChoice(d_.size, true));
    if (!chosen) {
        return false;
    }
    const std::string path = glyphListPath(*chosen, d_.size);
    // The chooser confirmed overwriting the name it was given, not the one
    // the extension rule made of it.
    if (path != *chosen && pathExists(path) &&
        !host_.askYesNo(path + std::string(kOverwriteSuffix), state_.traits().productString)) {
        return false;
    }
    if (!writeTable(path)) {
        return false;
    }
    state_.glyphs.listFilePath(d_.size) = path;
    return true;
}

bool GlyphListLogic::transferring() const {
    return state_.link.glyphTransferBusy;
}

bool GlyphListLogic::pressRead() {
    if (transferring()) {
        return false;
    }
    return run_.start(GlyphTransferMode::Read) == RunStart::Started;
}

bool GlyphListLogic::pressRegister() {
    if (transferring() || !confirmNotAutoSwitching(host_)) {
        return false;
    }
    return run_.start(GlyphTransferMode::Register) == RunStart::Started;
}

bool GlyphListLogic::tick() {
    const bool wasRunning = run_.running();
    run_.tick();
    const GlyphTransferEnd end = run_.end();
    if (wasRunning &&
        (end == GlyphTransferEnd::DeviceSilent || end == GlyphTransferEnd::LinkLost)) {
        host_.warning(glyphTransferStoppedText(run_.mode(), run_.stoppedAt() + 1));
    }
    return run_.running();
}

bool GlyphListLogic::close() {
    if (transferring()) {
        return false;
    }
    state_.link.glyphReplyWait = false;
    state_.link.glyphTransferBusy = false;
    return true;
}

void GlyphListLogic::abandon() {
    run_.abandon();
    state_.link.glyphReplyWait = false;
    state_.link.glyphTransferBusy = false;
}

} // namespace tlx
