#pragma once

#include "base/host.h"
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

// True when the path ends in another size class's extension (in any case):
// writing this class's table there would spoil that list's file.
bool namesOtherSizeList(std::string_view path, GlyphSize size);

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

// A list file that is to go to the device as it stands: exactly the table's
// digits, each 0-9 or A-F (a-f taken as their upper-case digit), separated by
// white space only. The reason is empty when the file is sound; otherwise it
// names what is wrong and where (line numbers from 1).
struct GlyphListCheck {
    std::vector<std::string> table; // the glyphs, upper-case, when sound
    std::string reason;
    bool ok() const { return reason.empty(); }
};
GlyphListCheck checkGlyphList(std::string_view bytes, GlyphSize size);

} // namespace tlx
