#include "settings/sjis_text.h"

#include "base/sjis_codec.h"
#include "settings/title_code.h"

#include <QList>
#include <cstdint>
#include <memory>

namespace tlx::qt {

namespace {

// Supplementary private-use plane: never produced by code page 932, so a
// marker cannot be confused with a character the operator typed from the
// Shift-JIS user area (U+E000..U+E757).
constexpr char32_t kGlyphMarkerBase = 0xF0000;
constexpr char32_t kRawByteMarkerBase = 0xF2000;

// Code page 932 of the platform, or nothing: every conversion then fails.
class Codec {
  public:
    Codec() : codec_(makeSjisCodec()) {}
    bool toSjis(std::string_view utf8, std::string& out) {
        return codec_ && codec_->utf8ToSjis(utf8, out);
    }
    bool toUtf8(std::string_view sjis, std::string& out) {
        return codec_ && codec_->sjisToUtf8(sjis, out);
    }

  private:
    std::unique_ptr<SjisCodec> codec_;
};

std::uint8_t byteAt(std::string_view s, std::size_t i) {
    return static_cast<std::uint8_t>(s[i]);
}

bool isLeadByte(std::uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

void appendCodePoint(QString& out, char32_t c) {
    const char32_t one[1] = {c};
    out += QString::fromUcs4(one, 1);
}

// Reads what code page 932 made of one character back into the text.
bool appendUtf8(QString& out, Codec& decode, std::string_view sjis) {
    std::string utf8;
    if (!decode.toUtf8(sjis, utf8) || utf8.empty()) {
        return false;
    }
    out += QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return true;
}

} // namespace

bool isGlyphMarker(char32_t c) {
    return c >= kGlyphMarkerBase && c <= kGlyphMarkerBase + kGlyphStoredMax;
}

char32_t glyphMarker(std::uint16_t unit) {
    return kGlyphMarkerBase + unit;
}

char32_t rawByteMarker(unsigned char byte) {
    return kRawByteMarkerBase + byte;
}

TitleBytes titleBytesFromUnicode(const QString& text) {
    TitleBytes result;
    Codec encode;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        if (isGlyphMarker(c)) {
            const auto unit = static_cast<std::uint16_t>(c - kGlyphMarkerBase);
            result.bytes += static_cast<char>(unit >> 8);
            result.bytes += static_cast<char>(unit & 0xFFu);
            continue;
        }
        if (c >= kRawByteMarkerBase && c <= kRawByteMarkerBase + 0xFF) {
            result.bytes += static_cast<char>(c - kRawByteMarkerBase);
            continue;
        }
        QString one;
        appendCodePoint(one, c);
        const QByteArray utf8 = one.toUtf8();
        if (!encode.toSjis(
                std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                result.bytes)) {
            result.complete = false;
        }
    }
    return result;
}

QString titleInputText(std::string_view stored) {
    QString out;
    Codec decode;
    std::size_t i = 0;
    while (i < stored.size()) {
        const std::uint8_t b = byteAt(stored, i);
        const bool pair = i + 1 < stored.size();
        if (pair) {
            const auto unit = static_cast<std::uint16_t>(b << 8 | byteAt(stored, i + 1));
            if (isGlyphUnit(unit)) {
                appendCodePoint(out, glyphMarker(unit));
                i += 2;
                continue;
            }
            if (isLeadByte(b) && appendUtf8(out, decode, stored.substr(i, 2))) {
                i += 2;
                continue;
            }
        }
        // Control bytes would be taken apart or hidden by an input.
        const bool control = b < 0x20 || b == 0x7F;
        if (!control && !isLeadByte(b) && appendUtf8(out, decode, stored.substr(i, 1))) {
            i += 1;
            continue;
        }
        appendCodePoint(out, rawByteMarker(b));
        i += 1;
    }
    return out;
}

QString sjisToUnicode(std::string_view sjis) {
    QString out;
    Codec decode;
    std::size_t i = 0;
    while (i < sjis.size()) {
        const std::uint8_t b = byteAt(sjis, i);
        if (isLeadByte(b) && i + 1 < sjis.size() && appendUtf8(out, decode, sjis.substr(i, 2))) {
            i += 2;
        } else if (!isLeadByte(b) && appendUtf8(out, decode, sjis.substr(i, 1))) {
            i += 1;
        } else {
            out += QChar(0xFFFD);
            i += 1;
        }
    }
    return out;
}

} // namespace tlx::qt
