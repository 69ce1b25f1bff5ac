#include "device/command_handlers.h"
#include "device/device_charset.h"
#include "device/wire_fields.h"

namespace tlx::device {

namespace {

constexpr std::size_t kCodesPerLine = kTitleLineBytes / 2;    // 28
constexpr std::size_t kCodesPerPage = kCodesPerLine * kLines; // 280
constexpr std::size_t kHexPerCode = 4;

// Decodes `count` title codes from hex text into stored two-byte units; false
// when a code is not hexadecimal or not a character the device can show.
bool decodeTitle(std::string_view hex, std::size_t count, std::string& bytes) {
    bytes.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const auto code = readHex4(hex, i * kHexPerCode);
        if (!code || !isTitleCode(*code)) {
            return false;
        }
        const std::uint16_t unit = unitOfCode(*code);
        bytes.push_back(static_cast<char>(unit >> 8));
        bytes.push_back(static_cast<char>(unit & 0xFF));
    }
    return true;
}

// Appends `count` codes for the stored text, padding with full-width spaces.
void encodeTitle(std::string_view bytes, std::size_t count, std::string& out) {
    for (std::size_t i = 0; i < count; ++i) {
        std::uint16_t code = kJisFullWidthSpace;
        if (2 * i + 1 < bytes.size()) {
            const auto hi = static_cast<std::uint8_t>(bytes[2 * i]);
            const auto lo = static_cast<std::uint8_t>(bytes[2 * i + 1]);
            code = codeOfUnit(static_cast<std::uint16_t>((hi << 8) | lo));
        }
        putHex4(out, code);
    }
}

// Puts a glyph unit at 0-based character position pos of text, filling any
// gap with full-width spaces; a stray odd byte at the end is dropped.
template <std::size_t N> void placeUnit(FixedText<N>& text, std::size_t pos, std::uint16_t unit) {
    std::string bytes(text.view());
    bytes.resize(bytes.size() & ~std::size_t{1});
    while (bytes.size() < 2 * (pos + 1)) {
        bytes.push_back(static_cast<char>(kSjisFullWidthSpace >> 8));
        bytes.push_back(static_cast<char>(kSjisFullWidthSpace & 0xFF));
    }
    bytes[2 * pos] = static_cast<char>(unit >> 8);
    bytes[2 * pos + 1] = static_cast<char>(unit & 0xFF);
    text.assign(bytes);
}

} // namespace

bool titleWrite(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    std::string bytes;
    if (s.product == Product::F && rest.size() == 6 + kCodesPerLine * kHexPerCode &&
        rest[3] == 'L') {
        const auto page = readPage(rest, 0);
        const auto line = readLine(rest, 4);
        if (!page || !line || !decodeTitle(rest.substr(6), kCodesPerLine, bytes)) {
            return refuseCommand(reply);
        }
        s.model.titleText[*page][*line].assign(bytes);
        return acceptCommand(reply);
    }
    if (rest.size() == 3 + kCodesPerPage * kHexPerCode) {
        const auto page = readPage(rest, 0);
        if (!page || !decodeTitle(rest.substr(3), kCodesPerPage, bytes)) {
            return refuseCommand(reply);
        }
        if (s.product == Product::S) {
            s.model.titlePageText[*page].assign(bytes);
        } else {
            const std::string_view all(bytes);
            for (std::size_t line = 0; line < kLines; ++line) {
                s.model.titleText[*page][line].assign(
                    all.substr(line * kTitleLineBytes, kTitleLineBytes));
            }
        }
        return acceptCommand(reply);
    }
    return false;
}

bool titleRead(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    if (rest.size() != 3) {
        return false;
    }
    const auto page = readPage(rest, 0);
    if (!page) {
        return refuseCommand(reply);
    }
    reply.assign("CA");
    reply.append(rest);
    if (s.product == Product::S) {
        encodeTitle(s.model.titlePageText[*page].view(), kCodesPerPage, reply);
    } else {
        for (std::size_t line = 0; line < kLines; ++line) {
            encodeTitle(s.model.titleText[*page][line].view(), kCodesPerLine, reply);
        }
    }
    return true;
}

bool glyphInsert(DeviceState& s, const Route&, std::string_view rest, std::string& reply) {
    const bool modelF = s.product == Product::F;
    // F: nnn "P" ppp "L" ll "I" ii      S: nnn "P" ppp "I" iii
    const std::size_t shape = modelF ? 13 : 11;
    if (rest.size() != shape || rest[3] != 'P') {
        return false;
    }
    const auto glyph = readNumber(rest, 0, 3, 1, kGlyphSlotsMax);
    const auto page = readPage(rest, 4);
    std::optional<std::size_t> line = 0;
    std::optional<int> position;
    if (modelF) {
        if (rest[7] != 'L' || rest[10] != 'I') {
            return false;
        }
        line = readLine(rest, 8);
        position = readNumber(rest, 11, 2, 1, static_cast<int>(kCodesPerLine));
    } else {
        if (rest[7] != 'I') {
            return false;
        }
        position = readNumber(rest, 8, 3, 1, static_cast<int>(kCodesPerPage));
    }
    if (!glyph || !page || !line || !position) {
        return refuseCommand(reply);
    }
    const std::uint16_t unit = unitOfCode(codeOfGlyphIndex(*glyph - 1));
    const auto pos = static_cast<std::size_t>(*position - 1);
    if (modelF) {
        placeUnit(s.model.titleText[*page][*line], pos, unit);
    } else {
        placeUnit(s.model.titlePageText[*page], pos, unit);
    }
    return acceptCommand(reply);
}

} // namespace tlx::device
