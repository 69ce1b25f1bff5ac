#pragma once

#include <string_view>

#include "glyphs/glyph_store.h"
#include "protocol/replies.h"

namespace tlx {

struct AppState;
struct LinkState;

// Stores the fields of a data reply into the model. The line is as delivered
// by the link: address prefix removed, CR LF (if any) still at its end. A
// reply that is shorter than its layout, or names a page outside 1..512 or a
// day outside 1..31, changes nothing. Link-level and glyph replies are not
// handled here.
void applyReply(AppState& state, Reply kind, std::string_view line);

// Classifies the line with the serial dispatcher's order and applies it.
void applyReply(AppState& state, std::string_view line);

// Decodes the 280 wire codes of a "CA" page reply into stored two-byte values
// laid out as bytes: the ten 56-byte line blocks run together, trailing
// full-width spaces dropped. Returns the byte count; 0 when the line is short.
std::size_t decodeTitlePage(std::string_view line, char (&bytes)[560]);

// Stores a glyph bitmap reply ("FBML" ... "FMBMS") into the table of its kind at
// currentGlyph and into the edit buffer. A reply shorter than the glyph
// changes neither. Returns true when the editor should repaint (no list
// transfer running).
bool applyGlyphReply(GlyphStore& store, LinkState& link, GlyphFace face, GlyphSize size,
                     std::string_view line);

} // namespace tlx
