// Reads arbitrary bytes as a glyph list file of each size class. What was
// read must come back unchanged through a save and a reload (checked for one
// size class per input, chosen by its last byte: a whole table is slow to
// write under the sanitizers).
#include "glyphs/glyph_files.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const unsigned pick = size > 0 ? data[size - 1] % 3U : 0U;
    for (const auto s : {tlx::GlyphSize::Large, tlx::GlyphSize::Medium, tlx::GlyphSize::Small}) {
        std::vector<std::string> table;
        const auto r = tlx::readGlyphList(bytes, table, s);
        const auto& g = tlx::glyphGeometry(s);
        if (r.digitsRead > r.digitsExpected || table.size() != static_cast<std::size_t>(g.count)) {
            std::abort();
        }
        if (static_cast<unsigned>(s) != pick) {
            continue;
        }
        const std::string saved = tlx::writeGlyphList(table, s);
        std::vector<std::string> again;
        if (!tlx::readGlyphList(saved, again, s).complete() || again != table) {
            std::abort();
        }
    }
    return 0;
}
