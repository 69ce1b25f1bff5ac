#include "glyphs/glyph_sample_text.h"

#include <array>
#include <cstdint>
#include <iconv.h>

namespace tlx::qt {

std::string sampleCharacterBytes(const QString& text) {
    if (text.isEmpty()) {
        return {};
    }
    // One character, which may be a surrogate pair.
    const qsizetype length = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    QByteArray utf8 = text.left(length).toUtf8();
    iconv_t cd = ::iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        return {};
    }
    std::array<char, 16> out{};
    char* in = utf8.data();
    std::size_t inLeft = static_cast<std::size_t>(utf8.size());
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    ::iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) {
        return {};
    }
    return std::string(out.data(), out.size() - outLeft);
}

} // namespace tlx::qt
