#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tlx {

// Byte text of bounded length with an explicit size: a NUL byte inside is kept
// as data (a user glyph unit may hold one), and nothing is ever written past
// the capacity.
template <std::size_t Capacity> class FixedText {
public:
    static constexpr std::size_t capacity = Capacity;

    FixedText() = default;
    explicit FixedText(std::string_view s) { assign(s); }

    // Keeps at most Capacity bytes; returns how many were kept.
    std::size_t assign(std::string_view s) {
        size_ = std::min(s.size(), Capacity);
        std::copy_n(s.data(), size_, bytes_.begin());
        return size_;
    }
    void clear() { size_ = 0; }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {bytes_.data(), size_}; }
    std::uint8_t byteAt(std::size_t i) const { return static_cast<std::uint8_t>(bytes_[i]); }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }

private:
    std::array<char, Capacity> bytes_{};
    std::size_t size_ = 0;
};

} // namespace tlx
