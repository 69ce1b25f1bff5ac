#include "device/command_handlers.h"
#include "device/device_charset.h"
#include "device/wire_fields.h"

namespace tlx::device {

namespace {

constexpr std::string_view kReadReplies[3] = {"FBML", "FBMM", "FBMS"};

GlyphSize sizeOf(int variant) {
    return static_cast<GlyphSize>(variant);
}

// The device has no real font here; it draws a recognisable stand-in for a
// character: a frame with a pattern that depends on the code, inside a blank
// one-pixel border, so that two characters never look alike by accident.
std::string fontBitmap(GlyphSize size, std::uint16_t code) {
    const GlyphGeometry& g = glyphGeometry(size);
    std::string hex(static_cast<std::size_t>(g.digits), '0');
    const int last = g.pixels - 2;
    for (int y = 1; y <= last; ++y) {
        for (int x = 1; x <= last; ++x) {
            const bool frame = x == 1 || y == 1 || x == last || y == last;
            const bool pattern = ((x * 7 + y * 13 + code) % 11) == 0;
            if (frame || pattern) {
                setGlyphPixel(hex, size, x, y, true);
            }
        }
    }
    return hex;
}

} // namespace

bool glyphRegister(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    const GlyphGeometry& g = glyphGeometry(sizeOf(r.variant));
    if (rest.size() != 3 + static_cast<std::size_t>(g.digits)) {
        return false;
    }
    const auto number = readNumber(rest, 0, 3, 1, g.count);
    if (!number) {
        return refuseCommand(reply);
    }
    const std::string_view digits = rest.substr(3);
    for (char c : digits) {
        if (!isUpperHexDigit(c)) {
            return refuseCommand(reply);
        }
    }
    s.glyphs.glyph(GlyphFace::Gothic, sizeOf(r.variant), *number - 1).assign(digits);
    return acceptCommand(reply);
}

bool glyphRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    if (rest.size() != 4) {
        return false;
    }
    const auto code = readHex4(rest, 0);
    if (!code) {
        return refuseCommand(reply);
    }
    const GlyphSize size = sizeOf(r.variant);
    const auto index = glyphIndexOfCode(*code);
    if (index && *index < glyphGeometry(size).count) {
        reply.assign(kReadReplies[r.variant]);
        reply.append(rest);
        reply.append(s.glyphs.glyph(GlyphFace::Gothic, size, *index));
        return true;
    }
    if (!index && isFontCode(*code)) {
        reply.assign(kReadReplies[r.variant]);
        reply.append(rest);
        reply.append(fontBitmap(size, *code));
        return true;
    }
    return refuseCommand(reply);
}

} // namespace tlx::device
