#include "model/sjis_text.h"

#include "model/title_code.h"

#include <QList>
#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace tlx::qt {

namespace {

// Supplementary private-use plane: never produced by code page 932, so a
// marker cannot be confused with a character the operator typed from the
// Shift-JIS user area (U+E000..U+E757).
constexpr char32_t kGlyphMarkerBase = 0xF0000;
constexpr char32_t kRawByteMarkerBase = 0xF2000;

// One conversion descriptor for the length of a call.
class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The whole input converted, or nothing when any of it cannot be.
    bool convert(std::string_view in, std::string& out) {
        if (!ok()) {
            return false;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string input(in);
        char* src = input.data();
        std::size_t srcLeft = input.size();
        std::array<char, 64> buffer{};
        std::string result;
        while (srcLeft > 0) {
            char* dst = buffer.data();
            std::size_t dstLeft = buffer.size();
            const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            result.append(buffer.data(), buffer.size() - dstLeft);
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return false;
            }
        }
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
            return false;
        }
        result.append(buffer.data(), buffer.size() - dstLeft);
        out += result;
        return true;
    }

  private:
    iconv_t cd_;
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

// Reads what iconv made of one character back into the text.
bool appendUtf8(QString& out, Iconv& decode, std::string_view sjis) {
    std::string utf8;
    if (!decode.convert(sjis, utf8) || utf8.empty()) {
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
    Iconv encode("CP932", "UTF-8");
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
        if (!encode.convert(
                std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                result.bytes)) {
            result.complete = false;
        }
    }
    return result;
}

QString titleInputText(std::string_view stored) {
    QString out;
    Iconv decode("UTF-8", "CP932");
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
    Iconv decode("UTF-8", "CP932");
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
