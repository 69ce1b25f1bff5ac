#include "device/wire_fields.h"

namespace tlx::device {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return c - 'A' + 10;
}

} // namespace

std::optional<int> readDigits(std::string_view s, std::size_t pos, std::size_t width) {
    if (pos > s.size() || s.size() - pos < width) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const char c = s[pos + i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> readNumber(std::string_view s, std::size_t pos, std::size_t width, int lo,
                              int hi) {
    const auto v = readDigits(s, pos, width);
    if (!v || *v < lo || *v > hi) {
        return std::nullopt;
    }
    return v;
}

std::optional<std::size_t> readPage(std::string_view s, std::size_t pos) {
    const auto v = readNumber(s, pos, 3, 1, 512);
    if (!v) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(*v - 1);
}

std::optional<std::size_t> readLine(std::string_view s, std::size_t pos) {
    const auto v = readNumber(s, pos, 2, 1, 10);
    if (!v) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(*v - 1);
}

bool isUpperHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

std::optional<std::uint16_t> readHex4(std::string_view s, std::size_t pos) {
    if (pos > s.size() || s.size() - pos < 4) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const char c = s[pos + i];
        if (!isUpperHexDigit(c)) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(hexValue(c));
    }
    return static_cast<std::uint16_t>(value);
}

void putDigits(std::string& out, int value, int width) {
    char buf[8];
    value = value < 0 ? 0 : value;
    for (int i = width - 1; i >= 0; --i) {
        buf[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(buf, static_cast<std::size_t>(width));
}

void putHex4(std::string& out, std::uint16_t value) {
    for (int shift = 12; shift >= 0; shift -= 4) {
        out.push_back(kHexDigits[(value >> shift) & 0xF]);
    }
}

} // namespace tlx::device
