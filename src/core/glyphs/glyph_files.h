#pragma once

#include "app/host.h"
#include "glyphs/glyph_store.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

// Glyph list files hold one size class's whole table: glyph 1 first, one hex
// digit per line, nothing else. Written with CR LF; read with any line end.

std::string_view glyphListExtension(GlyphSize size); // ".tll", ".tlm", ".tls"

// The open (save = false) or save chooser of a list file.
FileChoice glyphListFileChoice(GlyphSize size, bool save);

// The save-as name with the extension rule of the settings file applied.
std::string glyphListPath(std::string chosen, GlyphSize size);

std::string writeGlyphList(const std::vector<std::string>& table, GlyphSize size);

struct GlyphListReadResult {
    std::size_t digitsExpected = 0;
    std::size_t digitsRead = 0;
    bool complete() const { return digitsRead == digitsExpected; }
};

// Takes the file's characters in order, skipping white space, into the table
// (which is given its full shape first); characters are kept as they come,
// lower-case digits included. A short file leaves the remaining digits as
// they were; characters beyond the table are ignored.
GlyphListReadResult readGlyphList(std::string_view bytes, std::vector<std::string>& table,
                                  GlyphSize size);

} // namespace tlx
