#pragma once

#include "glyphs/glyph_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

inline constexpr std::uint32_t kPictureWhite = 0xFFFFFF;
inline constexpr std::uint32_t kPictureBlack = 0x000000;

// A picture as 0xRRGGBB values, rows from the top, each row left to right.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The picture as an uncompressed 24-bit Windows bitmap file: 54-byte header,
// no palette, rows bottom first, each padded with zeros to a multiple of four
// bytes. Nothing when the picture is empty, its pixel count does not match
// its size, or the file would not fit the format's 32-bit sizes.
std::optional<std::string> bmpFile(const RgbPicture& picture);

// A glyph list cell as drawn: the glyph at twice its size in the top-left
// corner (white when lit, black when unlit) on the cell's background.
RgbPicture glyphCellPicture(std::string_view hex, GlyphSize size, int cellWidth, int cellHeight,
                            std::uint32_t background);

} // namespace tlx
