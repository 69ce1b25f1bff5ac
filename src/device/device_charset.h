#pragma once

#include <cstdint>
#include <optional>

namespace tlx::device {

// The device's own view of title characters. On the wire a title character is
// a 16-bit code: a JIS X 0208 code of a character in the device's font, or the
// code of one of its user glyph slots. In the settings model the same
// character is held as two bytes: Shift-JIS, or the glyph's wire code minus
// kGlyphShift.

inline constexpr std::uint16_t kJisFullWidthSpace = 0x2121;
inline constexpr std::uint16_t kSjisFullWidthSpace = 0x8140;
inline constexpr std::uint16_t kGlyphShift = 37701;
inline constexpr std::uint16_t kLastStoredGlyphUnit = 0x1339;
inline constexpr int kGlyphSlotsMax = 256; // the small table; the others are shorter

// True for a code the device's font can draw: the assigned cells of JIS X
// 0208 plus the NEC special row and the NEC-selected IBM extension rows that a
// code page 932 PC can produce.
bool isFontCode(std::uint16_t jis);

// True for a code of the device's user glyph area: rows 0xA3..0xA6, cells
// 0x21..0x7E. The glyph slots occupy part of it; a title may hold any code of
// the area (one without a slot shows as a blank).
bool isGlyphAreaCode(std::uint16_t code);

// The user glyph index (0-based) of a wire code, when it is one of the
// device's glyph slots (index 0..255).
std::optional<int> glyphIndexOfCode(std::uint16_t code);

// A code a title may hold: a font character or a glyph area code.
inline bool isTitleCode(std::uint16_t code) {
    return isFontCode(code) || isGlyphAreaCode(code);
}

// The wire code of glyph index n (0-based).
std::uint16_t codeOfGlyphIndex(int index);

// Conversions between JIS X 0208 and Shift-JIS for codes whose both bytes lie
// in 0x21..0x7E; 0 otherwise.
std::uint16_t jisToSjis(std::uint16_t jis);
std::uint16_t sjisToJis(std::uint16_t sjis);

// Stored two-byte unit of an accepted wire code, and back. A unit that has no
// sendable code (from a damaged state file) comes out as the full-width space.
std::uint16_t unitOfCode(std::uint16_t code);
std::uint16_t codeOfUnit(std::uint16_t unit);

} // namespace tlx::device
