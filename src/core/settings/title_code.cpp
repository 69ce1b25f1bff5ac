#include "settings/title_code.h"

namespace tlx {

namespace {

bool inRange(unsigned v, unsigned lo, unsigned hi) { return v >= lo && v <= hi; }

} // namespace

std::uint16_t replaceIbmExtension(std::uint16_t sjis) {
    const unsigned v = sjis;
    auto minus = [&](unsigned d) { return static_cast<std::uint16_t>(v - d); };
    if (inRange(v, 0xFA40, 0xFA49)) {
        return minus(0x0B51);
    }
    if (inRange(v, 0xFA55, 0xFA57)) {
        return minus(0x0B5B);
    }
    if (inRange(v, 0xFA5C, 0xFA7E) || inRange(v, 0xFA9C, 0xFAFC) || inRange(v, 0xFB5C, 0xFB7E) ||
        inRange(v, 0xFB9C, 0xFBFC)) {
        return minus(0x0D1C);
    }
    if (inRange(v, 0xFA80, 0xFA9B) || inRange(v, 0xFB80, 0xFB9B)) {
        return minus(0x0D1D);
    }
    if (inRange(v, 0xFB40, 0xFB5B) || inRange(v, 0xFC40, 0xFC4B)) {
        return minus(0x0D5F);
    }
    if (v >= 0xFA5C) {
        return 0;
    }
    return sjis;
}

std::uint16_t sjisToJis(std::uint16_t sjis) {
    unsigned hi = sjis >> 8;
    unsigned lo = sjis & 0xFFu;
    const bool lead = inRange(hi, 0x81, 0x9F) || inRange(hi, 0xE0, 0xFC);
    const bool trail = inRange(lo, 0x40, 0x7E) || inRange(lo, 0x80, 0xFC);
    if (!lead || !trail) {
        return 0;
    }
    hi -= hi <= 0x9F ? 0x71 : 0xB1;
    hi = hi * 2 + 1;
    if (lo > 0x7F) {
        lo -= 1;
    }
    if (lo >= 0x9E) {
        lo -= 0x7D;
        hi += 1;
    } else {
        lo -= 0x1F;
    }
    const unsigned jis = (hi << 8) | lo;
    if (!inRange(jis, 0x2121, 0x7E7E) || !inRange(lo, 0x21, 0x7E)) {
        return 0;
    }
    return static_cast<std::uint16_t>(jis);
}

std::uint16_t jisToSjis(std::uint16_t jis) {
    unsigned hi = jis >> 8;
    unsigned lo = jis & 0xFFu;
    if (!inRange(hi, 0x21, 0x7E) || !inRange(lo, 0x21, 0x7E)) {
        return 0;
    }
    if ((hi & 1u) != 0) {
        lo += 0x1F;
        if (lo >= 0x7F) {
            lo += 1;
        }
    } else {
        lo += 0x7E;
    }
    hi = (hi + 1) / 2 + 0x70;
    if (hi >= 0xA0) {
        hi += 0x40;
    }
    return static_cast<std::uint16_t>((hi << 8) | lo);
}

std::optional<std::uint16_t> titleWireCode(std::uint16_t stored) {
    if (isGlyphUnit(stored)) {
        return static_cast<std::uint16_t>(stored + kGlyphWireOffset);
    }
    const std::uint16_t jis = sjisToJis(replaceIbmExtension(stored));
    if (jis == 0) {
        return std::nullopt;
    }
    return jis;
}

std::uint16_t titleStoredValue(std::uint16_t wire) {
    if (wire >= kGlyphWireMin) {
        return static_cast<std::uint16_t>(wire - kGlyphWireOffset);
    }
    return jisToSjis(wire);
}

} // namespace tlx
