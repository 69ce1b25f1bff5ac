#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tlx::device {

// Field readers of the device's command parser. Unlike a lenient reader they
// refuse anything that is not exactly the expected characters, so a command
// with a stray byte is answered with a refusal instead of being half applied.

// Exactly `width` decimal digits at pos.
std::optional<int> readDigits(std::string_view s, std::size_t pos, std::size_t width);

// Exactly `width` decimal digits at pos whose value lies in [lo, hi].
std::optional<int> readNumber(std::string_view s, std::size_t pos, std::size_t width, int lo,
                              int hi);

// A page number 001..512 at pos, as a 0-based index.
std::optional<std::size_t> readPage(std::string_view s, std::size_t pos);

// A line number 01..10 at pos, as a 0-based index.
std::optional<std::size_t> readLine(std::string_view s, std::size_t pos);

// Four upper-case hexadecimal digits at pos.
std::optional<std::uint16_t> readHex4(std::string_view s, std::size_t pos);

bool isUpperHexDigit(char c);

// The low `width` digits of value (at most 8); a negative value is written as 0.
void putDigits(std::string& out, int value, int width);
void putHex4(std::string& out, std::uint16_t value);

} // namespace tlx::device
