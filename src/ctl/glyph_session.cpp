// The glyph table commands of the session: a whole table to or from the
// device, and one glyph's picture from a list file.
#include <iostream>

#include "base/settings_file_io.h"
#include "dialogs/glyph_list.h"
#include "glyphs/glyph_bmp.h"
#include "glyphs/glyph_files.h"
#include "protocol/app_state.h"
#include "protocol/link_transport.h"
#include "runs/glyph_table_run.h"
#include "session.h"
#include "settings/settings_file_name.h"

namespace tlx::ctl {

namespace {

// The list's cells are drawn on the dialog face; the tool has no palette, so
// it takes the usual light grey of one.
constexpr std::uint32_t kPictureBackground = 0xF0F0F0;

} // namespace

bool checkGlyphListName(const Options& options, CliHost& host) {
    const std::string& path = options.argument;
    if (glyphListPath(path, options.glyphSize) == path) {
        return true;
    }
    host.fail(Failure::Usage, path + ": a " + glyphSizeWord(options.glyphSize) +
                                  " glyph list file ends in " +
                                  std::string(glyphListExtension(options.glyphSize)));
    return false;
}

std::optional<std::vector<std::string>> loadGlyphListFile(const Options& options, CliHost& host) {
    if (!checkGlyphListName(options, host)) {
        return std::nullopt;
    }
    const auto file = readWholeFile(options.argument);
    if (!file.bytes) {
        host.fail(Failure::Usage, "cannot read " + options.argument + ": " + file.reason);
        return std::nullopt;
    }
    auto checked = checkGlyphList(*file.bytes, options.glyphSize);
    if (!checked.ok()) {
        host.fail(Failure::Usage, options.argument + " is not a " + glyphSizeWord(options.glyphSize) +
                                      " glyph list: " + checked.reason);
        return std::nullopt;
    }
    return std::move(checked.table);
}

int Session::glyphExport() {
    const auto table = loadGlyphListFile(options_, host_);
    if (!table) {
        return status();
    }
    using G = GlyphCellGeometry;
    const auto bytes = bmpFile(glyphCellPicture((*table)[static_cast<std::size_t>(options_.glyphNumber - 1)],
                                                options_.glyphSize, G::width, G::height,
                                                kPictureBackground));
    const std::string path = withFileExtension(options_.output, ".bmp");
    const auto written = bytes ? writeFileAtomically(path, *bytes) : FileWriteResult{};
    if (!bytes || !written.ok()) {
        host_.fail(Failure::Usage, "cannot write " + path + ": " + written.reason);
        return status();
    }
    std::cerr << "tlx500ctl: wrote glyph " << options_.glyphNumber << " to " << path << "\n";
    return 0;
}

int Session::glyphRead() {
    GlyphTableRun run(*state_, host_, *transport_, options_.glyphSize, GlyphTransferMode::Read,
                      [this] { return host_.failure() != Failure::None; });
    const bool done = drive(run, "glyphs read", run.progress().barMax);
    if (interrupted()) {
        std::cerr << "tlx500ctl: interrupted; no file written\n";
        return kInterruptedStatus;
    }
    if (!done || host_.failure() != Failure::None) {
        std::cerr << "tlx500ctl: the glyph table did not arrive whole (stopped at glyph "
                  << run.reached() + 1 << "); no file written\n";
        return status(run.end() == RunEnd::Stopped && state_->link.abortFlag ? 1 : 3);
    }
    const auto& table = state_->glyphs.table(GlyphFace::Gothic, options_.glyphSize);
    const auto w = writeFileAtomically(options_.argument, writeGlyphList(table, options_.glyphSize));
    if (!w.ok()) {
        host_.fail(Failure::Usage, "cannot write " + options_.argument + ": " + w.reason);
        return status();
    }
    std::cerr << "tlx500ctl: read " << run.commandsSent() << " glyphs; wrote " << options_.argument
              << "\n";
    return 0;
}

int Session::glyphSend() {
    GlyphTableRun run(*state_, host_, *transport_, options_.glyphSize,
                      GlyphTransferMode::Register,
                      [this] { return host_.failure() != Failure::None; });
    const bool done = drive(run, "glyphs send", run.progress().barMax);
    if (interrupted()) {
        std::cerr << "tlx500ctl: interrupted; the device holds part of the table\n";
        return kInterruptedStatus;
    }
    if (!done || host_.failure() != Failure::None) {
        std::cerr << "tlx500ctl: glyphs send did not complete\n";
        return status(state_->link.abortFlag ? 1 : 3);
    }
    std::cerr << "tlx500ctl: sent " << run.commandsSent() << " glyphs\n";
    return 0;
}

} // namespace tlx::ctl
