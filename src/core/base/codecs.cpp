#include "base/codecs.h"

namespace tlx {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

char digitChar(int value) { return static_cast<char>('0' + value % 10); }

int positive(int value, int range) {
    const int r = value % range;
    return r < 0 ? r + range : r;
}

} // namespace

void append2(std::string& out, int value) {
    const int v = positive(value, 100);
    out.push_back(digitChar(v / 10));
    out.push_back(digitChar(v));
}

void append3(std::string& out, int value) {
    const int v = positive(value, 1000);
    out.push_back(digitChar(v / 100));
    out.push_back(digitChar(v / 10));
    out.push_back(digitChar(v));
}

std::string encode2(int value) {
    std::string s;
    append2(s, value);
    return s;
}

std::string encode3(int value) {
    std::string s;
    append3(s, value);
    return s;
}

void appendHex4(std::string& out, std::uint16_t value) {
    out.push_back(kHexDigits[(value >> 12) & 0xF]);
    out.push_back(kHexDigits[(value >> 8) & 0xF]);
    out.push_back(kHexDigits[(value >> 4) & 0xF]);
    out.push_back(kHexDigits[value & 0xF]);
}

int decodeDigit(std::string_view s, std::size_t pos) {
    const char c = charAt(s, pos);
    return (c >= '0' && c <= '9') ? c - '0' : 0;
}

int decode2(std::string_view s, std::size_t pos) {
    return decodeDigit(s, pos) * 10 + decodeDigit(s, pos + 1);
}

int decode3(std::string_view s, std::size_t pos) {
    return decodeDigit(s, pos) * 100 + decodeDigit(s, pos + 1) * 10 + decodeDigit(s, pos + 2);
}

int decodeHexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 0;
}

int decodeHexByte(std::string_view s, std::size_t pos) {
    return decodeHexDigit(charAt(s, pos)) * 16 + decodeHexDigit(charAt(s, pos + 1));
}

} // namespace tlx
