#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

enum class GlyphSize : std::uint8_t { Large = 0, Medium = 1, Small = 2 };
enum class GlyphFace : std::uint8_t { Gothic = 0, Mincho = 1 };

struct GlyphGeometry {
    int pixels;       // width and height
    int digitsPerRow; // hex digits per row
    int digits;       // hex digits per glyph
    int count;        // glyphs in the table
};

const GlyphGeometry& glyphGeometry(GlyphSize size);

inline constexpr std::size_t kEditBufferChars = 580;

// The device's 16-bit code of glyph index n (0-based), in any size class.
std::uint16_t glyphCode(int index);

// One table per size class and face; each glyph is its hex text, one digit per
// four pixels, leftmost pixel in the top bit, rows from the top.
class GlyphStore {
public:
    GlyphStore();

    void clearAll(); // every digit "0"
    std::string& glyph(GlyphFace face, GlyphSize size, int index);
    const std::string& glyph(GlyphFace face, GlyphSize size, int index) const;
    std::vector<std::string>& table(GlyphFace face, GlyphSize size);
    const std::vector<std::string>& table(GlyphFace face, GlyphSize size) const;

    int currentGlyph = 0;
    std::string editBuffer;
    bool glyphDirty = false;

    // The glyph dialogs' choices, kept for the whole run so that each opens
    // with the last ones. Not touched by clearAll.
    int listPage = 0; // shared by the three lists
    // Each list's current file: 保存 of one size class never writes over
    // the file of another.
    std::array<std::string, 3> listFilePaths;
    std::string& listFilePath(GlyphSize size) {
        return listFilePaths[static_cast<std::size_t>(size)];
    }
    int insertSize = 0;        // 0 large, 1 medium, 2 small
    int insertPosition = 0;    // 0-based
    // The digit each editor pixel operation last left at each position of
    // the working glyph: a change the grid already shows is not redrawn.
    std::string editorDigitMemory = std::string(kEditBufferChars, '\0');

private:
    std::array<std::vector<std::string>, 6> tables_;
};

// Pixel access on a glyph's hex text. Digits other than 0-9 and A-F read as 0;
// writing always stores an upper-case digit.
bool glyphPixel(std::string_view hex, GlyphSize size, int x, int y);
void setGlyphPixel(std::string& hex, GlyphSize size, int x, int y, bool lit);
// Where in a glyph's hex text the digit holding pixel (x, y) is; x and y are
// inside the glyph.
std::size_t glyphDigitIndex(GlyphSize size, int x, int y);

} // namespace tlx
