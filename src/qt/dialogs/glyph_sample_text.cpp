#include "dialogs/glyph_sample_text.h"

#include "base/sjis_codec.h"

namespace tlx::qt {

std::string sampleCharacterBytes(const QString& text) {
    if (text.isEmpty()) {
        return {};
    }
    // One character, which may be a surrogate pair.
    const qsizetype length = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    const QByteArray utf8 = text.left(length).toUtf8();
    const auto codec = makeSjisCodec();
    std::string sjis;
    if (!codec ||
        !codec->utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                           sjis)) {
        return {};
    }
    return sjis;
}

} // namespace tlx::qt
