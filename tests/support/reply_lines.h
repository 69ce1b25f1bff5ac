#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tlx::test {

// The warning the program gives for a title character outside the two JIS
// levels.
inline const std::string kJisMessage = "ＪＩＳ第１水準,第２水準以外の字が選択されてます";

// Byte strings from their values.
inline std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

// Builds device reply lines for tests, independent of the core's own builders.
inline std::string hex4(std::uint16_t v) {
    static const char* d = "0123456789ABCDEF";
    return {d[v >> 12 & 0xF], d[v >> 8 & 0xF], d[v >> 4 & 0xF], d[v & 0xF]};
}

inline std::string repeat(std::string_view s, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

inline std::string page3(int page) {
    std::string s = std::to_string(page);
    return std::string(3 - s.size(), '0') + s;
}

// "CA" + page + 280 wire codes; codes beyond the given ones are 0x2121.
inline std::string caReply(int page, const std::vector<std::uint16_t>& codes) {
    std::string line = "CA" + page3(page);
    for (std::size_t i = 0; i < 280; ++i) {
        line += hex4(i < codes.size() ? codes[i] : 0x2121);
    }
    return line + "\r\n";
}

} // namespace tlx::test
