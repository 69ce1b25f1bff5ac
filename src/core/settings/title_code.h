#pragma once

#include <cstdint>
#include <optional>

namespace tlx {

// Stored two-byte values at or below this are user glyphs.
inline constexpr std::uint16_t kGlyphStoredMax = 0x1339;
inline constexpr std::uint16_t kGlyphWireOffset = 37701; // 0x9345
inline constexpr std::uint16_t kGlyphWireMin = 31871;    // 0x7C7F
inline constexpr std::uint16_t kJisSpace = 0x2121;
inline constexpr std::uint16_t kSjisSpace = 0x8140;

// Replaces an IBM-extension Shift-JIS character by its NEC-selected
// equivalent; other values from 0xFA5C up become 0, the rest pass unchanged.
std::uint16_t replaceIbmExtension(std::uint16_t sjis);

// Shift-JIS to JIS X 0208 by the code page 932 arithmetic; 0 when the pair is
// not a lead and trail byte or the result is outside the JIS rows.
std::uint16_t sjisToJis(std::uint16_t sjis);

// JIS X 0208 to Shift-JIS; both bytes must lie in 0x21..0x7E, else 0.
std::uint16_t jisToSjis(std::uint16_t jis);

// The wire code of a stored two-byte value: glyph codes are shifted, other
// characters go through the IBM replacement and the JIS conversion. Nothing
// when the character cannot be sent.
std::optional<std::uint16_t> titleWireCode(std::uint16_t stored);

// The stored value of a wire code from the device; 0 when it has no
// Shift-JIS equivalent.
std::uint16_t titleStoredValue(std::uint16_t wire);

inline bool isGlyphUnit(std::uint16_t stored) { return stored <= kGlyphStoredMax; }

} // namespace tlx
