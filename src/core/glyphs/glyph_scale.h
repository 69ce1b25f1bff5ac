#pragma once

#include "glyphs/glyph_store.h"

#include <string_view>

namespace tlx {

// Builds the glyph of the same index in the two other size classes from one
// glyph (the editor's working copy) and writes them into the gothic tables.
// The build works on hex digits, so it is fast and keeps the shapes' strokes
// one digit wide where the sizes do not divide evenly; the last row of each
// target is left as it was. A target table too short for the index is left
// alone (large holds 70 glyphs, medium 160).
void deriveOtherSizes(GlyphStore& store, GlyphSize from, int index, std::string_view source);

// One small digit as the two large digits it widens to, left digit first.
std::string_view glyphPairDigits(char smallDigit);

} // namespace tlx
