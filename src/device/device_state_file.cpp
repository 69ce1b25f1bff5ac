#include "device/device_state_file.h"

#include "base/settings_file_io.h"
#include "device/seeded_state.h"
#include "glyphs/glyph_files.h"
#include "settings/settings_file.h"

namespace tlx::device {

namespace {

constexpr GlyphSize kSizes[] = {GlyphSize::Large, GlyphSize::Medium, GlyphSize::Small};

// Loads the glyph tables kept beside a state file; a missing list keeps the
// table as it is, a broken one is named.
void loadGlyphTables(const std::string& path, DeviceState& state, StateFileResult& result) {
    for (const GlyphSize size : kSizes) {
        const std::string list = glyphListBeside(path, size);
        const FileReadResult file = readWholeFile(list);
        if (!file.bytes) {
            continue;
        }
        auto checked = checkGlyphList(*file.bytes, size);
        if (!checked.ok()) {
            result.message += (result.message.empty() ? "" : "; ") + list + ": " + checked.reason;
            continue;
        }
        state.glyphs.table(GlyphFace::Gothic, size) = std::move(checked.table);
    }
}

} // namespace

std::string glyphListBeside(const std::string& path, GlyphSize size) {
    std::string stem = path;
    const auto slash = stem.find_last_of('/');
    const auto dot = stem.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)) {
        stem.resize(dot);
    }
    return stem + std::string(glyphListExtension(size));
}

StateFileResult loadDeviceStateFile(const std::string& path, DeviceState& state) {
    StateFileResult result;
    const FileReadResult file = readWholeFile(path);
    if (!file.bytes) {
        result.message = path + ": " + file.reason;
        return result;
    }
    const SettingsReadResult read = readSettingsFile(*file.bytes, state.model, state.product);
    normaliseDeviceState(state);
    result.ok = true;
    result.complete = read.complete() && read.linesRejected == 0 && !read.extraLines;
    if (!result.complete) {
        result.message = path + ": " + describeSettingsFileProblem(read, *file.bytes, state.product);
    }
    loadGlyphTables(path, state, result);
    return result;
}

StateFileResult saveDeviceStateFile(const std::string& path, const DeviceState& state) {
    StateFileResult result;
    const FileWriteResult written =
        writeFileAtomically(path, writeSettingsFile(state.model, state.product));
    result.ok = written.ok();
    if (!result.ok) {
        result.message = path + ": " + written.reason;
        return result;
    }
    for (const GlyphSize size : kSizes) {
        const std::string list = glyphListBeside(path, size);
        const FileWriteResult glyphs =
            writeFileAtomically(list, writeGlyphList(state.glyphs.table(GlyphFace::Gothic, size), size));
        if (!glyphs.ok()) {
            result.ok = false;
            result.message = list + ": " + glyphs.reason;
            return result;
        }
    }
    result.complete = true;
    return result;
}

} // namespace tlx::device
