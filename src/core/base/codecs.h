#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tlx {

// Fixed-width decimal and hexadecimal fields of command and reply lines.
// Encoders take the value modulo the field's range. Decoders never read past
// the text they are given: a missing or non-digit character counts as 0, so a
// decoded value always lies within the field's range.

void append2(std::string& out, int value); // "00".."99"
void append3(std::string& out, int value); // "000".."999"
std::string encode2(int value);
std::string encode3(int value);
void appendHex4(std::string& out, std::uint16_t value); // upper-case, high digit first

int decodeDigit(std::string_view s, std::size_t pos);
int decode2(std::string_view s, std::size_t pos);
int decode3(std::string_view s, std::size_t pos);
int decodeHexDigit(char c);
int decodeHexByte(std::string_view s, std::size_t pos);

// The character at pos, or NUL when the text is shorter.
inline char charAt(std::string_view s, std::size_t pos) { return pos < s.size() ? s[pos] : '\0'; }

} // namespace tlx
